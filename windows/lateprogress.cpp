#include "windows/lateprogress.h"

#include <QGuiApplication>

namespace windows {

namespace {

// Work that ends sooner shows nothing at all.
constexpr int ProgressDelayMilliseconds = 500;

} // namespace

QProgressDialog* lateProgress(const QString& label, int maximum, QWidget* window)
{
    auto* progress = new QProgressDialog(label, QProgressDialog::tr("Cancel"), 0, maximum, window);
    progress->setWindowTitle(QGuiApplication::applicationDisplayName());
    progress->setAttribute(Qt::WA_DeleteOnClose);
    progress->setAutoReset(false); // and with it, auto-close: full, it stays up
    progress->setMinimumDuration(ProgressDelayMilliseconds);
    progress->setValue(0);
    return progress;
}

void dismiss(QPointer<QProgressDialog>& progress)
{
    if (!progress)
        return;
    progress->hide();
    progress->deleteLater();
    progress = nullptr;
}

} // namespace windows
