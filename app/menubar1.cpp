#include "app/menubar1.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>

namespace {

MenuBar1* s_instance = nullptr;

// Runs a text command on whatever has the keyboard focus, through its own slot,
// so fields and the document list each do their own thing (or nothing).
void onFocused(const char* slot)
{
    if (QWidget* focused = QApplication::focusWidget())
        QMetaObject::invokeMethod(focused, slot);
}

void deleteInFocusedField()
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        field->del();
}

} // namespace

MenuBar1* MenuBar1::instance()
{
    if (!s_instance)
        s_instance = new MenuBar1;
    return s_instance;
}

bool MenuBar1::exists()
{
    return s_instance != nullptr;
}

void MenuBar1::release()
{
    delete s_instance;
    s_instance = nullptr;
}

MenuBar1::~MenuBar1()
{
    if (s_instance == this)
        s_instance = nullptr;
}

MenuBar1::MenuBar1()
{
    setObjectName(QStringLiteral("MenuBar1"));
    Untitled0();
    Untitled1();
}

void MenuBar1::Untitled0()
{
    addNamedMenu(QStringLiteral("FileMenu"), QStringLiteral("&File"));

    QAction* quit = addItem(QStringLiteral("FileMenu"), QStringLiteral("FileQuit"),
                            QStringLiteral("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setMenuRole(QAction::QuitRole);
    // Quit works from every window, not only from the one showing the menu bar.
    quit->setShortcutContext(Qt::ApplicationShortcut);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);

    // Its handler belongs to the application and is connected at start-up.
    QAction* about = addItem(QStringLiteral("FileMenu"), QStringLiteral("FileAboutPallisto\u2026"),
                             QStringLiteral("About Pallisto\u2026"));
    about->setMenuRole(QAction::AboutRole);
}

void MenuBar1::Untitled1()
{
    const QString edit = QStringLiteral("EditMenu");
    addNamedMenu(edit, QStringLiteral("&Edit"));

    QAction* undo = addItem(edit, QStringLiteral("EditUndo"), QStringLiteral("&Undo"),
                            QKeySequence(Qt::CTRL | Qt::Key_Z));
    addSeparator(edit, QStringLiteral("UntitledMenu1"));
    QAction* cut = addItem(edit, QStringLiteral("EditCut"), QStringLiteral("Cu&t"),
                           QKeySequence(Qt::CTRL | Qt::Key_X));
    QAction* copy = addItem(edit, QStringLiteral("EditCopy"), QStringLiteral("&Copy"),
                            QKeySequence(Qt::CTRL | Qt::Key_C));
    QAction* paste = addItem(edit, QStringLiteral("EditPaste"), QStringLiteral("&Paste"),
                             QKeySequence(Qt::CTRL | Qt::Key_V));
    QAction* clear = addItem(edit, QStringLiteral("EditClear"), QStringLiteral("&Delete"));
    addSeparator(edit, QStringLiteral("UntitledMenu0"));
    QAction* selectAll = addItem(edit, QStringLiteral("EditSelectAll"),
                                 QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A));

    connect(undo, &QAction::triggered, this, [] { onFocused("undo"); });
    connect(cut, &QAction::triggered, this, [] { onFocused("cut"); });
    connect(copy, &QAction::triggered, this, [] { onFocused("copy"); });
    connect(paste, &QAction::triggered, this, [] { onFocused("paste"); });
    connect(clear, &QAction::triggered, this, [] { deleteInFocusedField(); });
    connect(selectAll, &QAction::triggered, this, [] { onFocused("selectAll"); });
}

QMenu* MenuBar1::addNamedMenu(const QString& name, const QString& caption)
{
    auto* menu = new QMenu(caption, this);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(name);
    menu->menuAction()->setMenuRole(QAction::NoRole);
    addMenu(menu);
    return menu;
}

QAction* MenuBar1::addItem(const QString& menuName, const QString& name, const QString& caption,
                           const QKeySequence& shortcut)
{
    QMenu* menu = findChild<QMenu*>(menuName, Qt::FindDirectChildrenOnly);
    auto* item = new QAction(caption, menu);
    item->setObjectName(name);
    item->setShortcut(shortcut);
    item->setMenuRole(QAction::NoRole);
    menu->addAction(item);
    return item;
}

void MenuBar1::addSeparator(const QString& menuName, const QString& name)
{
    QMenu* menu = findChild<QMenu*>(menuName, Qt::FindDirectChildrenOnly);
    auto* separator = new QAction(menu);
    separator->setObjectName(name);
    separator->setSeparator(true);
    separator->setMenuRole(QAction::NoRole);
    menu->addAction(separator);
}
