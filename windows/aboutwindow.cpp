#include "windows/aboutwindow.h"

#include "pallisto/version.h"
#include "windows/designlayout.h"
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

namespace {

constexpr QSize DesignSize(435, 146);

constexpr Placement Design[] = {
    {"bodyText", {20, 14, 395, 81}},
    {"separator", {20, 102, 395, 14}},
    {"picture", {20, 117, 149, 20}},
    {"creditLine", {215, 117, 200, 20}},
};

} // namespace

AboutWindow::AboutWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("AboutWindow"));
    setWindowTitle(QStringLiteral("About Pallisto\u2026"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    liftLimitsWhileMaximised(*this);
    setAttribute(Qt::WA_DeleteOnClose);
    setFont(systemFont(13));
    setFixedSize(DesignSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                        screen->availableGeometry()));

    // No control takes the focus, so the keys go to the window as a whole.
    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape),
                                     QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);

    auto* bodyText = new QLabel(this);
    bodyText->setObjectName(QStringLiteral("bodyText"));
    bodyText->setText(QStringLiteral(
        "Find out which document you already done has the closest proportions to the "
        "document you need to do.\n\nDoing minor adjustments is always better than having to "
        "redo a whole document, right?"));
    bodyText->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    bodyText->setWordWrap(true);

    auto* creditLine = new QLabel(
        QStringLiteral("Pallisto " PALLISTO_VERSION " \u2014 \u00a9 2026 the Pallisto team"), this);
    creditLine->setObjectName(QStringLiteral("creditLine"));
    creditLine->setFont(systemFont(9));
    creditLine->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    auto* separator = new QFrame(this);
    separator->setObjectName(QStringLiteral("separator"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("picture"));
    m_picture->setFocusPolicy(Qt::NoFocus);
    m_picture->setAlignment(Qt::AlignCenter);
    showPicture();
    (new DesignLayout(this, DesignSize))->placeAll(Design);
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
