// Preloaded (LD_PRELOAD) into a Qt program, so the program itself needs no hook: ends the
// program once its first window is exposed, which is where start-up ends for a user.

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace {

class QuitWhenShown final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed())
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

void install()
{
    qApp->installEventFilter(new QuitWhenShown); // lives as long as the program
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
