#pragma once

#include <QObject>
#include <QPointer>

class QProgressDialog;
class QWidget;

namespace documents {
class DocumentOpener;
}

namespace windows {

// Shows over `window` what the opener tells: a failure in a window-modal warning, a copy's
// progress in a dialog whose Cancel drops the copy. Lives as long as the window.
class OpenFeedback : public QObject
{
    Q_OBJECT
public:
    OpenFeedback(documents::DocumentOpener& opener, QWidget* window);

private:
    void showFailure(const QString& message);
    void showCopy(const QString& originalName, const QString& copyName);
    void showProgress(qint64 done, qint64 total);
    void endCopy();

    documents::DocumentOpener& m_opener;
    QWidget* m_window;
    QPointer<QProgressDialog> m_progress;
};

} // namespace windows
