#include "platform/folderitem.h"

#include <QDirIterator>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using platform::FileResult;
using platform::FolderItem;

class FolderItemTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dataHome;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QTemporaryDir> m_other; // on tmpfs: a second file system, where at hand

    // "/x" lies in the main folder, "@/x" in the one on the other file system, and
    // "=x" is taken as it is.
    QString path(const QString& p) const
    {
        if (p.startsWith('='))
            return p.mid(1);
        return p.startsWith('@') ? m_other->path() + p.mid(1) : m_dir->path() + p;
    }

    // Every name in both folders with its permissions and contents.
    QMap<QString, QByteArray> tree() const
    {
        QMap<QString, QByteArray> all;
        for (const QString root : {"/", "@/"}) {
            QDirIterator it(path(root), QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile f(it.next());
                struct stat st
                {
                };
                ::lstat(qPrintable(f.fileName()), &st);
                all[root + f.fileName().mid(path(root).size())] =
                    QByteArray::number(st.st_mode & 0777, 8) + ' ' +
                    (f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
            }
        }
        return all;
    }

    void row(const char* name, const QString& op, const QString& subject, const QString& arg,
             const QString& reason, const QString& changes = {})
    {
        QTest::newRow(name) << op << subject << arg << reason << changes;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_dataHome.path()));
        QCoreApplication::setApplicationName("Pallisto");
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        m_other = std::make_unique<QTemporaryDir>("/dev/shm/pallisto-test-XXXXXX");
        if (!m_other->isValid())
            m_other = std::make_unique<QTemporaryDir>();
        for (const QString file :
             {"/A/doc.pdf", "/A/taken.pdf", "/B/doc.pdf", "/C/inner", "@/doc.pdf"}) {
            QDir().mkpath(QFileInfo(path(file)).path());
            QFile f(path(file));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(file.toUtf8());
        }
        ::chmod(qPrintable(path("/A/doc.pdf")), 0640); // not what a new file gets
        QVERIFY(QDir().mkdir(path("/D")) && QDir().mkdir(path("@/E")));
        QVERIFY(QFile::link(path("/C"), path("/B/link")));
    }

    // Each operation either does exactly what it says, or fails with a reason and
    // changes nothing. `changes` lists the names that go (-) and come (+), the item
    // last; a name that comes carries the subject's contents and permissions.
    void operations_data()
    {
        for (const char* column : {"op", "subject", "arg", "reason", "changes"})
            QTest::addColumn<QString>(column);
        const QString exists = "A file with this name already exists";
        const QString gone = "The file no longer exists";
        const QString tooLong = "The name is too long for the file system";
        const QString longName(256, 'a');
        row("copy", "copy", "/A/doc.pdf", "/D", "", "+/D/doc.pdf");
        row("move", "move", "/A/doc.pdf", "/D", "", "-/A/doc.pdf, +/D/doc.pdf");
        row("move to another file system", "move", "/A/doc.pdf", "@/E", "",
            "-/A/doc.pdf, +@/E/doc.pdf");
        row("move into its own folder", "move", "/A/doc.pdf", "/A", "");
        row("rename", "rename", "/A/doc.pdf", "b 6x8.pdf", "", "-/A/doc.pdf, +/A/b 6x8.pdf");
        row("delete a file", "delete", "/A/doc.pdf", "", "", "-/A/doc.pdf");
        row("delete an empty folder", "delete", "/D", "", "", "-/D");
        row("delete a link to a full folder", "delete", "/B/link", "", "", "-/B/link");
        row("new folder", "mkdir", "/D/new", "", "", "+/D/new");
        row("existing folder", "mkdir", "/D", "", "");

        row("copy onto a file", "copy", "/A/doc.pdf", "/B", exists);
        row("move onto a file", "move", "/A/doc.pdf", "/B", exists);
        row("move onto a file on another file system", "move", "/A/doc.pdf", "@", exists);
        row("rename onto a file", "rename", "/A/doc.pdf", "taken.pdf", exists);
        row("rename onto a link", "rename", "/B/doc.pdf", "link", exists);
        row("copy a missing file", "copy", "/A/gone.pdf", "/D", gone);
        row("move a missing file", "move", "/A/gone.pdf", "/D", gone);
        row("rename a missing file", "rename", "/A/gone.pdf", "x.pdf", gone);
        row("delete a missing file", "delete", "/A/gone.pdf", "", gone);
        row("rename to 256 bytes", "rename", "/A/doc.pdf", longName, tooLong);
        row("folder of 256 bytes", "mkdir", "/" + longName, "", tooLong);
        row("folder under a file", "mkdir", "/A/doc.pdf/x", "",
            "A part of the path is not a folder");
        row("folder where a file is", "mkdir", "/A/doc.pdf", "", exists);
        row("copy into a file", "copy", "/A/doc.pdf", "/B/doc.pdf",
            "The destination is not a folder");
        row("delete a full folder", "delete", "/C", "", "The folder is not empty");
        // The copy to the other file system is complete before the original turns
        // out to be irremovable; the copy must go again.
        row("move a file that cannot leave its folder", "move", "=/proc/version", "/D",
            "The folder is read-only");
        // Reading it fails at once: a copy that breaks off must not leave a part behind.
        row("copy a file that cannot be read", "copy", "=/proc/self/mem", "/D",
            "The disk could not be read or written");
        row("relative path", "mkdir", "=A/doc.pdf", "", "No file was given");
        row("dot dot", "mkdir", "=..", "", "No file was given");
    }
    void operations()
    {
        QFETCH(QString, op);
        QFETCH(QString, subject);
        QFETCH(QString, arg);
        QFETCH(QString, reason);
        QFETCH(QString, changes);
        auto expected = tree();
        const QByteArray original = expected.value(subject);
        for (const QString& change : changes.split(", ", Qt::SkipEmptyParts)) {
            if (change.startsWith('-'))
                expected.remove(change.mid(1));
            else
                expected[change.mid(1)] = op == "mkdir" ? expected.value("/D") : original;
        }

        FolderItem item(path(subject));
        const FolderItem folder(path(arg));
        const FileResult result = op == "copy"     ? item.CopyFileTo(folder)
                                  : op == "move"   ? item.MoveFileTo(folder)
                                  : op == "rename" ? item.setName(arg)
                                  : op == "delete" ? item.Delete()
                                                   : item.CreateAsFolder();
        QCOMPARE(result.reason, reason);
        QCOMPARE(result.ok, reason.isEmpty());
        QCOMPARE(tree(), expected);
        if (op == "move" || op == "rename") // the item follows the file
            QCOMPARE(item.AbsolutePath(),
                     path(changes.contains('+') ? changes.section('+', -1) : subject));
    }

    void readOnlyFolder()
    {
        if (::geteuid() == 0)
            QSKIP("running as root, which ignores read-only permissions");
        QVERIFY(::chmod(qPrintable(path("/D")), 0500) == 0);
        const FileResult result = FolderItem(path("/A/doc.pdf")).CopyFileTo(FolderItem(path("/D")));
        ::chmod(qPrintable(path("/D")), 0700);
        QCOMPARE(result.reason, QString("The folder is read-only"));
    }

    void folderPathEndsWithSeparator()
    {
        const FolderItem doc(path("/A/doc.pdf"));
        QCOMPARE(doc.AbsolutePath(), path("/A/doc.pdf"));
        QCOMPARE(doc.Parent().AbsolutePath(), path("/A/"));
        QCOMPARE(FolderItem(doc.Parent().AbsolutePath() + doc.Name()), doc);
    }

    void bareNamesLieInThePrivateFolder()
    {
        QDir(m_dataHome.path()).removeRecursively();
        QVERIFY(QDir::setCurrent(path("/D")));
        FolderItem scratch("TempFolder");
        const QString folder = FolderItem::defaultFolder();
        QVERIFY(QFileInfo(folder).isDir()); // made on demand
        QVERIFY(folder.startsWith(m_dataHome.path() + "/"));
        QVERIFY(folder != QDir::homePath() && folder != QDir::currentPath());
        QVERIFY(scratch.CreateAsFolder().ok);
        QCOMPARE(scratch.AbsolutePath(), folder + "/TempFolder/");
        QVERIFY(QDir(path("/D")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(FolderItemTest)
#include "tst_folderitem.moc"
