#include "windows/warning.h"

#include "platform/desktop.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <algorithm>

namespace {

constexpr int kWidth = 350;
constexpr int kHeight = 91;
constexpr int kOverhang = 65;      // centres the box over the 220 px main window
constexpr int kPointerOffset = 45; // puts the box's middle at the pointer's height
constexpr int kLifetimeMs = 6000;
constexpr int kTextPixelSize = 24;
constexpr int kSmallestTextPixelSize = 14;

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

} // namespace

QPointer<warning> warning::s_instance;

warning* warning::Show(QWidget* mainWindow, platform::Desktop& desktop)
{
    if (s_instance) {
        s_instance->show();
        s_instance->raise();
        return s_instance;
    }
    s_instance = new warning(mainWindow, desktop);
    s_instance->show();
    return s_instance;
}

warning* warning::instance()
{
    return s_instance;
}

warning::warning(QWidget* mainWindow, platform::Desktop& desktop)
    : QWidget(mainWindow), m_mainWindow(mainWindow), m_desktop(desktop)
{
    Layout();
    CreateControls();
    AddMenuHandlers();
}

void warning::Layout()
{
    setObjectName(QStringLiteral("warning"));
    setWindowTitle(QStringLiteral("Untitled"));
    // The tool-tip kind is left alone by window managers (no frame to drag, resize
    // or close, never activated) and gets a drop shadow where the platform draws one.
    setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);
}

void warning::CreateControls()
{
    CreateControls0();
}

void warning::CreateControls0()
{
    m_staticText1 =
        new QLabel(QStringLiteral("Don't forget to change the name of the file!!"), this);
    m_staticText1->setObjectName(QStringLiteral("StaticText1"));
    m_staticText1->setGeometry(20, 14, 311, 57);
    m_staticText1->setAlignment(Qt::AlignCenter);
    m_staticText1->setWordWrap(true);
    QFont font = m_staticText1->font();
    font.setBold(true);
    font.setPixelSize(fittingPixelSize(font, m_staticText1->text(), m_staticText1->rect()));
    m_staticText1->setFont(font);
    QPalette palette = m_staticText1->palette();
    palette.setColor(QPalette::WindowText, Qt::black);
    m_staticText1->setPalette(palette);

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setTimerType(Qt::PreciseTimer);
    m_timer1->setInterval(kLifetimeMs);
    connect(m_timer1, &QTimer::timeout, this, &warning::Timer1_Action);
}

void warning::AddMenuHandlers() {}

void warning::Event_Open()
{
    // L and T are the main window's content area on the screen (its geometry()),
    // and m is the pointer's height relative to that same top edge.
    int left = 0;
    int top = 0;
    if (m_mainWindow) {
        const QRect mainGeometry = m_mainWindow->geometry();
        const int m = m_desktop.MousePosition().y() - mainGeometry.top();
        left = mainGeometry.left() - kOverhang;
        top = mainGeometry.top() + m - kPointerOffset;
    }
    move(std::max(left, 0), std::max(top, 0));
    m_timer1->start(kLifetimeMs);
}

void warning::Timer1_Action()
{
    m_timer1->stop();
    close();
}

void warning::showEvent(QShowEvent* event)
{
    // The show event arrives before the window is mapped, so the first placement
    // happens without a visible jump.
    if (!m_opened) {
        m_opened = true;
        Event_Open();
    }
    QWidget::showEvent(event);
}

void warning::closeEvent(QCloseEvent* event)
{
    if (s_instance == this)
        s_instance = nullptr;
    QWidget::closeEvent(event);
}

void warning::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    // Without a window manager's shadow the box would melt into the main window
    // behind it; a thin edge keeps it apart.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
