#include "documents/liststore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using documents::ListStore;

class ListStoreTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_store;
    QStringList docs(QStringList names) const // made in the folder
    {
        for (QString& name : names)
            QFile(name = m_dir.filePath(name)).open(QFile::WriteOnly);
        return names;
    }

private slots:
    void initTestCase() // in killedWriter's child: saves two lists in turn until killed
    {
        const QStringList args = qEnvironmentVariable("LIST_WRITER").split('\n');
        while (args.size() > 1 && ListStore(args[0]).save(args.mid(1)) && ListStore(args[0]).save(args.mid(2))) {}
    }
    void init() { m_store = (m_dir = QTemporaryDir()).filePath("state/documents.uri-list"); }

    void load_data() // from `text` when not null, else as saved from `names`; damage warns
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("emptied on purpose") << QByteArray() << QStringList();
        QTest::newRow("odd names") << QByteArray() << QStringList{"new\nline 1x2", "%41 1x2", "#1x2", "a b?1x2", "é~1x2"};
        QTest::newRow("damaged: 0 bytes") << QByteArray("") << QStringList();
        QTest::newRow("comments, LF, gone")
            << QByteArray("# c\nfile://DIR/a%201x2\n\nfile://localhostDIR/b!%7e%203x4\nfile://DIR/gone") << QStringList{"a 1x2", "b!~ 3x4"};
        for (const char* bad : {"garbage", "http://DIR/a%201x2", "file://hostDIR/a%201x2", "file://DIR/%FF%205x6", "file://DIR/a 1x2",
                                "file://DIR/a%201x2#", "file://DIR/a%201x2?", "file://DIR/a%2", "file://DIR/a%2g", "file://DIR/a\x7f", "file://DIR/a%00"})
            QTest::addRow("damaged: %s", bad) << "file://DIR/a%201x2\r\n" + QByteArray(bad) << QStringList{"a 1x2"};
    }
    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
        docs({"\uFFFD 5x6", "a", "a 1x2#"}); // what a lax reading would name
        QFile file(m_store);
        QVERIFY(ListStore(m_store).save(docs(names)));
        QVERIFY(text.isNull() || (file.open(QFile::WriteOnly) && file.write(text.replace("DIR", m_dir.path().toUtf8())) >= 0 && file.flush()));
        QCOMPARE(ListStore(m_store).load().paths, docs(names));
        QCOMPARE(ListStore(m_store).load().warning.contains(m_store), QByteArray(QTest::currentDataTag()).startsWith("damaged"));
    }

    void folderInItsPlace() // is neither read nor replaced
    {
        QCOMPARE(ListStore(m_store).load().warning, QString()); // a first start
        QVERIFY(QDir().mkpath(m_store) && ListStore(m_store).load().warning.contains(m_store));
        QVERIFY(!ListStore(m_store).save(docs({"a 1x2"})) && QFileInfo(m_store).isDir());
    }

    void killedWriter() // read while it writes and after: one of its lists, never a mix or a cut
    {
        const QStringList both = docs({"a 1x2", "b 3x4"});
        QProcess writer;
        qputenv("LIST_WRITER", (QStringList(m_store) + both).join('\n').toUtf8());
        writer.start(QCoreApplication::applicationFilePath());
        QTRY_VERIFY(QFile::exists(m_store));
        for (int read = 0; read <= 300; ++read, read == 200 ? writer.kill() : void())
            QVERIFY((QList{both, both.mid(1)}.contains(ListStore(m_store).load().paths)));
        QVERIFY(writer.waitForFinished());
    }
};

QTEST_GUILESS_MAIN(ListStoreTest)
#include "tst_liststore.moc"
