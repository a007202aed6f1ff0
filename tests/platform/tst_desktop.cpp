#include "platform/desktop.h"

#include <QDesktopServices>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QUrl>
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
    void launchHandsOverOnlyFilesThatExist_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("handedOver");
        QTest::newRow("existing file") << "doc 50x70.pdf" << true;
        QTest::newRow("missing file") << "gone 50x70.pdf" << false;
    }
    void launchHandsOverOnlyFilesThatExist()
    {
        QFETCH(QString, name);
        QFETCH(bool, handedOver);
        QTemporaryDir dir;
        QFile file(dir.filePath("doc 50x70.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        Opener opener;
        QDesktopServices::setUrlHandler("file", &opener, "open");
        platform::QtDesktop desktop;
        const bool launched = desktop.Launch(dir.filePath(name));
        QDesktopServices::unsetUrlHandler("file");
        QCOMPARE(launched, handedOver);
        QCOMPARE(opener.opened,
                 handedOver ? QList<QUrl>{QUrl::fromLocalFile(dir.filePath(name))} : QList<QUrl>{});
    }

    void altCountsWithOtherModifiers_data()
    {
        QTest::addColumn<QList<Qt::Key>>("keys");
        QTest::addColumn<bool>("alt");
        QTest::newRow("nothing held") << QList<Qt::Key>{} << false;
        QTest::newRow("Shift") << QList<Qt::Key>{Qt::Key_Shift} << false;
        QTest::newRow("Alt") << QList<Qt::Key>{Qt::Key_Alt} << true;
        QTest::newRow("Shift+Alt") << QList<Qt::Key>{Qt::Key_Shift, Qt::Key_Alt} << true;
        QTest::newRow("Ctrl+Alt") << QList<Qt::Key>{Qt::Key_Control, Qt::Key_Alt} << true;
    }
    void altCountsWithOtherModifiers()
    {
        QFETCH(QList<Qt::Key>, keys);
        QFETCH(bool, alt);
        QWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        Qt::KeyboardModifiers held;
        for (Qt::Key key : keys) {
            held |= key == Qt::Key_Alt     ? Qt::AltModifier
                    : key == Qt::Key_Shift ? Qt::ShiftModifier
                                           : Qt::ControlModifier;
            QTest::keyPress(&window, key, held);
        }
        const bool seen = platform::QtDesktop().AsyncAltKey();
        for (auto key = keys.crbegin(); key != keys.crend(); ++key)
            QTest::keyRelease(&window, *key, held);
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
