#include "windows/renamereminder.h"

#include "windows/designlayout.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

namespace windows {

namespace {

constexpr QSize DesignSize(350, 91);
constexpr Placement Design[] = {{"message", {20, 14, 311, 57}}};
constexpr int PointerOffset = 45; // puts the box's middle at the pointer's height
// Long enough to read the reminder, and still there when the document's application comes
// up after the opener's two-second wait.
constexpr int ReminderMilliseconds = 6000;
constexpr int TextPixelSize = 24;
constexpr int SmallestTextPixelSize = 14;

// The largest pixel size, up to the design's 24, at which the whole of `text`
// wraps inside `box`. A wide general font would otherwise push the last line
// out of the box on some desktops.
int fittingPixelSize(QFont font, const QString& text, const QRect& box)
{
    for (int size = TextPixelSize; size > SmallestTextPixelSize; --size) {
        font.setPixelSize(size);
        const QRect needed =
            QFontMetrics(font).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (box.contains(needed))
            return size;
    }
    return SmallestTextPixelSize;
}

// Wayland gives toplevels no global position: the main window reads as 0,0 and the
// reminder can only be placed relative to it, as a popup the compositor keeps on screen.
bool globalPositionsExist()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

RenameReminder::RenameReminder(QWidget* mainWindow)
    // The tool-tip kind gets no frame, stays above the main window, is never activated,
    // gets a compositor's shadow and, on Wayland, becomes a popup of its transient parent.
    : QWidget(mainWindow, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus | Qt::WindowTransparentForInput)
{
    setObjectName(QStringLiteral("RenameReminder"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::NoFocus);
    setFixedSize(DesignSize);

    const QString message = tr("Don't forget to change the name of the file!!");
    setWindowTitle(tr("Reminder"));
    setAccessibleName(tr("Reminder"));
    setAccessibleDescription(message);

    m_text = new QLabel(message, this);
    m_text->setObjectName(QStringLiteral("message"));
    (new DesignLayout(this, DesignSize))->placeAll(Design);
    layout()->activate(); // the label's box, to fit the text in
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    QFont font = m_text->font();
    font.setBold(true);
    font.setPixelSize(fittingPixelSize(font, message, m_text->rect()));
    m_text->setFont(font);

    m_lifetime = new QTimer(this);
    m_lifetime->setSingleShot(true);
    m_lifetime->setTimerType(Qt::PreciseTimer);
    m_lifetime->setInterval(ReminderMilliseconds);
    connect(m_lifetime, &QTimer::timeout, this, &QWidget::close);
}

void RenameReminder::showAt(QPoint pointer)
{
    if (!m_lifetime->isActive()) {
        move(placement(pointer));
        m_lifetime->start();
    }
    show();
    raise();
}

QPoint RenameReminder::placement(QPoint pointer) const
{
    // L and T: the main window's content area on the screen; m: the pointer's height in it.
    const QWidget* main = parentWidget()->window();
    const QRect content = main->geometry();
    const int m = pointer.y() - content.top();
    // Centred over the main window.
    const int overhang = (width() - main->width()) / 2;
    const QPoint wanted(content.left() - overhang, content.top() + m - PointerOffset);
    if (!globalPositionsExist())
        return wanted;

    // Pulled inside the screen's usable area near any edge, so none of it is cut off. Where
    // that area starts at 0,0 this is the familiar correction of a negative left or top to 0;
    // a panel, or a second screen left of or above the first, is respected as well.
    const QRect area = main->screen()->availableGeometry();
    auto inside = [](int at, int low, int length, int span) {
        // When the box is larger than the area, its left or top edge stays visible.
        return std::max(low, std::min(at, low + span - length));
    };
    return {inside(wanted.x(), area.left(), width(), area.width()),
            inside(wanted.y(), area.top(), height(), area.height())};
}

void RenameReminder::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Without a compositor's shadow the box would melt into the main window behind it;
    // a thin edge in a faint text colour keeps it apart on light and dark themes alike. The
    // text itself is the theme's text on its window colour, which themes keep readable.
    QColor edge = palette().color(QPalette::WindowText);
    edge.setAlphaF(0.45);
    QPainter painter(this);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace windows
