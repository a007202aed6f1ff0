#include "platform/folderitem.h"

#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <unistd.h>

class PlatformTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir, m_other; // m_other on /dev/shm where it can be

    QString path(const QString& p) const // "/x" in the main folder, "@/x" in the other, "=x" as is
    {
        return p.startsWith('=')   ? p.mid(1)
               : p.startsWith('@') ? m_other.path() + p.mid(1)
                                   : m_dir.path() + p;
    }

    QMap<QString, QByteArray> tree() const // every name in both folders: permissions, contents
    {
        QMap<QString, QByteArray> all;
        for (const QString& dir : {path(""), path("@")})
            for (const auto& e : std::filesystem::recursive_directory_iterator(dir.toStdString())) {
                QFile f(QString::fromStdString(e.path()));
                all[f.fileName()] = QByteArray::number(f.permissions().toInt()) +
                                    (f.open(QFile::ReadOnly) ? f.readAll() : "");
            }
        return all;
    }

private slots:
    void init()
    {
        m_dir = QTemporaryDir();
        m_other = QTemporaryDir(QFileInfo("/dev/shm").isWritable() ? "/dev/shm/tst-XXXXXX" : "");
        for (const QString name : {"/A/doc", "/A/taken", "/B/doc", "/D/", "/R/", "@/E/"}) {
            QVERIFY(QDir().mkpath(QFileInfo(path(name)).path()));
            QFile f(path(name));
            QVERIFY(name.endsWith('/') || (f.open(QFile::WriteOnly) && f.write(name.toUtf8())));
        }
        QFile::setPermissions(path("/A/doc"), QFile::ReadOwner | QFile::ReadGroup); // unusual
        QVERIFY(QFile::link(path("/A"), path("/B/link")));
        QFile::setPermissions(path("/R"), QFile::ReadOwner | QFile::ExeOwner);
    }

    // An outcome is the reason, or "gone>comes" on success; what comes has the item's contents.
    void operations_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("outcome");
        auto row = [](const char* name, QString c, QString o) { QTest::newRow(name) << c << o; };
        row("copy", "copy /A/doc /D", ">/D/doc");
        row("move", "move /A/doc /D", "/A/doc>/D/doc");
        row("move to another file system", "move /A/doc @/E", "/A/doc>@/E/doc");
        row("move into its own folder", "move /A/doc /A", ">");
        row("rename", "rename /A/doc b.pdf", "/A/doc>/A/b.pdf");
        row("delete a file", "delete /A/doc", "/A/doc>");
        row("delete an empty folder", "delete /D", "/D>");
        row("delete a link to a full folder", "delete /B/link", "/B/link>");
        row("existing folder", "mkdir /D", ">");
        row("copy onto a file", "copy /A/doc /B", "A file with this name already exists");
        row("move onto a file", "move /A/doc /B", "A file with this name already exists");
        row("rename onto a file", "rename /A/doc taken", "A file with this name already exists");
        row("copy a missing file", "copy /A/gone /D", "The file no longer exists");
        row("rename to 256 bytes", "rename /A/doc " + QString(256, 'a'),
            "The name is too long for the file system");
        row("folder under a file", "mkdir /A/doc/x", "A part of the path is not a folder");
        row("copy into a file", "copy /A/doc /B/doc", "The destination is not a folder");
        row("copy into a read-only folder", "copy /A/doc /R", "The folder is read-only");
        row("delete a full folder", "delete /A", "The folder is not empty");
        row("move whose original stays", "move =/proc/version /D", "The folder is read-only");
        row("unreadable file", "copy =/proc/self/mem /D", "The disk could not be read or written");
        row("relative path", "mkdir =A/doc", "No file was given");
    }
    void operations()
    {
        QFETCH(QString, command);
        QFETCH(QString, outcome);
        const QStringList word = command.split(' ');
        const QString op = word[0], subject = word[1], arg = word.value(2);
        const QString gone = outcome.section('>', 0, 0), comes = outcome.section('>', 1);
        if (arg == "/R" && ::geteuid() == 0)
            QSKIP("root ignores read-only permissions");
        if (arg.startsWith('@') && QStorageInfo(path("")) == QStorageInfo(path("@")))
            QSKIP("/dev/shm is not a file system of its own here");
        auto expected = tree();
        if (!comes.isEmpty())
            expected[path(comes)] = expected.value(path(subject));
        expected.remove(path(gone));
        platform::FolderItem item(path(subject)), folder(path(arg));
        const auto result = op == "copy"     ? item.CopyFileTo(folder)
                            : op == "move"   ? item.MoveFileTo(folder)
                            : op == "rename" ? item.setName(arg)
                            : op == "delete" ? item.Delete()
                                             : item.CreateAsFolder();
        QCOMPARE(result.reason, outcome.contains('>') ? QString() : outcome);
        QCOMPARE(result.ok, result.reason.isEmpty());
        QCOMPARE(tree(), expected);
        if (op == "move" || op == "rename") // the item follows the file
            QCOMPARE(item.AbsolutePath(), path(comes.isEmpty() ? subject : comes));
    }

    void bareNamesLieInThePrivateFolder()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("/data")));
        QCoreApplication::setApplicationName("Pallisto");
        platform::FolderItem scratch("TempFolder"); // neither in the home nor the working folder
        QVERIFY(scratch.CreateAsFolder().ok);       // so its parent was made on demand
        QCOMPARE(scratch.AbsolutePath(), path("/data/Pallisto/TempFolder/")); // a folder ends in /
    }
};

QTEST_MAIN(PlatformTest)
#include "tst_platform.moc"
