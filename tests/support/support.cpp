#include "tests/support/support.h"

#include <QTest>
#include <QtWidgets> // one support file, which reaches into most of Qt

bool ranUnder(DisplayServer server)
{
    if (QGuiApplication::platformName() != QLatin1String("offscreen"))
        return false;
    QTemporaryDir runtime; // private (0700) as weston wants it, so its socket name is free
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    QProcess process, child;
    process.setProcessEnvironment(env);
    const auto stop = qScopeGuard([&] { process.kill(), process.waitForFinished(); });
    const bool x = server == DisplayServer::Xvfb;
    process.startCommand(
        x ? "Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp"
          : "weston --backend=headless-backend.so --use-pixman --socket=test --no-config");
    const auto ready = [&] {
        return x ? process.canReadLine() : QFile::exists(runtime.filePath("test"));
    };
    for (QDeadlineTimer deadline(10000); !ready() && !deadline.hasExpired() && process.processId();)
        process.waitForReadyRead(100);
    if (!ready()) // weston and Xvfb are test tools; a machine without them skips
        return QTest::qSkip("the display server did not start", __FILE__, __LINE__), true;
    env.insert("QT_QPA_PLATFORM", x ? "xcb" : "wayland");
    env.insert(x ? "DISPLAY" : "WAYLAND_DISPLAY", x ? ":" + process.readLine().trimmed() : "test");
    env.insert("ASAN_OPTIONS", "detect_leaks=0"); // the Wayland client library's, not ours
    env.remove("QT_LOGGING_RULES");               // every warning of the child counts
    child.setProcessEnvironment(env);
    const QString tag = QTest::currentDataTag() ? QString(":") + QTest::currentDataTag() : "";
    child.start(QCoreApplication::applicationFilePath(), {QTest::currentTestFunction() + tag});
    const bool passed = child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit;
    QTest::qVerify(passed && !child.exitCode(), "child", qPrintable(child.readAll()), __FILE__,
                   __LINE__);
    return true;
}

bool dropOn(QAbstractScrollArea& list, const QMimeData& mime, Qt::DropActions actions)
{
    QDragEnterEvent enter(list.viewport()->rect().center(), actions, &mime, Qt::LeftButton, {});
    QDragMoveEvent move(enter.position().toPoint(), actions, &mime, Qt::LeftButton, {});
    QDropEvent drop(enter.position(), actions, &mime, Qt::LeftButton, {});
    for (QEvent* event : std::initializer_list<QEvent*>{&enter, &move, &drop})
        QApplication::sendEvent(list.viewport(), event);
    return drop.isAccepted();
}
