#include "windows/window2.h"

#include "platform/text.h"

#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <memory>

namespace {

Window2* s_instance = nullptr;
// A pixmap must not outlive the application object, so it is freed explicitly.
std::unique_ptr<QPixmap> s_picture;

} // namespace

Window2::Window2()
{
    Layout();
    CreateControls();
    s_instance = this;
}

Window2::~Window2()
{
    if (s_instance == this)
        s_instance = nullptr;
}

Window2* Window2::instance()
{
    return s_instance;
}

Window2* Window2::Show()
{
    Window2* window = s_instance ? s_instance : new Window2;
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

QPixmap Window2::AboutPicture()
{
    if (!s_picture) {
        // Qt does not pick the @2x file for a plain QPixmap; loaded by name, it
        // carries its device pixel ratio of 2 and draws at the 1x size.
        const QString sharp = QStringLiteral(":/pallisto/about@2x.png");
        const bool hiDpi = qApp && qApp->devicePixelRatio() > 1.0 && QFile::exists(sharp);
        s_picture =
            std::make_unique<QPixmap>(hiDpi ? sharp : QStringLiteral(":/pallisto/about.png"));
    }
    return *s_picture;
}

void Window2::ReleaseAboutPicture()
{
    s_picture.reset();
}

void Window2::Layout()
{
    setObjectName(QStringLiteral("Window2"));
    setWindowTitle(QStringLiteral("About Pallisto\u2026"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(platform::systemFont(13));
    setFixedSize(435, 146);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));
}

void Window2::CreateControls()
{
    _CreateControls0();
}

void Window2::_CreateControls0()
{
    m_StaticText1 = new QLabel(this);
    m_StaticText1->setObjectName(QStringLiteral("StaticText1"));
    QString body = QStringLiteral(
        "Find out which document you already done has the closest proportions to the "
        "document you need to do.\r\rDoing minor adjustments is always better than having to "
        "redo a whole document, right?");
    m_StaticText1->setText(platform::displayLines(body));
    m_StaticText1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_StaticText1->setWordWrap(true);
    m_StaticText1->setGeometry(20, 14, 395, 81);

    m_StaticText2 =
        new QLabel(QStringLiteral("Pallisto 1.0 \u2014 \u00a9 2026 the Pallisto team"), this);
    m_StaticText2->setObjectName(QStringLiteral("StaticText2"));
    m_StaticText2->setFont(platform::systemFont(9));
    m_StaticText2->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_StaticText2->setGeometry(215, 117, 200, 20);

    m_Separator1 = new QFrame(this);
    m_Separator1->setObjectName(QStringLiteral("Separator1"));
    m_Separator1->setFrameShape(QFrame::HLine);
    m_Separator1->setFrameShadow(QFrame::Sunken);
    m_Separator1->setGeometry(20, 102, 395, 14);

    m_Canvas1 = new QLabel(this);
    m_Canvas1->setObjectName(QStringLiteral("Canvas1"));
    m_Canvas1->setFocusPolicy(Qt::NoFocus);
    m_Canvas1->setAlignment(Qt::AlignCenter);
    m_Canvas1->setPixmap(AboutPicture());
    m_Canvas1->setGeometry(20, 117, 149, 20);
}
