#include "windows/aboutwindow.h"

#include "pallisto/version.h"
#include "platform/text.h"
#include "windows/maximising.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QScreen>
#include <QShortcut>
#include <QStyle>

namespace windows {

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Pallisto\u2026"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    liftLimitsWhileMaximised(*this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(platform::systemFont(13));
    setFixedSize(435, 146);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));

    // No control takes the focus, so the keys go to the window as a whole.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape),
                                     QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    m_bodyText = new QLabel(this);
    m_bodyText->setObjectName(QStringLiteral("bodyText"));
    m_bodyText->setText(platform::displayLines(QStringLiteral(
        "Find out which document you already done has the closest proportions to the "
        "document you need to do.\r\rDoing minor adjustments is always better than having to "
        "redo a whole document, right?")));
    m_bodyText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_bodyText->setWordWrap(true);
    m_bodyText->setGeometry(20, 14, 395, 81);

    m_creditLine = new QLabel(
        QStringLiteral("Pallisto " PALLISTO_VERSION " \u2014 \u00a9 2026 the Pallisto team"), this);
    m_creditLine->setObjectName(QStringLiteral("creditLine"));
    m_creditLine->setFont(platform::systemFont(9));
    m_creditLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_creditLine->setGeometry(215, 117, 200, 20);

    m_separator = new QFrame(this);
    m_separator->setObjectName(QStringLiteral("separator"));
    m_separator->setFrameShape(QFrame::HLine);
    m_separator->setFrameShadow(QFrame::Sunken);
    m_separator->setGeometry(20, 102, 395, 14);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFocusPolicy(Qt::NoFocus);
    m_picture->setAlignment(Qt::AlignCenter);
    m_picture->setGeometry(20, 117, 149, 20);
    showPicture();
}

QString AboutWindow::pictureFile(qreal devicePixelRatio, const QPalette& palette)
{
    const bool dark = palette.color(QPalette::Window).lightness() < 128;
    // Qt does not pick the @2x file for a plain QPixmap; loaded by name, it carries
    // its device pixel ratio of 2 and draws at the 1x size.
    return QStringLiteral(":/pallisto/about%1%2.png")
        .arg(dark ? QStringLiteral("-dark") : QString(),
             devicePixelRatio > 1.0 ? QStringLiteral("@2x") : QString());
}

void AboutWindow::changeEvent(QEvent* event)
{
    // A desktop switching between light and dark while the window is open.
    if (event->type() == QEvent::PaletteChange && m_picture)
        showPicture();
    QWidget::changeEvent(event);
}

void AboutWindow::showPicture()
{
    m_picture->setPixmap(QPixmap(pictureFile(devicePixelRatio(), palette())));
}

} // namespace windows
