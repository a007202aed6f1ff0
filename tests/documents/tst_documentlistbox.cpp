#include "documents/documentlistbox.h"
#include "documents/urilist.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <memory>

using documents::DocumentListBox;

constexpr auto AnyAction = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;

class TestDocumentListBox : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Items are "file:<name>" or "dir:<name>" (created in the temporary folder),
    // "url:<remote url>" or "text:<plain text>".
    std::unique_ptr<QMimeData> makeDrag(const QStringList& items)
    {
        auto mime = std::make_unique<QMimeData>();
        QList<QUrl> urls;
        for (const QString& item : items) {
            const QString kind = item.section(':', 0, 0);
            const QString rest = item.section(':', 1);
            const QString path = m_dir.filePath(rest);
            if (kind == "file") {
                QFile file(path);
                file.open(QIODevice::WriteOnly);
                urls << QUrl::fromLocalFile(path);
            } else if (kind == "dir") {
                QDir().mkpath(path);
                urls << QUrl::fromLocalFile(path);
            } else if (kind == "url") {
                urls << QUrl(rest);
            } else {
                mime->setText(rest);
            }
        }
        if (!urls.isEmpty()) {
            mime->setUrls(urls);
        }
        return mime;
    }

    // Drags over the list's viewport as the window system does, with Shift held so
    // that a move is proposed; true when the list took the drag at every step, and
    // never as a move.
    static bool drag(DocumentListBox& list, const QMimeData& mime, Qt::DropActions actions,
                     bool drop)
    {
        QWidget* viewport = list.viewport();
        const QPoint pos = viewport->rect().center();
        QDragEnterEvent enter(pos, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(pos, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(viewport, &move);
        bool took = enter.isAccepted() && move.isAccepted() && move.dropAction() != Qt::MoveAction;
        if (drop) {
            QDropEvent dropped(pos, actions, &mime, Qt::LeftButton, Qt::ShiftModifier);
            QApplication::sendEvent(viewport, &dropped);
            took = took && dropped.isAccepted() && dropped.dropAction() != Qt::MoveAction;
        } else {
            QDragLeaveEvent leave;
            QApplication::sendEvent(viewport, &leave);
        }
        return took;
    }

    static QStringList rows(const DocumentListBox& list)
    {
        QStringList texts;
        for (int i = 0; i < list.count(); ++i) {
            texts << list.item(i)->text();
        }
        return texts;
    }

    static QStringList fileNames(const DocumentListBox& list)
    {
        QStringList names;
        for (const platform::FolderItem& item : list.file_list()) {
            names << item.Name();
        }
        return names;
    }

    void dropOld(DocumentListBox& list)
    {
        QVERIFY(drag(list, *makeDrag({"file:old 10x10.pdf"}), AnyAction, true));
        QCOMPARE(rows(list), QStringList{"10x10"});
    }

private slots:
    void drop_data()
    {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("actions");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("expectedRows");
        QTest::addColumn<QStringList>("expectedFiles");
        const int any = AnyAction;
        QTest::newRow("tokens in order, name without token skipped")
            << QStringList{"file:poster 50x70.pdf", "file:notes.txt", "file:flyer 30X40.indd"}
            << any << true << QStringList{"50x70", "30x40"}
            << QStringList{"poster 50x70.pdf", "flyer 30X40.indd"};
        QTest::newRow("duplicates kept, each with its own file")
            << QStringList{"file:a 50x70.pdf", "file:b 50x70.pdf"} << any << true
            << QStringList{"50x70", "50x70"} << QStringList{"a 50x70.pdf", "b 50x70.pdf"};
        QTest::newRow("no name with a token empties the list")
            << QStringList{"file:notes.txt", "file:report.docx"} << any << true << QStringList{}
            << QStringList{};
        QTest::newRow("unicode and spaces")
            << QStringList{"file:Plakát für Zoë  0050x0070 ✓.pdf"} << any << true
            << QStringList{"0050x0070"} << QStringList{"Plakát für Zoë  0050x0070 ✓.pdf"};
        QTest::newRow("folder with a token listed like a file")
            << QStringList{"dir:Album 20x30", "file:c 1x2"} << any << true
            << QStringList{"20x30", "1x2"} << QStringList{"Album 20x30", "c 1x2"};
        QTest::newRow("remote url after a file adds nothing")
            << QStringList{"file:d 3x4.png", "url:https://example.com/e 5x6.png"} << any << true
            << QStringList{"3x4"} << QStringList{"d 3x4.png"};
        QTest::newRow("percent sign, hash and question mark in the name")
            << QStringList{"file:1%2x3 #4x5?.pdf", "file:%78%31x2.pdf"} << any << true
            << QStringList{"2x3", "31x2"} << QStringList{"1%2x3 #4x5?.pdf", "%78%31x2.pdf"};
        QTest::newRow("file on another machine adds nothing")
            << QStringList{"file:h 1x1.pdf", "url:file://elsewhere/share/i 2x2.pdf"} << any << true
            << QStringList{"1x1"} << QStringList{"h 1x1.pdf"};
        QTest::newRow("remote url first: not a file drag")
            << QStringList{"url:https://example.com/e 5x6.png", "file:d 3x4.png"} << any << false
            << QStringList{"10x10"} << QStringList{"old 10x10.pdf"};
        QTest::newRow("plain text drag") << QStringList{"text:poster 50x70.pdf"} << any << false
                                         << QStringList{"10x10"} << QStringList{"old 10x10.pdf"};
        QTest::newRow("offered as move only: refused, files untouched")
            << QStringList{"file:f 7x8.pdf"} << int(Qt::MoveAction) << false << QStringList{}
            << QStringList{"old 10x10.pdf"};
        QTest::newRow("offered as link") << QStringList{"file:g 9x9.pdf"} << int(Qt::LinkAction)
                                         << true << QStringList{"9x9"} << QStringList{"g 9x9.pdf"};
    }

    void drop()
    {
        QFETCH(QStringList, items);
        QFETCH(int, actions);
        QFETCH(bool, taken);
        QFETCH(QStringList, expectedRows);
        QFETCH(QStringList, expectedFiles);
        DocumentListBox list;
        dropOld(list);
        QCOMPARE(drag(list, *makeDrag(items), Qt::DropActions(actions), true), taken);
        QCOMPARE(rows(list), expectedRows);
        QCOMPARE(fileNames(list), expectedFiles);
    }

    void dragThatLeavesKeepsPreviousFiles()
    {
        DocumentListBox list;
        dropOld(list);
        drag(list, *makeDrag({"file:new 20x20.pdf"}), AnyAction, false);
        QCOMPARE(list.count(), 0);
        QCOMPARE(fileNames(list), QStringList{"old 10x10.pdf"});
        QVERIFY(list.filling_data());
        // A drag without files entering afterwards leaves both as they are.
        drag(list, *makeDrag({"text:x 1x1"}), AnyAction, false);
        QCOMPARE(list.count(), 0);
        QCOMPARE(fileNames(list), QStringList{"old 10x10.pdf"});
        QVERIFY(!list.filling_data());
    }

    void toolTipShowsNameAndFolder()
    {
        DocumentListBox list;
        list.resize(200, 200);
        list.show();
        QVERIFY(drag(list, *makeDrag({"file:a 50x70.pdf", "file:b 50x70.pdf"}), AnyAction, true));
        const QPoint pos = list.visualItemRect(list.item(1)).center();
        QHelpEvent help(QEvent::ToolTip, pos, list.viewport()->mapToGlobal(pos));
        QApplication::sendEvent(list.viewport(), &help);
        QCOMPARE(QToolTip::text(), "b 50x70.pdf\n" + QDir::toNativeSeparators(m_dir.path()));
        QCOMPARE(list.item(1)->text(), "50x70");
    }

    // The bytes as another application sends them, which no in-process QMimeData keeps.
    void uriListFromOtherApplications_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("tokens");
        QTest::addColumn<QStringList>("paths");
        QTest::newRow("comment, CR LF and bare LF")
            << QByteArray("# copied\r\nfile:///tmp/a%2050x70.pdf\r\nfile:///tmp/b%2030X40.pdf\n")
            << QStringList{"50x70", "30x40"} << QStringList{"/tmp/a 50x70.pdf", "/tmp/b 30X40.pdf"};
        QTest::newRow("single slash and localhost")
            << QByteArray("file:/tmp/c%201x2.pdf\nfile://localhost/tmp/d%201x3.pdf")
            << QStringList{"1x2", "1x3"} << QStringList{"/tmp/c 1x2.pdf", "/tmp/d 1x3.pdf"};
        QTest::newRow("no file: relative, remote, other host")
            << QByteArray("file:e%201x4\nhttps://example.com/f%201x5\nfile://host/g%201x6")
            << QStringList{"", "", ""} << QStringList{"", "", ""};
        QTest::newRow("encoded digits and x count, an encoded percent does not")
            << QByteArray("file:///tmp/%31%78%32\nfile:///tmp/%2533x4\nfile:///tmp/dir%2010x10/")
            << QStringList{"1x2", "33x4", "10x10"}
            << QStringList{"/tmp/1x2", "/tmp/%33x4", "/tmp/dir 10x10/"};
    }

    void uriListFromOtherApplications()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, tokens);
        QFETCH(QStringList, paths);
        const documents::UriList items(bytes);
        QCOMPARE(items.size(), tokens.size());
        std::string buffer;
        for (qsizetype i = 0; i < items.size(); ++i) {
            QCOMPARE(QString::fromStdString(items.token(i, buffer)), tokens[i]);
            QCOMPARE(items.localPath(i), paths[i]);
            QCOMPARE(items.carriesFile(i), !paths[i].isEmpty());
        }
    }

    void paste_data()
    {
        QTest::addColumn<QStringList>("clipboard");
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QStringList>("expectedRows");
        QTest::newRow("copied files, Ctrl+V")
            << QStringList{"file:p 2x3.pdf", "file:q.txt", "file:r 4x5.pdf"} << true
            << QStringList{"2x3", "4x5"};
        QTest::newRow("copied files, Edit menu")
            << QStringList{"file:p 2x3.pdf"} << false << QStringList{"2x3"};
        QTest::newRow("text only") << QStringList{"text:s 6x7.pdf"} << true << QStringList{"10x10"};
        QTest::newRow("remote url only")
            << QStringList{"url:https://example.com/t 6x7.pdf"} << false << QStringList{"10x10"};
    }

    void paste()
    {
        QFETCH(QStringList, clipboard);
        QFETCH(bool, byKey);
        QFETCH(QStringList, expectedRows);
        DocumentListBox list;
        list.show();
        dropOld(list);
        QApplication::clipboard()->setMimeData(makeDrag(clipboard).release());
        if (byKey) {
            list.setFocus();
            QTest::keyClick(&list, Qt::Key_V, Qt::ControlModifier);
        } else {
            QMetaObject::invokeMethod(&list, "paste");
        }
        QCOMPARE(rows(list), expectedRows);
        QCOMPARE(qsizetype(list.file_list().size()), expectedRows.size());
    }
};

QTEST_MAIN(TestDocumentListBox)
#include "tst_documentlistbox.moc"
