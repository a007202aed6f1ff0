#include "documents/documentlist.h"
#include "tests/support/contrast.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

// A list holding "old 10x10.pdf" and "old 20x10.pdf", the second selected, ready for a drag.
class TestDocumentList : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<documents::DocumentList> m_list;

    QUrl file(const QString& name) { return QUrl::fromLocalFile(m_dir.filePath(name)); }

    // Items by '|': a file name in the test folder, or "url:" and any URL.
    QList<QUrl> urlsOf(const QString& items)
    {
        QList<QUrl> urls;
        for (const QString& item : items.split('|', Qt::SkipEmptyParts))
            urls << (item.startsWith("url:") ? QUrl(item.mid(4)) : file(item));
        return urls;
    }

    QString rows() const
    {
        QStringList texts;
        for (int i = 0; i < m_list->count(); ++i)
            texts << m_list->item(i)->text() + (m_list->item(i)->isSelected() ? "*" : "");
        return texts.join(',');
    }

    // Enter and move over the list's viewport, then drop, leave or nothing ("cancel" leaves).
    // `urls` as another application sends them: one encoded URI a line after `head`, which may
    // hold comments or empty lines.
    void drag(const QList<QUrl>& urls, Qt::DropActions actions, const QString& end,
              QString* during = nullptr, const QByteArray& head = {})
    {
        QMimeData mime;
        QByteArray list = head;
        for (const QUrl& url : urls)
            list += url.toEncoded() + "\r\n";
        mime.setData("text/uri-list", list);
        QWidget* viewport = m_list->viewport();
        const QPoint p = viewport->rect().center();
        QDragEnterEvent enter(p, actions, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(p, actions, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &move);
        if (during) // while the rows are hidden, none of them stands for a document
            *during = rows() + (m_list->documentAt(0).isEmpty() ? "" : " with documents") +
                      (move.isAccepted() ? "" : " refused");
        QDropEvent drop(p, actions, &mime, Qt::LeftButton, {});
        QDragLeaveEvent leave;
        QApplication::sendEvent(viewport, end == "drop" ? static_cast<QEvent*>(&drop) : &leave);
        QVERIFY(!(end == "drop" && drop.isAccepted() && drop.dropAction() == Qt::MoveAction));
    }

private slots:
    void init()
    {
        m_list = std::make_unique<documents::DocumentList>();
        m_list->resize(180, 260);
        m_list->show();
        m_list->listFiles(urlsOf("old 10x10.pdf|old 20x10.pdf"));
        m_list->setCurrentRow(1);
    }

    void drop_data()
    {
        QTest::addColumn<QString>("items");
        QTest::addColumn<int>("actions");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("during");
        QTest::addColumn<QString>("after");
        const int all = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
        QTest::newRow("tokens in order, lower-cased, names without one skipped")
            << "poster 50x70.pdf|notes.txt|flyer 30X40.indd" << all << "drop" << "" << "50x70,30x40";
        QTest::newRow("duplicates kept") << "a 50x70.pdf|b 50x70.pdf" << all << "drop" << ""
                                         << "50x70,50x70";
        QTest::newRow("only names without a token empty the list")
            << "notes.txt|report.docx" << all << "drop" << "" << "";
        QTest::newRow("other machine's file skipped")
            << "d 3x4.png|url:file://elsewhere/i 2x2.pdf|url:https://e.com/e 5x6.png" << all
            << "drop" << "" << "3x4";
        QTest::newRow("localhost is this machine") << "url:file://localhost/tmp/f 7x9.pdf" << all
                                                   << "drop" << "" << "7x9";
        QTest::newRow("a link drop counts") << "g 9x9.pdf" << int(Qt::LinkAction) << "drop" << ""
                                            << "9x9";
        QTest::newRow("leaving brings rows and selection back")
            << "n 2x2.pdf" << all << "leave" << "" << "10x10,20x10*";
        QTest::newRow("move-only drag refused, rows untouched")
            << "f 7x8.pdf" << int(Qt::MoveAction) << "drop"
            << "10x10,20x10* with documents refused" << "10x10,20x10*";
        QTest::newRow("a comment and an empty line before the files")
            << "#from a file manager|\r\n|f 7x8.pdf" << all << "drop" << "" << "7x8";
        QTest::newRow("only a comment") << "#nothing" << all << "drop"
                                        << "10x10,20x10* with documents refused" << "10x10,20x10*";
        QTest::newRow("web address first refused")
            << "url:https://e.com/e 5x6.png|d 3x4.png" << all << "drop"
            << "10x10,20x10* with documents refused" << "10x10,20x10*";
    }

    void drop()
    {
        QFETCH(QString, items);
        QFETCH(int, actions);
        QFETCH(QString, end);
        QSignalSpy replaced(m_list.get(), &documents::DocumentList::rowsReplaced);
        QString during;
        QByteArray head; // leading comments and empty lines, as some applications send them
        QStringList files = items.split('|');
        while (!files.isEmpty() && (files.first().startsWith('#') || files.first() == "\r\n"))
            head += files.takeFirst().toUtf8() + (files.isEmpty() ? "" : "\r\n");
        drag(urlsOf(files.join('|')), Qt::DropActions(actions), end, &during, head);
        QTEST(during, "during");
        QTEST(rows(), "after");
        QCOMPARE(m_list->documentAt(0).isEmpty(), rows().isEmpty()); // a finished drag
        // leaves the rows standing for their documents again
        QCOMPARE(replaced.count(), rows() == "10x10,20x10*" ? 0 : 1);
    }

    void rowsKnowTheirDocuments()
    {
        m_list->listFiles(urlsOf("notes.txt|a 5x7.pdf|url:file://localhost/srv/b 5x7.pdf"));
        QCOMPARE(m_list->documentAt(0), m_dir.filePath("a 5x7.pdf"));
        QCOMPARE(m_list->documentAt(1), QString("/srv/b 5x7.pdf"));
        QCOMPARE(m_list->documentAt(2), QString());
        QCOMPARE(m_list->documentAt(-1), QString());
        QCOMPARE(m_list->item(0)->toolTip(),
                 "a 5x7.pdf\n" + QDir::toNativeSeparators(m_dir.path()));
        QCOMPARE(m_list->item(1)->toolTip(), QString("b 5x7.pdf\n/srv"));
        m_list->listFiles(urlsOf("url:file:///c 1x2.pdf"));
        QCOMPARE(m_list->item(0)->toolTip(), QString("c 1x2.pdf\n/"));
        std::vector<std::string> expected{"1x2"};
        QCOMPARE(m_list->rowTokens(), expected);
    }

    // The dotted lines between rows, measured from rendered pixels, stand out from the
    // background on light and dark palettes.
    void linesBetweenRowsShowOnAnyPalette_data()
    {
        QTest::addColumn<QColor>("text");
        QTest::addColumn<QColor>("base");
        QTest::newRow("light") << QColor("#000000") << QColor("#ffffff");
        QTest::newRow("dark, mid close to base") << QColor("#eeeeec") << QColor("#242424");
    }

    void linesBetweenRowsShowOnAnyPalette()
    {
        QFETCH(QColor, text);
        QFETCH(QColor, base);
        QPalette palette = m_list->palette();
        palette.setColor(QPalette::Text, text);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::Mid, base.lighter(105));
        m_list->setPalette(palette);
        m_list->clearSelection();
        const QImage image = m_list->viewport()->grab().toImage();
        const int y = m_list->visualItemRect(m_list->item(0)).bottom();
        double best = 1.0;
        for (int x = 0; x < image.width(); ++x) {
            best = std::max(best, contrast(image.pixelColor(x, y), base));
        }
        QVERIFY2(best >= 1.5, qPrintable(QString::number(best)));
    }

    void pasteTakesOnlyFiles_data()
    {
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("after");
        QTest::newRow("files") << "p 2x3.pdf|q.txt|r 4x5.pdf" << "2x3,4x5";
        QTest::newRow("text") << "text" << "10x10,20x10*";
        QTest::newRow("web address") << "url:https://e.com/t 6x7.pdf" << "10x10,20x10*";
    }

    void pasteTakesOnlyFiles()
    {
        QFETCH(QString, clipboard);
        auto* mime = new QMimeData;
        if (clipboard == "text")
            mime->setText(m_dir.filePath("s 6x7.pdf"));
        else
            mime->setUrls(urlsOf(clipboard));
        QApplication::clipboard()->setMimeData(mime);
        m_list->setFocus();
        QTest::keyClick(m_list.get(), Qt::Key_V, Qt::ControlModifier);
        QTEST(rows(), "after");
    }

    void copyOffersTheFileToFileManagers()
    {
        QApplication::clipboard()->clear();
        QTest::keyClick(m_list.get(), Qt::Key_C, Qt::ControlModifier);
        const QMimeData* mime = QApplication::clipboard()->mimeData();
        const QUrl url = file("old 20x10.pdf");
        QCOMPARE(mime->urls(), QList<QUrl>{url});
        QCOMPARE(mime->data("x-special/gnome-copied-files"), "copy\n" + url.toEncoded());
        m_list->clearSelection();
        QApplication::clipboard()->setText("kept");
        m_list->copy();
        QCOMPARE(QApplication::clipboard()->text(), QString("kept"));
    }
};

QTEST_MAIN(TestDocumentList)
#include "tst_documentlist.moc"
