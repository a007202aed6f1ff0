#include "documents/documentlistbox.h"

#include "documents/urilist.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QToolTip>

namespace documents {

namespace {

const QString uriListFormat = QStringLiteral("text/uri-list");

// The drag's items, or its first `limit` ones; none for a drag without URLs.
UriList itemsOf(const QMimeData& drag, qsizetype limit = -1)
{
    return drag.hasUrls() ? UriList(drag.data(uriListFormat), limit) : UriList();
}

// Whether the drag's first item carries a file: the first item decides whether the
// drag counts as one that carries files.
bool firstItemIsFile(const UriList& items)
{
    return items.size() > 0 && items.carriesFile(0);
}

} // namespace

DocumentListBox::DocumentListBox(QWidget* parent) : QListWidget(parent)
{
    // Every row is a short token in one font: uniform sizes spare the view from
    // measuring each of many thousand rows before it can scroll to one.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    setDropIndicatorShown(false);
    filename_list_Open();

    // Any change of the rows other than a drop makes the copy of their texts stale.
    const auto stale = [this] { m_row_texts_valid = false; };
    QAbstractItemModel* rows = model();
    connect(rows, &QAbstractItemModel::rowsInserted, this, stale);
    connect(rows, &QAbstractItemModel::rowsRemoved, this, stale);
    connect(rows, &QAbstractItemModel::rowsMoved, this, stale);
    connect(rows, &QAbstractItemModel::modelReset, this, stale);
    connect(rows, &QAbstractItemModel::layoutChanged, this, stale);
    connect(rows, &QAbstractItemModel::dataChanged, this, stale);
}

DocumentListBox::~DocumentListBox()
{
    // The rows go with the base class, after this part is gone: they must not
    // reach it any more.
    disconnect(model(), nullptr, this, nullptr);
}

const std::vector<platform::FolderItem>& DocumentListBox::file_list() const
{
    if (!m_file_list_made) {
        m_file_list.reserve(m_kept.size());
        for (const qsizetype i : m_kept) {
            m_file_list.emplace_back(m_dropped.localPath(i));
        }
        m_file_list_made = true;
    }
    return m_file_list;
}

std::span<const std::string> DocumentListBox::rowTexts() const
{
    if (!m_row_texts_valid) {
        m_row_texts.clear();
        m_row_texts.reserve(static_cast<std::size_t>(count()));
        for (int i = 0; i < count(); ++i) {
            m_row_texts.push_back(item(i)->text().toStdString());
        }
        m_row_texts_valid = true;
    }
    return m_row_texts;
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
    if (firstItemIsFile(itemsOf(drag, 1))) {
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
    m_file_list_made = false;
    m_kept.clear();
    m_dropped = itemsOf(drag);
    if (!firstItemIsFile(m_dropped)) {
        return;
    }
    QStringList rows;
    rows.reserve(m_dropped.size());
    std::vector<std::string> tokens;
    tokens.reserve(static_cast<std::size_t>(m_dropped.size()));
    std::string buffer;
    for (qsizetype i = 0; i < m_dropped.size(); ++i) {
        std::string token = m_dropped.token(i, buffer);
        if (token.empty()) {
            continue;
        }
        rows.append(QString::fromLatin1(token.data(), static_cast<qsizetype>(token.size())));
        tokens.push_back(std::move(token));
        m_kept.push_back(i);
    }
    // One insertion for all rows: the view lays out and signals once, not per row.
    addItems(rows);
    m_row_texts = std::move(tokens);
    m_row_texts_valid = true;
    m_filling_data = false;
}

QString DocumentListBox::rowToolTip(int row) const
{
    const std::vector<platform::FolderItem>& files = file_list();
    if (row < 0 || row >= count() || static_cast<std::size_t>(row) >= files.size()) {
        return {};
    }
    const platform::FolderItem& item = files[static_cast<std::size_t>(row)];
    QString folder = QDir::toNativeSeparators(item.Parent().AbsolutePath());
    if (folder.size() > 1 && folder.endsWith(QDir::separator())) {
        folder.chop(1);
    }
    return item.Name() + QLatin1Char('\n') + folder;
}

void DocumentListBox::paste()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (clipboard == nullptr) {
        return;
    }
    const UriList items = itemsOf(*clipboard);
    bool anyFile = false;
    for (qsizetype i = 0; i < items.size() && !anyFile; ++i) {
        anyFile = items.carriesFile(i);
    }
    if (anyFile) {
        filename_list_DragEnter(*clipboard);
        filename_list_DropObject(*clipboard);
    }
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

bool DocumentListBox::acceptDrag(QDropEvent* event) const
{
    // Set on entering exactly when the drag's first item is a file, and kept until
    // the drop: the drag is not read again on every move.
    if (!m_filling_data) {
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
    } else {
        m_filling_data = false;
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
