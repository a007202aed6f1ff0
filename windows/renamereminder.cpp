#include "windows/renamereminder.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace windows {

namespace {

constexpr int kWidth = 350;
constexpr int kHeight = 91;
constexpr int kOverhang = 65;      // centres the box over the 220 px main window
constexpr int kPointerOffset = 45; // puts the box's middle at the pointer's height
constexpr int kLifetimeMs = 6000;
constexpr int kTextPixelSize = 24;
constexpr int kSmallestTextPixelSize = 14;
constexpr double kLeastContrast = 4.5; // WCAG AA for text

// The largest pixel size, up to the design's 24, at which the whole of `text`
// wraps inside `box`. A wide general font would otherwise push the last line
// out of the box on some desktops.
int fittingPixelSize(QFont font, const QString& text, const QRect& box)
{
    for (int size = kTextPixelSize; size > kSmallestTextPixelSize; --size) {
        font.setPixelSize(size);
        const QRect needed =
            QFontMetrics(font).boundingRect(box, Qt::AlignCenter | Qt::TextWordWrap, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            return size;
    }
    return kSmallestTextPixelSize;
}

double luminance(const QColor& colour)
{
    auto channel = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) +
           0.0722 * channel(rgb.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
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
    setFixedSize(kWidth, kHeight);

    const QString message = tr("Don't forget to change the name of the file!!");
    setWindowTitle(tr("Reminder"));
    setAccessibleName(tr("Reminder"));
    setAccessibleDescription(message);

    m_text = new QLabel(message, this);
    m_text->setGeometry(20, 14, 311, 57);
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    QFont font = m_text->font();
    font.setBold(true);
    font.setPixelSize(fittingPixelSize(font, message, m_text->rect()));
    m_text->setFont(font);
    applyPalette();

    m_lifetime = new QTimer(this);
    m_lifetime->setSingleShot(true);
    m_lifetime->setTimerType(Qt::PreciseTimer);
    m_lifetime->setInterval(kLifetimeMs);
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
    const QPoint wanted(content.left() - kOverhang, content.top() + m - kPointerOffset);
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

void RenameReminder::applyPalette()
{
    // The theme's text colour on its window colour, unless the pair is too faint to read;
    // then black or white, whichever stands out more from that background.
    const QColor background = palette().color(QPalette::Window);
    m_textColour = palette().color(QPalette::WindowText);
    if (contrast(m_textColour, background) < kLeastContrast)
        m_textColour = contrast(Qt::black, background) >= contrast(Qt::white, background)
                           ? QColor(Qt::black)
                           : QColor(Qt::white);
    QPalette textPalette = m_text->palette();
    textPalette.setColor(QPalette::WindowText, m_textColour);
    m_text->setPalette(textPalette);
    update();
}

void RenameReminder::changeEvent(QEvent* event)
{
    // A theme switch while the reminder is up.
    if (event->type() == QEvent::PaletteChange)
        applyPalette();
    QWidget::changeEvent(event);
}

void RenameReminder::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Without a compositor's shadow the box would melt into the main window behind it;
    // a thin edge in a faint text colour keeps it apart on light and dark themes alike.
    QColor edge = m_textColour;
    edge.setAlphaF(0.45);
    QPainter painter(this);
    painter.setPen(edge);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace windows
