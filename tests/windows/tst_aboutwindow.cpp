#include "windows/aboutwindow.h"

#include <QtTest>
#include <QtWidgets>

class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void shownAndClosed_data() // light letters on dark, sharp on dense screens; Esc, Ctrl+W close
    {
        QTest::addColumn<int>("lightness");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<bool>("closes");
        QTest::newRow("light at 128, dpr 1") << 128 << 1.0 << "about.png" << QString("Esc") << true;
        QTest::newRow("dark at 127, dpr 1.25")
            << 127 << 1.25 << "about-dark@2x.png" << QString("Ctrl+W") << true;
        QTest::newRow("light, dpr 2, W alone")
            << 128 << 2.0 << "about@2x.png" << QString("W") << false;
    }
    void shownAndClosed()
    {
        QFETCH(int, lightness);
        QFETCH(qreal, dpr);
        const QPalette palette(QColor::fromHsl(0, 0, lightness));
        QTEST(windows::AboutWindow::pictureFile(dpr, palette).section('/', -1), "picture");
        QPointer<windows::AboutWindow> about = new windows::AboutWindow;
        about->show();
        QVERIFY(QTest::qWaitForWindowActive(about));
        const QLabel* text = about->findChild<QLabel*>("bodyText");
        QVERIFY(text->minimumSizeHint().width() <= text->width() && text->heightForWidth(text->width()) <= text->height());
        QFETCH(QString, keys);
        QTest::keySequence(about, QKeySequence(keys));
        QTEST(about->isHidden(), "closes");
        QTRY_VERIFY(about.isNull() || about->isVisible()); // closed is deleted
        delete about;
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
