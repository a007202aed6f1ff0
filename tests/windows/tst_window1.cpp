#include "tests/support/fakedesktop.h"
#include "windows/window1.h"

#include <QGroupBox>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestWindow1 : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_menuBar = new QMenuBar;
        m_menuBar->addMenu(QStringLiteral("&File"));
        m_window = new Window1(m_desktop, m_menuBar);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanup()
    {
        delete m_window;
        delete m_menuBar;
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("initial");
        QTest::addColumn<QRect>("atMinimum");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("pixelSize");
        QTest::addColumn<QString>("accessibleName");

        auto row = [](const char* name, QRect initial, QRect atMinimum, const QString& text,
                      int pixelSize, const QString& accessible = {}) {
            QTest::newRow(name) << QString::fromLatin1(name) << initial << atMinimum << text
                                << pixelSize << accessible;
        };
        row("filename_list", {20, 33, 179, 258}, {20, 33, 179, 39}, {}, 14, "Pre-made dimensions");
        row("propx", {20, 330, 80, 22}, {20, 111, 80, 22}, {}, 13, "Width");
        row("propy", {119, 330, 80, 22}, {119, 111, 80, 22}, {}, 13, "Height");
        row("StaticText1", {20, 307, 112, 20}, {20, 88, 112, 20}, "New dimensions:", 13);
        row("StaticText2", {105, 332, 10, 20}, {105, 113, 10, 20}, "x", 13);
        row("StaticText3", {20, 8, 147, 20}, {20, 8, 147, 20}, "Pre-made dimensions:", 13);
        row("PushButton1", {20, 364, 179, 24}, {20, 145, 179, 24}, "Calculate", 13);
        row("PushButton2", {20, 398, 179, 24}, {20, 179, 179, 24}, "Open file", 13);
        row("Separator1", {20, 297, 179, 12}, {20, 78, 179, 12}, {}, 13);
        row("GroupBox1", {20, 434, 184, 72}, {20, 215, 184, 72}, "Percentages:", 13);
        row("StaticText4", {30, 460, 83, 37}, {30, 241, 83, 37}, "Horizontal:\nVertical:", 15);
        row("percents", {120, 460, 69, 37}, {120, 241, 69, 37}, "---\n---", 15);
    }

    // Geometry is in the content area's coordinates, which also places the two
    // labels inside the group box.
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, initial);
        QFETCH(QRect, atMinimum);
        QFETCH(QString, text);
        QFETCH(int, pixelSize);
        QFETCH(QString, accessibleName);

        QWidget* content = m_window->centralWidget();
        auto* control = m_window->findChild<QWidget*>(name);
        QVERIFY(control);
        auto placed = [&] { return QRect(control->mapTo(content, QPoint(0, 0)), control->size()); };

        QCOMPARE(content->size(), QSize(220, 519));
        QCOMPARE(placed(), initial);
        const QVariant shown =
            control->property(qobject_cast<QGroupBox*>(control) ? "title" : "text");
        QCOMPARE(shown.toString(), text);
        QCOMPARE(control->font().pixelSize(), pixelSize);
        QCOMPARE(control->accessibleName(), accessibleName);

        m_window->resize(220, 100); // below the minimum
        QCOMPARE(content->height(), 300);
        QCOMPARE(placed(), atMinimum);

        m_window->resize(220, 519 + m_menuBar->height()); // and back, exactly
        QCOMPARE(placed(), initial);
    }

    void onlyTheHeightChanges()
    {
        const int menu = m_menuBar->height();
        m_window->resize(400, 519 + menu);
        QCOMPARE(m_window->centralWidget()->size(), QSize(220, 519));
        m_window->resize(220, 40000 + menu);
        QCOMPARE(m_window->centralWidget()->size(), QSize(220, 32000));
    }

    void returnPressesCalculate_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::newRow("Return in width") << "propx" << int(Qt::Key_Return) << 1;
        QTest::newRow("Enter in height") << "propy" << int(Qt::Key_Enter) << 1;
        QTest::newRow("Return on Open file") << "PushButton2" << int(Qt::Key_Return) << 1;
        QTest::newRow("digit in width") << "propx" << int(Qt::Key_5) << 0;
    }

    void returnPressesCalculate()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, presses);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window));
        auto* target = m_window->findChild<QWidget*>(focus);
        auto* calculate = m_window->findChild<QPushButton*>(QStringLiteral("PushButton1"));
        auto* open = m_window->findChild<QPushButton*>(QStringLiteral("PushButton2"));
        QSignalSpy calculated(calculate, &QPushButton::clicked);
        QSignalSpy opened(open, &QPushButton::clicked);

        target->setFocus();
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(calculated.count(), presses);
        QCOMPARE(opened.count(), 0);
    }

private:
    FakeDesktop m_desktop;
    QPointer<QMenuBar> m_menuBar;
    Window1* m_window = nullptr;
};

QTEST_MAIN(TestWindow1)
#include "tst_window1.moc"
