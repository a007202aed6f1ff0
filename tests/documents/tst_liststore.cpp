#include "documents/liststore.h"

#include <QtTest>

using documents::ListStore;

class ListStoreTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_store;

private slots:
    void initTestCase() // the documents named below, and more that a lax reading could name
    {
        for (const char* name : {"new\nline 1x2", "%41 1x2", "#1x2", "a b?1x2", "é~1x2", "a 1x2", "b!~: 3x4", "\uFFFD 5x6", "a", "a 1x2#"})
            QVERIFY(QFile(m_dir.filePath(name)).open(QFile::WriteOnly));
        QVERIFY(QFile::link(m_dir.filePath("a 1x2"), m_dir.filePath("l 1x2")) && QFile::link(m_dir.path(), m_dir.filePath("d 1x2")));
        const QStringList args = qEnvironmentVariable("LIST_WRITER").split('\n'); // killedWriter's child
        while (args.size() > 1 && ListStore(args[0]).save(args.mid(1)) && ListStore(args[0]).save(args.mid(2))) {}
    }
    void init() { m_store = m_dir.filePath(QTest::currentTestFunction() + QString("/documents.uri-list")); }

    void load_data() // from `text` when not null, else as saved from `names`; damage warns
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("emptied on purpose") << QByteArray() << QStringList();
        QTest::newRow("odd names") << QByteArray() << QStringList{"new\nline 1x2", "%41 1x2", "#1x2", "a b?1x2", "é~1x2"};
        QTest::newRow("a blank line first; links followed; a folder, and one gone, left out")
            << QByteArray("\nfile://DIR/l%201x2\nfile://DIR/d%201x2\nfile://DIR/gone/a%201x2\nfile://DIR/gone/b%201x2\n") << QStringList{"l 1x2"};
        QTest::newRow("damaged: 0 bytes") << QByteArray("") << QStringList();
        for (const char* bad : {"garbage", "http://DIR/a%201x2", "file://hostDIR/a%201x2", "file://DIR/%FF%205x6", "file://DIR/a 1x2",
                                "file://DIR/a%201x2#", "file://DIR/a%201x2?", "file://DIR/a%2", "file://DIR/a%2g", "file://DIR/a\x7f", "file://DIR/a%00"})
            QTest::addRow("damaged: %s", bad) << "# c\nfile://DIR/a%201x2\r\nfile://DIR/gone\nfile://localhostDIR%2fb!%7e%3a%203x4\n" + QByteArray(bad) << QStringList{"a 1x2", "b!~: 3x4"};
    }
    void load()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, names);
        names.replaceInStrings(QRegularExpression("^"), m_dir.path() + '/');
        QFile file(m_store);
        QVERIFY(ListStore(m_store).save(names));
        QVERIFY(text.isNull() || (file.open(QFile::WriteOnly) && file.write(text.replace("DIR", m_dir.path().toUtf8())) >= 0 && file.flush()));
        QCOMPARE(ListStore(m_store).load().paths, names);
        QCOMPARE(ListStore(m_store).load().warning.contains(m_store), QByteArray(QTest::currentDataTag()).startsWith("damaged"));
    }

    void folderInItsPlace() // is neither read nor replaced; a missing file is a first start
    {
        QVERIFY(ListStore(m_store).load().warning.isEmpty() && QDir().mkpath(m_store) && ListStore(m_store).load().warning.contains(m_store));
        QVERIFY(!ListStore(m_store).save({}) && QFileInfo(m_store).isDir());
    }

    void killedWriter() // read while it writes and after: one of its lists, never a mix or a cut
    {
        const QStringList both{m_dir.filePath("a 1x2"), m_dir.filePath("b!~: 3x4")};
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
