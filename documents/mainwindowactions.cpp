#include "documents/mainwindowactions.h"

#include "dimensions/dimensions.h"
#include "documents/documentlistbox.h"
#include "documents/documentopener.h"
#include "platform/desktop.h"
#include "platform/text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <algorithm>

namespace documents {

void setMultilineText(QLabel* label, std::string_view text)
{
    label->setText(platform::displayLines(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

bool refusesKey(const QString& key)
{
    // Control characters lie below the space; keys without text (arrows, Home, End)
    // have an empty text, which sorts first. A text of several characters, as an
    // input method may deliver, is compared as a whole and passes as a number only
    // when every character is a digit.
    if (QString::compare(key, QStringLiteral(" "), Qt::CaseInsensitive) < 0) {
        return false;
    }
    const bool digits = std::all_of(key.begin(), key.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return !digits;
}

MainWindowActions::MainWindowActions(const Controls& controls, platform::Desktop& desktop,
                                     std::function<void()> showReminder, QObject* parent)
    : QObject(parent), m_controls(controls), m_desktop(desktop),
      m_opener(new DocumentOpener(controls, desktop, std::move(showReminder), this))
{
    m_controls.propx->installEventFilter(this);
    m_controls.propy->installEventFilter(this);
    m_controls.StaticText2->installEventFilter(this);
    connect(m_controls.PushButton1, &QPushButton::clicked, this,
            &MainWindowActions::PushButton1_Action);
}

bool MainWindowActions::propx_KeyDown(const QString& key)
{
    return refusesKey(key);
}

bool MainWindowActions::propy_KeyDown(const QString& key)
{
    return refusesKey(key);
}

bool MainWindowActions::StaticText2_MouseDown(QPoint)
{
    const QString a = m_controls.propx->text();
    const QString b = m_controls.propy->text();
    m_controls.propx->setText(b);
    m_controls.propy->setText(a);
    return false;
}

void MainWindowActions::PushButton1_Action()
{
    DocumentListBox* list = m_controls.filename_list;
    const int N = list->count();
    if (N == 0) {
        m_desktop.Beep();
        return;
    }
    const QString textX = m_controls.propx->text();
    if (textX.isEmpty()) {
        m_desktop.Beep();
        return;
    }
    const QString textY = m_controls.propy->text();
    if (textY.isEmpty()) {
        m_desktop.Beep();
        return;
    }
    const std::int32_t X = dimensions::readInt32(textX.toStdString());
    const std::int32_t Y = dimensions::readInt32(textY.toStdString());
    if (X == 0 || Y == 0) {
        m_desktop.Beep();
        return;
    }

    const std::optional<dimensions::Match> match =
        dimensions::findClosestRatio(list->rowTexts().first(static_cast<std::size_t>(N)), X, Y);
    // Every row deselected, in one step rather than one signal per row.
    list->clearSelection();
    setMultilineText(m_controls.percents, dimensions::restingText);
    if (!match) {
        return;
    }
    setMultilineText(m_controls.percents, dimensions::percentsText(match->horizontal, match->vertical));
    list->setFocus(Qt::OtherFocusReason);
    list->setCurrentRow(match->row, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(match->row));
}

bool MainWindowActions::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress &&
        (watched == m_controls.propx || watched == m_controls.propy)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts such as Ctrl+A, Ctrl+C, Ctrl+V and Ctrl+Z keep working.
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
            return false;
        }
        return watched == m_controls.propx ? propx_KeyDown(key->text())
                                           : propy_KeyDown(key->text());
    }
    if (event->type() == QEvent::MouseButtonPress && watched == m_controls.StaticText2) {
        StaticText2_MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
        return false;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace documents
