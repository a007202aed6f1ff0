#include "documents/documentopener.h"

#include "dimensions/dimensions.h"
#include "documents/copymaker.h"
#include "documents/documentlistbox.h"
#include "platform/desktop.h"

#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <cstdint>

namespace documents {

namespace {

// The reminder stays alone on screen for more than this before the document opens.
constexpr double ReminderWaitMicroseconds = 2'000'000.0;
// How often the wait looks at the clock. A timer may fire early, so the clock,
// not the timer, ends the wait; short wake-ups keep it from ending late.
constexpr int ClockCheckMilliseconds = 10;

// A field's value, or -1 (not given) when it is empty.
std::int32_t fieldValue(const QLineEdit* field)
{
    const QString text = field->text();
    return text.isEmpty() ? -1 : dimensions::readInt32(text.toStdString());
}

// A reason from the file layer, as the end of a sentence.
QString sentence(QString reason)
{
    if (reason.isEmpty())
        return QStringLiteral("The reason is unknown.");
    if (!reason.endsWith(QLatin1Char('.')) && !reason.endsWith(QLatin1Char('!')))
        reason += QLatin1Char('.');
    return reason;
}

} // namespace

DocumentOpener::DocumentOpener(const Controls& controls, platform::Desktop& desktop,
                               std::function<void()> showReminder, QObject* parent)
    : QObject(parent), m_controls(controls), m_desktop(desktop),
      m_showReminder(std::move(showReminder))
{
    connect(m_controls.PushButton2, &QPushButton::clicked, this,
            &DocumentOpener::PushButton2_Action);
    m_controls.filename_list->viewport()->installEventFilter(this);
}

void DocumentOpener::PushButton2_Action()
{
    const bool copyMode = m_desktop.AsyncAltKey();
    const DocumentListBox* list = m_controls.filename_list;
    int chosen = -1;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->isSelected())
            chosen = i;
    }
    if (chosen != -1)
        openRow(chosen, copyMode);
}

void DocumentOpener::filename_list_DoubleClick()
{
    const bool copyMode = m_desktop.AsyncAltKey();
    const DocumentListBox* list = m_controls.filename_list;
    const QWidget* viewport = list->viewport();
    // The viewport's own coordinates hold at any scroll position and frame size.
    const QPoint point = viewport->mapFromGlobal(m_desktop.MousePosition());
    if (!viewport->rect().contains(point))
        return;
    const QModelIndex index = list->indexAt(point);
    if (index.isValid())
        openRow(index.row(), copyMode);
}

bool DocumentOpener::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick &&
        watched == m_controls.filename_list->viewport() &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        filename_list_DoubleClick();
    }
    return QObject::eventFilter(watched, event);
}

void DocumentOpener::openRow(int row, bool copyMode)
{
    if (m_busy)
        return;
    const auto& files = m_controls.filename_list->file_list();
    if (row < 0 || static_cast<std::size_t>(row) >= files.size())
        return;
    // A copy, since the list may be filled anew while the reminder waits.
    const platform::FolderItem document = files[static_cast<std::size_t>(row)];
    if (document.isNull())
        return;

    m_busy = true;
    struct Release
    {
        bool& busy;
        ~Release() { busy = false; }
    } release{m_busy};

    if (!copyMode) {
        if (m_showReminder)
            m_showReminder();
        waitAfterReminder();
        launch(document);
        return;
    }

    const std::int32_t x = fieldValue(m_controls.propx);
    const std::int32_t y = fieldValue(m_controls.propy);
    if (x == -1 || y == -1) {
        launch(document);
        return;
    }
    const QString newName = CopyName(document.Name(), x, y);
    if (newName.isEmpty()) {
        launch(document);
        return;
    }
    const CopyOutcome outcome = MakeCopy(document, newName);
    if (!outcome.result) {
        m_desktop.Beep();
        tell(tr("Could not make a copy of \"%1\": %2")
                 .arg(document.Name(), sentence(outcome.result.reason)));
        return;
    }
    launch(outcome.document);
}

void DocumentOpener::waitAfterReminder()
{
    // Not a busy loop: the reminder and the windows have to be painted while we
    // wait. User input stays queued until the document has been handed over.
    const double t0 = m_desktop.Microseconds();
    QEventLoop loop;
    QTimer clockCheck;
    clockCheck.setTimerType(Qt::PreciseTimer);
    clockCheck.setInterval(ClockCheckMilliseconds);
    connect(&clockCheck, &QTimer::timeout, &loop, [&] {
        if (m_desktop.Microseconds() - t0 > ReminderWaitMicroseconds)
            loop.quit();
    });
    clockCheck.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void DocumentOpener::launch(const platform::FolderItem& document)
{
    const QString name = document.Name();
    if (!document.exists())
        tell(tr("\"%1\" could not be opened: The file no longer exists.").arg(name));
    else if (!m_desktop.Launch(document.AbsolutePath()))
        tell(tr("\"%1\" could not be opened: No application on this computer opens it.").arg(name));
}

void DocumentOpener::tell(const QString& text)
{
    auto* box = new QMessageBox(QMessageBox::Warning, QGuiApplication::applicationDisplayName(),
                                text, QMessageBox::Ok, m_controls.window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open(); // window-modal and non-blocking
}

} // namespace documents
