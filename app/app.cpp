#include "app/app.h"

#include "app/menubar1.h"
#include "windows/aboutwindow.h"

#include <QAction>

App::App(int& argc, char** argv) : QApplication(argc, argv) {}

App::~App()
{
    closeAbout();
}

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
    if (!m_about)
        m_about = new windows::AboutWindow;
    m_about->setWindowState(m_about->windowState() & ~Qt::WindowMinimized);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
    return false;
}

windows::AboutWindow* App::aboutWindow() const
{
    return m_about;
}

void App::closeAbout()
{
    delete m_about;
}
