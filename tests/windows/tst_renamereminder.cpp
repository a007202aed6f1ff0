#include "tests/support/contrast.h"
#include "tests/support/fakedesktop.h"
#include "tests/support/support.h"
#include "windows/mainwindow.h"
#include "windows/renamereminder.h"

#include <QtTest>
#include <QtWidgets>

class ReminderTest : public QObject
{
    Q_OBJECT
    FakeDesktop m_desktop;
    std::unique_ptr<windows::MainWindow> m_main;

    windows::RenameReminder* reminderOver(QPoint mainAt) // a fresh main window's, not shown
    {
        m_main = std::make_unique<windows::MainWindow>(m_desktop);
        m_main->move(mainAt);
        m_main->show();
        m_main->activateWindow();
        return new windows::RenameReminder(m_main.get());
    }

private slots:
    void realServer_data()
    {
        QTest::addColumn<bool>("x11");
        QTest::newRow("x11") << true;
        QTest::newRow("wayland") << false;
    }
    void realServer() // a popup of the main window's, quiet, which clicks pass through
    {
        QFETCH(bool, x11);
        if (ranUnder(x11 ? DisplayServer::Xvfb : DisplayServer::Weston))
            return;
        QTest::failOnWarning(QRegularExpression("."));
        auto* reminder = reminderOver(x11 ? QPoint(400, 100) : QPoint()); // Wayland: 0,0
        auto* below = m_main->findChild<QPushButton*>("calculateButton");
        const QPoint target = below->mapToGlobal(below->rect().center());
        reminder->showAt(target);
        QVERIFY(QTest::qWaitForWindowExposed(reminder));
        QCOMPARE(reminder->windowHandle()->transientParent(), m_main->windowHandle());
        QCOMPARE(reminder->geometry().center(),
                 QPoint(m_main->geometry().center().x(), target.y()));
        QSignalSpy clicked(below, &QPushButton::clicked);
        QTest::qWait(200); // the server has the reminder's input shape; headless weston no pointer
        if (x11)
            QProcess::execute("xdotool", {"mousemove", QString::number(target.x()),
                                          QString::number(target.y()), "click", "1"});
        QTRY_COMPARE(clicked.count(), x11 ? 1 : 0);
    }

    void shown_data()
    {
        QTest::addColumn<QPoint>("towards"); // the screen edge the pointer is next to, if any
        QTest::addColumn<bool>("dark");      // a dark palette, and a far wider font
        QTest::newRow("middle, light") << QPoint(0, 0) << false;
        QTest::newRow("left, dark") << QPoint(-1, 0) << true;
        QTest::newRow("top, light") << QPoint(0, -1) << false;
        QTest::newRow("bottom right, dark") << QPoint(1, 1) << true;
    }
    void shown()
    {
        QFETCH(QPoint, towards);
        QFETCH(bool, dark);
        const QColor window = dark ? QColor(53, 53, 53) : QColor(239, 239, 239);
        QApplication::setPalette(QPalette(window, window));
        QApplication::setFont(QFont(dark ? "DejaVu Sans Mono" : "DejaVu Sans"));
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint p =
            area.center() + QPoint(towards.x() * area.width(), towards.y() * area.height()) * 0.49;
        QPointer reminder = reminderOver(p - QPoint(60, 200));
        QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
        reminder->showAt(p);
        QVERIFY(QTest::qWaitForWindowExposed(reminder));
        QCOMPARE(QApplication::activeWindow(), m_main.get()); // never takes the focus
        const QRect r = reminder->geometry(); // over the main window at the pointer, in the screen
        QVERIFY(area.contains(r));
        const auto side = [](int edge, int low, int high, int middle) {
            return edge < 0 ? low : edge ? high : middle; };
        QCOMPARE(side(towards.x(), r.left(), r.right(), r.center().x()),
                 side(towards.x(), area.left(), area.right(), m_main->geometry().center().x()));
        QCOMPARE(side(towards.y(), r.top(), r.bottom(), r.center().y()),
                 side(towards.y(), area.top(), area.bottom(), p.y()));
        const QImage shot = reminder->grab().toImage();
        QRect ink; // readable (4.5:1), inside the edge
        for (int y = 1; y < shot.height() - 1; ++y)
            for (int x = 1; x < shot.width() - 1; ++x)
                ink |= contrast(shot.pixelColor(x, y), window) >= 4.5 ? QRect(x, y, 1, 1) : QRect();
        const QLabel* text = reminder->findChild<QLabel*>();
        QVERIFY2(text->font().bold() && ink.height() > text->font().pixelSize() * 3 / 2,
                 "not bold, not readable, or not wrapped");
        QVERIFY2(text->geometry().contains(ink), "the text is clipped");
        QVERIFY(contrast(shot.pixelColor(0, shot.height() / 2), window) > 1.5); // the edge
        QTimer* lifetime = reminder->findChild<QTimer*>(); // six seconds, not restarted
        const int remaining = lifetime->remainingTime();
        QVERIFY2(remaining > 5000 && remaining <= 6000, qPrintable(QString::number(remaining)));
        m_main->move(m_main->pos() + QPoint(9, 9));
        QTest::qWait(20);
        reminder->showAt(p + QPoint(9, 9));
        QCOMPARE(reminder->geometry(), r);
        QVERIFY(lifetime->remainingTime() < remaining);
        QVERIFY(QMetaObject::invokeMethod(lifetime, "timeout"));
        QTRY_VERIFY(!reminder); // closed and gone, so the next "Open file" makes a fresh one
    }
};

QTEST_MAIN(ReminderTest)
#include "tst_renamereminder.moc"
