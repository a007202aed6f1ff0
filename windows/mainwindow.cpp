#include "windows/mainwindow.h"

#include "documents/calculate.h"
#include "documents/documentlist.h"
#include "documents/documentopener.h"
#include "platform/desktop.h"
#include "windows/aboutwindow.h"
#include "windows/designlayout.h"
#include "windows/editactions.h"
#include "windows/fields.h"
#include "windows/maximising.h"
#include "windows/openfeedback.h"
#include "windows/renamereminder.h"
#include "windows/scanprogress.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QtConcurrent/QtConcurrentRun>
#include <QWindow>
#include <algorithm>

namespace windows {

namespace {

// The content area's design size and the range its height may take.
constexpr QSize DesignSize(220, 519);
constexpr int MinimumHeight = 300;
constexpr int ShortScreenMinimumHeight = 280;
constexpr int MaximumHeight = 32000;

// Every control at the design size; only the list grows with the height, the controls below
// it keep to the bottom edge.
constexpr Placement Design[] = {
    {"documentsLabel", {20, 8, 147, 20}},
    {"documentList", {20, 33, 179, 258}, Anchor::TopAndBottom},
    {"separator", {20, 297, 179, 12}, Anchor::Bottom},
    {"newSizeLabel", {20, 307, 112, 20}, Anchor::Bottom},
    {"widthField", {20, 330, 80, 22}, Anchor::Bottom},
    {"swapButton", {105, 332, 10, 20}, Anchor::Bottom},
    {"heightField", {119, 330, 80, 22}, Anchor::Bottom},
    {"calculateButton", {20, 364, 179, 24}, Anchor::Bottom},
    {"openButton", {20, 398, 179, 24}, Anchor::Bottom},
    {"resultGroup", {20, 434, 184, 72}, Anchor::Bottom},
    // Inside the group box, each caption line facing its value line.
    {"resultCaptions", {10, 26, 83, 37}},
    {"resultLabel", {100, 26, 69, 37}},
};

QLabel* label(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* sizeField(const QString& name, const QString& accessibleName, QWidget* parent)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(accessibleName);
    field->setValidator(new SizeValidator(field));
    return field;
}

} // namespace

bool isAltHeld(Qt::KeyboardModifiers modifiers)
{
    return modifiers.testFlag(Qt::AltModifier);
}

MainWindow::MainWindow(platform::Desktop& desktop, const documents::ListStore& store,
                       std::optional<documents::ListStore::Loaded> remembered,
                       int reminderWaitMilliseconds, QWidget* parent)
    : QMainWindow(parent), m_desktop(desktop), m_store(store)
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Pallisto"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    liftLimitsWhileMaximised(*this);
    buildControls();
    buildMenus();

    // The size limits belong to the content area; the menu bar, where it sits inside the
    // window, makes the window that much taller. A small or highly scaled screen may be shorter
    // than the design: the window opens as tall as fits there, and only the list gets shorter,
    // on a very short screen down to about a row. The frame is known where the app draws it.
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->sizeHint().height();
    const QMargins frame = windowHandle()->frameMargins();
    const int fitting = screen()->availableGeometry().height() - frame.top() - frame.bottom();
    setFixedWidth(DesignSize.width());
    setMinimumHeight(
        std::clamp(fitting, ShortScreenMinimumHeight + menuHeight, MinimumHeight + menuHeight));
    setMaximumHeight(MaximumHeight + menuHeight);
    resize(DesignSize.width(),
           std::max(minimumHeight(), std::min(DesignSize.height() + menuHeight, fitting)));

    m_opener = new documents::DocumentOpener(m_desktop, this, reminderWaitMilliseconds);
    new OpenFeedback(*m_opener, this);
    connect(m_opener, &documents::DocumentOpener::reminderWanted, this, &MainWindow::showReminder);
    connect(m_calculateButton, &QPushButton::clicked, this, &MainWindow::calculate);
    // The modifiers Qt holds while it delivers the click are those of the click itself, even
    // when the click waited in the queue while the app was busy.
    connect(m_openButton, &QPushButton::clicked, this,
            [this] { openChosen(QGuiApplication::keyboardModifiers()); });
    connect(m_documentList, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        openRow(m_documentList->row(item), QGuiApplication::keyboardModifiers());
    });
    connect(m_swapButton, &QToolButton::clicked, this, &MainWindow::swapSizes);
    connect(m_documentList, &documents::DocumentList::rowsReplaced, this,
            [this] { m_resultLabel->setText(resultText(std::nullopt)); });
    connect(m_documentList, &documents::DocumentList::namesLeftOut, this,
            &MainWindow::tellNamesLeftOut);

    new ScanProgress(*m_documentList, this);
    m_saving.setMaxThreadCount(1);
    if (!remembered)
        remembered = m_store.load();
    if (!remembered->warning.isEmpty())
        qWarning().noquote() << remembered->warning;
    m_documentList->restore(remembered->paths);
    connect(m_documentList, &documents::DocumentList::rowsReplaced, this,
            &MainWindow::rememberList);
}

MainWindow::~MainWindow() = default;

// Off the GUI thread: a list of many thousand documents takes a while to write and sync.
void MainWindow::rememberList()
{
    (void)QtConcurrent::run(&m_saving, [store = m_store, paths = m_documentList->documents()] {
        if (!store.save(paths))
            qWarning().noquote() << QStringLiteral("pallisto: the list could not be saved in %1")
                                        .arg(store.path());
    });
}

void MainWindow::buildControls()
{
    auto* content = new QWidget(this);
    content->setObjectName(QStringLiteral("content"));
    content->setFont(systemFont(13));
    setCentralWidget(content);

    m_documentList = new documents::DocumentList(content);
    m_documentList->setObjectName(QStringLiteral("documentList"));
    m_documentList->setFont(systemFont(14));
    m_documentList->setAccessibleName(QStringLiteral("Pre-made dimensions"));
    m_documentList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    m_widthField = sizeField(QStringLiteral("widthField"), QStringLiteral("Width"), content);

    m_swapButton = new QToolButton(content);
    m_swapButton->setObjectName(QStringLiteral("swapButton"));
    m_swapButton->setText(QStringLiteral("x"));
    m_swapButton->setAutoRaise(true);
    m_swapButton->setAccessibleName(QStringLiteral("Swap width and height"));
    m_swapButton->setToolTip(QStringLiteral("Swap width and height"));

    m_heightField = sizeField(QStringLiteral("heightField"), QStringLiteral("Height"), content);

    label(QStringLiteral("newSizeLabel"), QStringLiteral("New dimensions:"), content);
    label(QStringLiteral("documentsLabel"), QStringLiteral("Pre-made dimensions:"), content);

    m_calculateButton = new QPushButton(QStringLiteral("Calculate"), content);
    m_calculateButton->setObjectName(QStringLiteral("calculateButton"));
    m_calculateButton->setDefault(true);

    m_openButton = new QPushButton(QStringLiteral("Open file"), content);
    m_openButton->setObjectName(QStringLiteral("openButton"));

    auto* separator = new QFrame(content);
    separator->setObjectName(QStringLiteral("separator"));
    separator->setFrameShape(QFrame::HLine);
    separator->setFrameShadow(QFrame::Sunken);

    auto* group = new QGroupBox(QStringLiteral("Percentages:"), content);
    group->setObjectName(QStringLiteral("resultGroup"));

    QLabel* captions =
        label(QStringLiteral("resultCaptions"), QStringLiteral("Horizontal:\nVertical:"), group);
    captions->setFont(systemFont(15));
    captions->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_resultLabel = label(QStringLiteral("resultLabel"), resultText(std::nullopt), group);
    m_resultLabel->setFont(systemFont(15));
    m_resultLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* layout = new DesignLayout(content, DesignSize, MinimumHeight, MaximumHeight);
    layout->placeAll(Design);

    setTabOrder(m_documentList, m_widthField);
    setTabOrder(m_widthField, m_swapButton);
    setTabOrder(m_swapButton, m_heightField);
    setTabOrder(m_heightField, m_calculateButton);
    setTabOrder(m_calculateButton, m_openButton);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    // The "Open file" button without and with Alt, for the keyboard and for desktops whose
    // window manager keeps Alt+click for itself.
    QAction* open = file->addAction(tr("&Open File"), QKeySequence(Qt::CTRL | Qt::Key_O), this,
                                    [this] { openChosen(Qt::NoModifier); });
    open->setObjectName(QStringLiteral("openFile"));
    QAction* copy = file->addAction(tr("Open a &Copy with the New Size"),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O), this,
                                    [this] { openChosen(Qt::AltModifier); });
    copy->setObjectName(QStringLiteral("openCopy"));
    const auto followChoice = [this, open, copy] {
        const bool chosen = m_documentList->selectedRow() >= 0;
        open->setEnabled(chosen);
        copy->setEnabled(chosen);
    };
    followChoice();
    // Rows replaced take their selection with them, and tell of that too.
    connect(m_documentList, &QListWidget::itemSelectionChanged, this, followChoice);
    file->addSeparator();
    QAction* quit = file->addAction(tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), qApp,
                                    &QCoreApplication::quit);
    quit->setObjectName(QStringLiteral("quit"));
    quit->setMenuRole(QAction::QuitRole);
    // Quit works from every window of the app, not only from this one.
    quit->setShortcutContext(Qt::ApplicationShortcut);
    QAction* about = file->addAction(tr("About Pallisto\u2026"), this, &MainWindow::showAbout);
    about->setObjectName(QStringLiteral("about"));
    about->setMenuRole(QAction::AboutRole);

    // F10 opens the first menu, as on GTK and KDE desktops; Escape closes it again.
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [this, file] { menuBar()->setActiveAction(file->menuAction()); });

    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    new EditActions(edit, m_documentList);
}

void MainWindow::listFiles(const QList<QUrl>& files)
{
    m_documentList->listFiles(files);
}

void MainWindow::calculate()
{
    const documents::Calculation result =
        documents::calculate(sizeValue(m_widthField->text()), sizeValue(m_heightField->text()),
                             m_documentList->rowTokens());
    if (!result.usable) {
        m_desktop.beep();
        return;
    }
    m_documentList->clearSelection();
    m_resultLabel->setText(resultText(result.match));
    if (!result.match)
        return;
    m_documentList->setFocus(Qt::OtherFocusReason);
    m_documentList->setCurrentRow(result.match->row, QItemSelectionModel::ClearAndSelect);
    m_documentList->scrollToItem(m_documentList->item(result.match->row));
}

void MainWindow::openChosen(Qt::KeyboardModifiers modifiers)
{
    openRow(m_documentList->selectedRow(), modifiers);
}

void MainWindow::openRow(int row, Qt::KeyboardModifiers modifiers)
{
    const QString document = m_documentList->documentAt(row);
    if (document.isEmpty())
        return;
    m_opener->open({document, isAltHeld(modifiers), sizeValue(m_widthField->text()),
                    sizeValue(m_heightField->text())});
}

void MainWindow::swapSizes()
{
    const QString width = m_widthField->text();
    m_widthField->setText(m_heightField->text());
    m_heightField->setText(width);
}

void MainWindow::showReminder()
{
    // A reminder whose time is up is closed and about to go; a new one takes its place.
    if (!m_reminder || !m_reminder->isVisible())
        m_reminder = new RenameReminder(this);
    m_reminder->showAt(m_desktop.pointerPosition());
}

void MainWindow::tellNamesLeftOut()
{
    // Not modal to the app: a drop may still be under way when this is shown.
    auto* box =
        new QMessageBox(QMessageBox::Warning, windowTitle(),
                        tr("Some documents were left out: their names are not valid UTF-8 text."),
                        QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("namesLeftOut"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void MainWindow::showAbout()
{
    if (!m_about)
        m_about = new AboutWindow(this);
    m_about->setWindowState(m_about->windowState() & ~Qt::WindowMinimized);
    m_about->show();
    m_about->raise();
    m_about->activateWindow();
}

// A main window has no default button of its own: Return and Enter that no control used (the
// fields and the list pass them on) press "Calculate".
void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_calculateButton->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The About window belongs to the main window: it closes (and so is deleted) with it, rather than
// stay on screen for an app whose main window has gone.
void MainWindow::closeEvent(QCloseEvent* event)
{
    if (m_about)
        m_about->close();
    QMainWindow::closeEvent(event);
}

} // namespace windows
