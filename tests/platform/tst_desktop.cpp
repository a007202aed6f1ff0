#include "platform/desktop.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QWindow>

// Stands in for the desktop's file handler.
class Opener : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void launchHandsOverOnlyFilesThatExist()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath("doc.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        Opener opener;
        QDesktopServices::setUrlHandler("file", &opener, "open");
        platform::QtDesktop desktop;
        const bool gone = desktop.Launch(dir.filePath("gone.pdf"));
        const bool there = desktop.Launch(file.fileName());
        QDesktopServices::unsetUrlHandler("file");
        QVERIFY(!gone && there);
        QCOMPARE(opener.opened, QList<QUrl>{QUrl::fromLocalFile(file.fileName())});
    }

    void altCountsWithOtherModifiers_data()
    {
        QTest::addColumn<Qt::KeyboardModifiers>("held");
        QTest::addColumn<bool>("alt");
        QTest::newRow("nothing") << Qt::KeyboardModifiers() << false;
        QTest::newRow("Shift") << Qt::KeyboardModifiers(Qt::ShiftModifier) << false;
        QTest::newRow("Alt") << Qt::KeyboardModifiers(Qt::AltModifier) << true;
        QTest::newRow("Shift+Alt") << (Qt::ShiftModifier | Qt::AltModifier) << true;
        QTest::newRow("Ctrl+Alt") << (Qt::ControlModifier | Qt::AltModifier) << true;
    }
    void altCountsWithOtherModifiers()
    {
        QFETCH(Qt::KeyboardModifiers, held);
        QFETCH(bool, alt);
        QWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::keyPress(&window, Qt::Key_A, held); // presses the modifiers first
        const bool seen = platform::QtDesktop().AsyncAltKey();
        QTest::keyRelease(&window, Qt::Key_A, held);
        // Under offscreen a lone Alt's release still reports Alt; a plain key clears it.
        QTest::keyClick(&window, Qt::Key_A);
        QCOMPARE(seen, alt);
    }

    void clockNeverGoesBack()
    {
        platform::QtDesktop desktop;
        const double first = desktop.Microseconds();
        double last = first;
        for (int i = 0; i < 100000; ++i) {
            const double now = desktop.Microseconds();
            QVERIFY(now >= last);
            last = now;
        }
        QThread::msleep(2);
        QVERIFY(desktop.Microseconds() > first);
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
