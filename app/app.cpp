#include "app/app.h"

#include "app/menubar1.h"
#include "windows/window2.h"

#include <QAction>

App::App(int& argc, char** argv) : QApplication(argc, argv) {}

App* App::instance()
{
    return qobject_cast<App*>(QCoreApplication::instance());
}

void App::_ApplicationAddMenuHandlers()
{
    if (!m_menuBar)
        return;
    if (auto* about = m_menuBar->findChild<QAction*>(QStringLiteral("FileAboutPallisto\u2026")))
        connect(about, &QAction::triggered, this, &App::_FileAboutPallisto_Action);
}

bool App::_FileAboutPallisto_Action()
{
    Window2::Show();
    return false;
}
