#pragma once

#include <QPointer>
#include <QProgressDialog>

namespace windows {

// A progress window over `window` for work that may be long: it appears only once the work
// has lasted half a second, and stays up, full or not, with Cancel, until dismissed.
// `maximum` 0 shows only that work goes on.
QProgressDialog* lateProgress(const QString& label, int maximum, QWidget* window);

// Hides the window and deletes it later, and forgets it. Not closed, which would report a
// cancel; not deleted at once, since the end may be told from inside its own Cancel.
void dismiss(QPointer<QProgressDialog>& progress);

} // namespace windows
