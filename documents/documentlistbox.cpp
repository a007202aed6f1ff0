#include "documents/documentlistbox.h"

#include "dimensions/dimensions.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolTip>
#include <QUrl>
#include <algorithm>

namespace documents {

namespace {

// Whether the drag's first item is a local file or folder: the first item decides
// whether the drag counts as one that carries files.
bool firstItemIsFile(const QMimeData& drag)
{
    if (!drag.hasUrls()) {
        return false;
    }
    const QList<QUrl> urls = drag.urls();
    return !urls.isEmpty() && urls.front().isLocalFile();
}

} // namespace

DocumentListBox::DocumentListBox(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setDropIndicatorShown(false);
    filename_list_Open();
}

void DocumentListBox::filename_list_Open()
{
    // Drags reach a scroll area through its viewport, so both must take drops.
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
}

bool DocumentListBox::filename_list_DragEnter(const QMimeData& drag)
{
    m_filling_data = false;
    if (firstItemIsFile(drag)) {
        m_filling_data = true;
        clear();
    }
    return false;
}

void DocumentListBox::filename_list_DropObject(const QMimeData& drag)
{
    if (!m_filling_data) {
        return;
    }
    m_file_list.clear();
    if (!firstItemIsFile(drag)) {
        return;
    }
    const QList<QUrl> urls = drag.urls();
    QStringList rows;
    rows.reserve(urls.size());
    m_file_list.reserve(static_cast<std::size_t>(urls.size()));
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            continue;
        }
        platform::FolderItem item(url.toLocalFile());
        const std::string token = dimensions::GetPropName(item.Name().toStdString());
        if (token.empty()) {
            continue;
        }
        rows.append(QString::fromLatin1(token.data(), static_cast<qsizetype>(token.size())));
        m_file_list.push_back(std::move(item));
    }
    // One insertion for all rows: the view lays out and signals once, not per row.
    addItems(rows);
    m_filling_data = false;
}

QString DocumentListBox::rowToolTip(int row) const
{
    if (row < 0 || row >= count() || static_cast<std::size_t>(row) >= m_file_list.size()) {
        return {};
    }
    const platform::FolderItem& item = m_file_list[static_cast<std::size_t>(row)];
    QString folder = QDir::toNativeSeparators(item.Parent().AbsolutePath());
    if (folder.size() > 1 && folder.endsWith(QDir::separator())) {
        folder.chop(1);
    }
    return item.Name() + QLatin1Char('\n') + folder;
}

void DocumentListBox::paste()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (clipboard == nullptr || !clipboard->hasUrls()) {
        return;
    }
    const QList<QUrl> urls = clipboard->urls();
    if (std::none_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); })) {
        return;
    }
    filename_list_DragEnter(*clipboard);
    filename_list_DropObject(*clipboard);
}

bool DocumentListBox::event(QEvent* event)
{
    // Claim the paste shortcut, so that it reaches keyPressEvent even when a menu
    // item carries the same shortcut.
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) {
        event->accept();
        return true;
    }
    return QListWidget::event(event);
}

bool DocumentListBox::viewportEvent(QEvent* event)
{
    // Tooltips are made when asked for rather than stored in every row, which keeps
    // a drop of many files as cheap as adding bare rows.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const QModelIndex index = indexAt(help->pos());
        const QString text = rowToolTip(index.isValid() ? index.row() : -1);
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, viewport(), visualRect(index));
        }
        return true;
    }
    return QListWidget::viewportEvent(event);
}

bool DocumentListBox::acceptDrag(QDropEvent* event)
{
    const QMimeData* drag = event->mimeData();
    if (drag == nullptr || !firstItemIsFile(*drag)) {
        event->ignore();
        return false;
    }
    // Never take a drag as a move: the source would then remove the user's files.
    if (event->possibleActions().testFlag(Qt::CopyAction)) {
        event->setDropAction(Qt::CopyAction);
    } else if (event->possibleActions().testFlag(Qt::LinkAction)) {
        event->setDropAction(Qt::LinkAction);
    } else {
        event->ignore();
        return false;
    }
    event->accept();
    return true;
}

void DocumentListBox::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData() != nullptr) {
        filename_list_DragEnter(*event->mimeData());
    }
    acceptDrag(event);
}

void DocumentListBox::dragMoveEvent(QDragMoveEvent* event)
{
    acceptDrag(event);
}

void DocumentListBox::dragLeaveEvent(QDragLeaveEvent* event)
{
    // The rows stay removed and file_list keeps the previous documents.
    event->accept();
}

void DocumentListBox::dropEvent(QDropEvent* event)
{
    if (acceptDrag(event)) {
        filename_list_DropObject(*event->mimeData());
    }
}

void DocumentListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        paste();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace documents
