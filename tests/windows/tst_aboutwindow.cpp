#include "tests/support/contrast.h"
#include "windows/aboutwindow.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScopeGuard>
#include <QTest>
#include <cmath>

using windows::AboutWindow;

namespace {

// The strongest contrast any drawn pixel in `area` has against the window's
// background: the solid middle of a letter, whatever the anti-aliasing at its edges.
double strongestContrast(const QImage& shot, const QRect& area)
{
    const QRgb background = shot.pixel(2, 2);
    double best = 1.0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            best = std::max(best, contrast(QColor(shot.pixel(x, y)), QColor(background)));
    return best;
}

// A palette as a desktop theme gives it. The shades of lines and frames derive from
// the window colour; dark themes set their light shade themselves, because no
// lighter() of black is lighter.
QPalette paletteOf(const QColor& window, const QColor& text)
{
    QPalette palette(window);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Base, window);
    if (window.lightness() < 128)
        palette.setColor(QPalette::Light, QColor::fromHsl(0, 0, window.lightness() + 40));
    return palette;
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT
    const QPalette m_original = QApplication::palette();

private slots:
    void cleanup() { QApplication::setPalette(m_original); }

    void closesByKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Escape") << int(Qt::Key_Escape) << Qt::KeyboardModifiers() << true;
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << Qt::KeyboardModifiers(Qt::ControlModifier)
                                << true;
        QTest::newRow("W alone") << int(Qt::Key_W) << Qt::KeyboardModifiers() << false;
        QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << false;
    }

    void closesByKey()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, closes);
        QPointer<AboutWindow> about = new AboutWindow;
        const auto cleanUp = qScopeGuard([&] { delete about; });
        about->show();
        about->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key(key), modifiers);
        if (closes) {
            QTRY_VERIFY(!about); // closed, and so deleted
        } else {
            QTest::qWait(50);
            QVERIFY(about && about->isVisible());
        }
    }

    void creditLineCarriesTheVersion()
    {
        AboutWindow about;
        QCOMPARE(about.findChild<QLabel*>("creditLine")->text(),
                 QStringLiteral("Pallisto 1.0 \u2014 \u00a9 2026 the Pallisto team"));
        auto* body = about.findChild<QLabel*>("bodyText");
        QVERIFY(body->text().contains("do.\n\nDoing"));
        // Wrapped inside its box: nothing of the text is cut off at its left and right edges.
        about.show();
        const QImage shot = body->grab().toImage();
        for (int y = 0; y < shot.height(); ++y)
            for (const int x : {0, shot.width() - 1})
                QCOMPARE(shot.pixel(x, y), shot.pixel(0, 0));
    }

    void pictureFile_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("pixels");
        const QColor light("#efefef"), dark("#323232");
        QTest::newRow("light, dpr 1") << 1.0 << light << ":/pallisto/about.png" << QSize(149, 20);
        QTest::newRow("light, dpr 2") << 2.0 << light << ":/pallisto/about@2x.png"
                                      << QSize(298, 40);
        QTest::newRow("light, dpr 1.25 takes the sharp one")
            << 1.25 << light << ":/pallisto/about@2x.png" << QSize(298, 40);
        QTest::newRow("dark, dpr 1") << 1.0 << dark << ":/pallisto/about-dark.png"
                                     << QSize(149, 20);
        QTest::newRow("dark, dpr 2") << 2.0 << dark << ":/pallisto/about-dark@2x.png"
                                     << QSize(298, 40);
        QTest::newRow("lightness 127 is dark") << 1.0 << QColor::fromHsl(0, 0, 127)
                                               << ":/pallisto/about-dark.png" << QSize(149, 20);
        QTest::newRow("lightness 128 is light") << 1.0 << QColor::fromHsl(0, 0, 128)
                                                << ":/pallisto/about.png" << QSize(149, 20);
    }

    void pictureFile()
    {
        QFETCH(qreal, dpr);
        QFETCH(QColor, window);
        QFETCH(QString, file);
        QFETCH(QSize, pixels);
        QCOMPARE(AboutWindow::pictureFile(dpr, QPalette(window)), file);
        const QImage image(file);
        QCOMPARE(image.size(), pixels);
        QCOMPARE(image.devicePixelRatio(), pixels.width() / 149.0); // drawn at the 1x size
        QCOMPARE(qAlpha(image.pixel(image.width() - 1, 0)), 0); // no background of its own
    }

    // Measured on the drawn window: the wordmark, both texts and the separator line
    // stand out from the background, light desktop or dark.
    void readableOnItsBackground_data()
    {
        QTest::addColumn<QColor>("window");
        QTest::addColumn<QColor>("text");
        QTest::newRow("white") << QColor(Qt::white) << QColor(Qt::black);
        QTest::newRow("light grey #efefef") << QColor("#efefef") << QColor(Qt::black);
        QTest::newRow("mid grey #a0a0a0") << QColor("#a0a0a0") << QColor(Qt::black);
        QTest::newRow("dim grey #5e5e5e") << QColor("#5e5e5e") << QColor("#eeeeee");
        QTest::newRow("dark #323232") << QColor("#323232") << QColor("#eeeeee");
        QTest::newRow("black") << QColor(Qt::black) << QColor(Qt::white);
    }

    void readableOnItsBackground()
    {
        QFETCH(QColor, window);
        QFETCH(QColor, text);
        QApplication::setPalette(paletteOf(window, text));
        AboutWindow about;
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        const QImage shot = about.grab().toImage();
        QCOMPARE(QColor(shot.pixel(2, 2)), window);
        // The wordmark starts 33 px into the picture; left of it are the documents.
        const QRect wordmark = QRect(20 + 33, 117, 149 - 33, 20);
        const double needed = 3.0;
        QVERIFY2(strongestContrast(shot, wordmark) >= needed,
                 qPrintable(QString::number(strongestContrast(shot, wordmark))));
        for (const char* label : {"bodyText", "creditLine"})
            QVERIFY2(strongestContrast(shot, about.findChild<QWidget*>(label)->geometry()) >= needed,
                     label);
        QVERIFY2(strongestContrast(shot, about.findChild<QWidget*>("separator")->geometry()) > 1.2,
                 "no separator line");
    }

    // A desktop switching to dark while the window is open.
    void pictureFollowsAPaletteChange()
    {
        QApplication::setPalette(paletteOf(QColor("#efefef"), Qt::black));
        AboutWindow about;
        auto* picture = about.findChild<QLabel*>("picture");
        auto shown = [picture] { return picture->pixmap().toImage(); };
        QCOMPARE(shown(), QPixmap(":/pallisto/about.png").toImage());
        QApplication::setPalette(paletteOf(QColor("#323232"), QColor("#eeeeee")));
        QTRY_COMPARE(shown(), QPixmap(":/pallisto/about-dark.png").toImage());
    }
};

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
