#include "documents/documentlist.h"
#include "tests/support/support.h"

#include <QtTest>
#include <QtWidgets>

constexpr int Pasted = 0, CopiedAndPasted = -1, Left = 0x100; // other than by a drop
constexpr int All = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

class TestDocumentList : public QObject
{
    Q_OBJECT
    std::unique_ptr<documents::DocumentList> m_list;

    QString rows() const // the scroll, then the rows, the selected one starred
    {
        QString rows = QString::number(m_list->verticalScrollBar()->value());
        for (int i = 0; i < m_list->count(); ++i)
            rows += ',' + m_list->item(i)->text() + (m_list->item(i)->isSelected() ? "*" : "");
        return rows;
    }

private slots:
    void init() // a hundred documents, "1x1" to "100x1", the 61st selected and scrolled to
    {
        m_list = std::make_unique<documents::DocumentList>();
        m_list->show();
        QList<QUrl> urls;
        for (int i = 1; i <= 100; ++i)
            urls << QUrl::fromLocalFile(QString("/t/d %1x1.pdf").arg(i));
        m_list->listFiles(urls);
        m_list->setCurrentRow(60);
        m_list->scrollToItem(m_list->currentItem());
    }

    void takingFiles_data()
    {
        QTest::addColumn<QByteArray>("lines"); // of a text/uri-list as sent, '|' between them
        QTest::addColumn<int>("how");
        QTest::addColumn<QString>("after"); // the rows, or "kept"
        QTest::addColumn<int>("told");      // of names left out
        auto row = [](auto name, auto lines, int how, auto after, int told = 0) {
            QTest::newRow(name) << QByteArray(lines) << how << QString(after) << told;
        };
        row("tokens in order", "file:///50x70|file:///n|file:///f%C3%A9%2030X4", All, "50x70,30x4");
        row("local only", "file:///3x4|file://h/2x2|file:1x2|file://localhost/7x9", All, "3x4,7x9");
        row("a link drop", "file:///9x9", Qt::LinkAction, "9x9");
        row("a move refused", "file:///9x9", Qt::MoveAction, "kept");
        row("a drag left", "file:///9x9", Left, "kept");
        row("comments and empty lines skipped", "#from a file manager||file:///9x9", All, "9x9");
        row("only a comment", "#nothing", All, "kept");
        row("a web address first refuses all", "http://h/5x6.png|file:///9x9", All, "kept");
        row("not UTF-8, or a NUL: told once", "file:///caf%E9%201x2|file:///%00%202x3", All, "", 1);
        row("not UTF-8 without a token untold", "file:///t/%E9.pdf|file:///9x9", All, "9x9");
        row("files pasted", "file:///2x3|file:///q.txt", Pasted, "2x3");
        row("copied and pasted back alone", "", CopiedAndPasted, "61x1");
    }
    void takingFiles()
    {
        QFETCH(QByteArray, lines);
        QFETCH(int, how);
        const QString before = rows();
        auto* mime = new QMimeData;
        mime->setData("text/uri-list", lines.replace('|', '\n'));
        QApplication::clipboard()->setMimeData(mime);
        QSignalSpy told(m_list.get(), &documents::DocumentList::namesLeftOut);
        if (how == CopiedAndPasted)
            QTest::keyClick(m_list.get(), Qt::Key_C, Qt::ControlModifier);
        if (how <= Pasted) {
            QTest::keyClick(m_list.get(), Qt::Key_V, Qt::ControlModifier);
        } else {
            const Qt::DropActions actions(how == Left ? All : how); // Left: all, then left
            QDragEnterEvent enter({9, 9}, actions, mime, Qt::LeftButton, {});
            QDragMoveEvent move({9, 9}, actions, mime, Qt::LeftButton, {});
            for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move}) // taken, it hides
                QApplication::sendEvent(m_list->viewport(), event); // the rows and their documents
            QCOMPARE(m_list->indexAt({5, 5}).isValid() + !m_list->rowTokens().empty() +
                         !m_list->documentAt(60).isEmpty(),
                     move.isAccepted() ? 0 : 3);
            QDropEvent drop({9, 9}, actions, mime, Qt::LeftButton, {});
            QDragLeaveEvent leave;
            qApp->sendEvent(m_list->viewport(), how == Left ? static_cast<QEvent*>(&leave) : &drop);
        }
        QTEST(rows() == before ? QString("kept") : rows().section(',', 1).remove('*'), "after");
        QTEST(int(told.count()), "told");
        QCOMPARE(m_list->rowTokens().size(), std::size_t(m_list->count())); // the drag is over
    }

    // Each change can be undone once; a list given back at the start has nothing before it.
    void undoBringsBackTheRowsBefore_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("after"); // for a deletion, the row taking the deleted one's place
        for (const char* change : {"drop", "paste", "listing", "restore"})
            QTest::newRow(change) << change << QStringList{"/9x9"};
        QTest::newRow("the first row deleted") << "delete" << QStringList{"/t/d 2x1.pdf"};
    }
    void undoBringsBackTheRowsBefore()
    {
        QFETCH(QString, change);
        QFETCH(QStringList, after);
        const QStringList before = m_list->documents();
        m_list->setCurrentRow(0);
        auto* mime = new QMimeData;
        mime->setUrls({QUrl::fromLocalFile("/9x9")});
        QApplication::clipboard()->setMimeData(mime);
        if (change == "drop")
            QVERIFY(dropOn(*m_list, *mime));
        else if (change == "listing")
            m_list->listFiles(mime->urls());
        else if (change == "restore")
            m_list->restore(after);
        else // a paste, or a deletion
            QTest::keyClick(m_list.get(), change == "paste" ? Qt::Key_V : Qt::Key_Delete,
                            change == "paste" ? Qt::ControlModifier : Qt::NoModifier);
        const QStringList now = m_list->documents();
        QCOMPARE(change == "delete" ? now.mid(0, 1) : now, after);
        QCOMPARE(before.size() - now.size(), change == "delete" ? 1 : before.size() - 1);
        QSignalSpy replaced(m_list.get(), &documents::DocumentList::rowsReplaced);
        for (int i = 0; i < 2; ++i) // the second undo finds nothing
            QTest::keyClick(m_list.get(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_list->documents(), change != "restore" ? before : now);
        QCOMPARE(replaced.count(), int(change != "restore"));
        QCOMPARE(m_list->documentAt(m_list->count() - 1), m_list->documents().last());
        QVERIFY(m_list->documentAt(m_list->count()).isEmpty());
    }

    // The window gets its turns while many rows come and go, and the list rests once they have.
    void manyRowsComeAndGoInSteps()
    {
        QStringList many;
        for (int i = 1; i <= 100000; ++i)
            many << QString("/t/d %1x2.pdf").arg(i);
        m_list->restore(many);
        QVERIFY(m_list->count() < many.size());
        QTRY_COMPARE(m_list->count(), many.size());
        m_list->restore({"/t/e 3x4.pdf"});
        QTRY_COMPARE(rows(), "0,3x4");
        QTRY_VERIFY(!m_list->findChild<QTimer*>()->isActive());
    }

    // A folder's documents take its place once found; until then, and if dropped, rows stay.
    void foldersStandForTheirDocuments_data()
    {
        QTest::addColumn<QString>("then");
        QTest::addColumn<QString>("after");
        QTest::newRow("listed in order where it stood") << "" << "1x1,9x1,10x1,3x3,4x4";
        QTest::newRow("cancelled") << "cancel" << "kept";
        QTest::newRow("a new drop instead") << "drop" << "7x7";
    }
    void foldersStandForTheirDocuments()
    {
        QFETCH(QString, then);
        QTemporaryDir dir;
        for (const char* name : {"d/9x1", "d/10x1", "d/s/3x3"})
            QVERIFY(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(name)).path()) && QFile(dir.filePath(name)).open(QFile::WriteOnly));
        const QString before = rows();
        QSignalSpy started(m_list.get(), &documents::DocumentList::scanStarted), ended(m_list.get(), &documents::DocumentList::scanEnded);
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile("/a 1x1"), QUrl::fromLocalFile(dir.filePath("d")), QUrl::fromLocalFile("/b 4x4")});
        QVERIFY(dropOn(*m_list, mime) && rows() == before);
        if (then == "cancel")
            m_list->cancelScan();
        else if (then == "drop")
            m_list->listFiles({QUrl::fromLocalFile("/7x7")});
        QTRY_COMPARE(ended.count(), 1);
        QTest::qWait(100); // a dropped scan would have ended by now
        QTEST(rows() == before ? QString("kept") : rows().section(',', 1).remove('*'), "after");
        QVERIFY(started.count() == 1 && m_list->documents().size() == m_list->count());
    }

    // With lnk -> other/sub, lnk/.. is other; a linked document keeps its own name.
    void foldersResolveAsTheKernelDoes()
    {
        QTemporaryDir temporary;
        const QDir dir(QFileInfo(temporary.path()).canonicalFilePath());
        QFile document(dir.filePath("other/doc 10x20.pdf"));
        QVERIFY(dir.mkpath("other/sub") && QFile::link("other/sub", dir.filePath("lnk")));
        QVERIFY(document.open(QFile::WriteOnly) && document.link(dir.filePath("lnk/l 3x4.pdf")));
        m_list->listFiles({QUrl::fromLocalFile(dir.filePath("lnk/../doc 10x20.pdf")),
                           QUrl::fromLocalFile(dir.filePath("lnk/l 3x4.pdf"))});
        QHelpEvent hover(QEvent::ToolTip, m_list->visualItemRect(m_list->item(0)).center(), {});
        QApplication::sendEvent(m_list->viewport(), &hover);
        QCOMPARE(QToolTip::text(), "doc 10x20.pdf\n" + dir.filePath("other"));
        QCOMPARE(m_list->documentAt(0), dir.filePath("other/doc 10x20.pdf"));
        QCOMPARE(m_list->documentAt(1), dir.filePath("other/sub/l 3x4.pdf"));
    }
};

QTEST_MAIN(TestDocumentList)
#include "tst_documentlist.moc"
