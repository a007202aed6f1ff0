#include "windows/window1.h"

#include "dimensions/dimensions.h"
#include "documents/documentlistbox.h"
#include "documents/mainwindowactions.h"
#include "platform/text.h"
#include "windows/warning.h"

#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <vector>

namespace {

// The content area's design size and the range its height may take.
constexpr int kWidth = 220;
constexpr int kHeight = 519;
constexpr int kMinHeight = 300;
constexpr int kMaxHeight = 32000;

// Which edges of the content area a control keeps its distance to.
enum class Lock
{
    TopLeft,  // stays where it is
    AllSides, // stretches with the height
    Bottom,   // moves with the bottom edge
};

// Holds the controls and places them from their design geometry whenever the
// height changes, so that no rounding or history can creep in.
class ContentArea final : public QWidget
{
public:
    explicit ContentArea(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("ContentArea"));
        setFixedWidth(kWidth);
        setMinimumHeight(kMinHeight);
        setMaximumHeight(kMaxHeight);
        resize(kWidth, kHeight);
    }

    void place(QWidget* control, const QRect& design, Lock lock)
    {
        m_placed.push_back({control, design, lock});
        apply(m_placed.back());
    }

    QSize sizeHint() const override { return {kWidth, kHeight}; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        for (const auto& p : m_placed)
            apply(p);
    }

private:
    struct Placed
    {
        QWidget* control;
        QRect design;
        Lock lock;
    };

    void apply(const Placed& p) const
    {
        const int delta = height() - kHeight;
        QRect r = p.design;
        if (p.lock == Lock::AllSides)
            r.setHeight(r.height() + delta);
        else if (p.lock == Lock::Bottom)
            r.translate(0, delta);
        p.control->setGeometry(r);
    }

    std::vector<Placed> m_placed;
};

// Thin dotted lines between the rows.
class DottedRowsDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(QPen(option.palette.color(QPalette::Mid), 1, Qt::DotLine));
        const int y = option.rect.bottom();
        painter->drawLine(option.rect.left(), y, option.rect.right(), y);
        painter->restore();
    }
};

QLabel* staticText(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(platform::displayLines(text), parent);
    label->setObjectName(name);
    return label;
}

Window1* s_instance = nullptr;

} // namespace

Window1::Window1(platform::Desktop& desktop, QMenuBar* menuBar, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop)
{
    Layout(menuBar);
    CreateControls();
    s_instance = this;
}

Window1::~Window1()
{
    if (s_instance == this)
        s_instance = nullptr;
    // The menu bar outlives the window: take it out before the children go.
    if (m_menuBar && menuWidget() == m_menuBar)
        m_menuBar->setParent(nullptr);
}

Window1* Window1::instance()
{
    return s_instance;
}

void Window1::Layout(QMenuBar* menuBar)
{
    m_menuBar = menuBar;
    if (menuBar)
        setMenuBar(menuBar);

    setObjectName(QStringLiteral("Window1"));
    setWindowTitle(QStringLiteral("Pallisto"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);

    // The size limits belong to the content area; where the menu bar sits inside
    // the window, the window is that much taller.
    auto* content = new ContentArea(this);
    content->setFont(platform::systemFont(13));
    setCentralWidget(content);
    const int menuHeight = menuBar ? menuBar->sizeHint().height() : 0;
    setFixedWidth(kWidth);
    setMinimumHeight(kMinHeight + menuHeight);
    setMaximumHeight(kMaxHeight + menuHeight);
    resize(kWidth, kHeight + menuHeight);
}

void Window1::CreateControls()
{
    _CreateControls0();
}

void Window1::_CreateControls0()
{
    auto* content = static_cast<ContentArea*>(centralWidget());

    m_filename_list = new documents::DocumentListBox(content);
    m_filename_list->setObjectName(QStringLiteral("filename_list"));
    m_filename_list->setFont(platform::systemFont(14));
    m_filename_list->setAccessibleName(QStringLiteral("Pre-made dimensions"));
    m_filename_list->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_filename_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_filename_list->setItemDelegate(new DottedRowsDelegate(m_filename_list));
    content->place(m_filename_list, {20, 33, 179, 258}, Lock::AllSides);

    m_propx = new QLineEdit(content);
    m_propx->setObjectName(QStringLiteral("propx"));
    m_propx->setAccessibleName(QStringLiteral("Width"));
    content->place(m_propx, {20, 330, 80, 22}, Lock::Bottom);

    m_propy = new QLineEdit(content);
    m_propy->setObjectName(QStringLiteral("propy"));
    m_propy->setAccessibleName(QStringLiteral("Height"));
    content->place(m_propy, {119, 330, 80, 22}, Lock::Bottom);

    m_StaticText1 =
        staticText(QStringLiteral("StaticText1"), QStringLiteral("New dimensions:"), content);
    content->place(m_StaticText1, {20, 307, 112, 20}, Lock::Bottom);

    m_StaticText2 = staticText(QStringLiteral("StaticText2"), QStringLiteral("x"), content);
    content->place(m_StaticText2, {105, 332, 10, 20}, Lock::Bottom);

    m_StaticText3 =
        staticText(QStringLiteral("StaticText3"), QStringLiteral("Pre-made dimensions:"), content);
    content->place(m_StaticText3, {20, 8, 147, 20}, Lock::TopLeft);

    m_PushButton1 = new QPushButton(QStringLiteral("Calculate"), content);
    m_PushButton1->setObjectName(QStringLiteral("PushButton1"));
    m_PushButton1->setDefault(true);
    content->place(m_PushButton1, {20, 364, 179, 24}, Lock::Bottom);

    m_PushButton2 = new QPushButton(QStringLiteral("Open file"), content);
    m_PushButton2->setObjectName(QStringLiteral("PushButton2"));
    content->place(m_PushButton2, {20, 398, 179, 24}, Lock::Bottom);

    m_Separator1 = new QFrame(content);
    m_Separator1->setObjectName(QStringLiteral("Separator1"));
    m_Separator1->setFrameShape(QFrame::HLine);
    m_Separator1->setFrameShadow(QFrame::Sunken);
    content->place(m_Separator1, {20, 297, 179, 12}, Lock::Bottom);

    m_GroupBox1 = new QGroupBox(QStringLiteral("Percentages:"), content);
    m_GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    content->place(m_GroupBox1, {20, 434, 184, 72}, Lock::Bottom);

    // Inside the group box, which is at (20, 434): the labels sit at (30, 460)
    // and (120, 460) of the content area, each label line facing its value line.
    m_StaticText4 = staticText(QStringLiteral("StaticText4"),
                               QStringLiteral("Horizontal:\rVertical:"), m_GroupBox1);
    m_StaticText4->setFont(platform::systemFont(15));
    m_StaticText4->setAlignment(Qt::AlignRight | Qt::AlignTop);
    m_StaticText4->setGeometry(10, 26, 83, 37);

    m_percents = staticText(QStringLiteral("percents"),
                            QString::fromLatin1(dimensions::restingText), m_GroupBox1);
    m_percents->setFont(platform::systemFont(15));
    m_percents->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_percents->setGeometry(100, 26, 69, 37);

    documents::Controls controls;
    controls.window = this;
    controls.filename_list = m_filename_list;
    controls.propx = m_propx;
    controls.propy = m_propy;
    controls.StaticText2 = m_StaticText2;
    controls.percents = m_percents;
    controls.PushButton1 = m_PushButton1;
    controls.PushButton2 = m_PushButton2;
    m_actions = new documents::MainWindowActions(
        controls, m_desktop, [this] { warning::Show(this, m_desktop); }, this);
}

// A main window has no default button of its own: Return and Enter that no
// control used (the fields pass them on) press "Calculate".
void Window1::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (m_PushButton1->isEnabled())
            m_PushButton1->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

QAction* Window1::menuItem(const QString& name) const
{
    return m_menuBar ? m_menuBar->findChild<QAction*>(name) : nullptr;
}

QAction* Window1::EditMenu() const
{
    return menuItem(QStringLiteral("EditMenu"));
}
QAction* Window1::EditSelectAll() const
{
    return menuItem(QStringLiteral("EditSelectAll"));
}
QAction* Window1::UntitledMenu0() const
{
    return menuItem(QStringLiteral("UntitledMenu0"));
}
QAction* Window1::EditClear() const
{
    return menuItem(QStringLiteral("EditClear"));
}
QAction* Window1::EditPaste() const
{
    return menuItem(QStringLiteral("EditPaste"));
}
QAction* Window1::EditCopy() const
{
    return menuItem(QStringLiteral("EditCopy"));
}
QAction* Window1::EditCut() const
{
    return menuItem(QStringLiteral("EditCut"));
}
QAction* Window1::UntitledMenu1() const
{
    return menuItem(QStringLiteral("UntitledMenu1"));
}
QAction* Window1::EditUndo() const
{
    return menuItem(QStringLiteral("EditUndo"));
}
QAction* Window1::FileMenu() const
{
    return menuItem(QStringLiteral("FileMenu"));
}
QAction* Window1::FileAboutPallisto() const
{
    return menuItem(QStringLiteral("FileAboutPallisto\u2026"));
}
QAction* Window1::FileQuit() const
{
    return menuItem(QStringLiteral("FileQuit"));
}
