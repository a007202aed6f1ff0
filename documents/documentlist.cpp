#include "documents/documentlist.h"

#include "dimensions/dimensions.h"
#include "documents/documentpath.h"
#include "documents/folderscan.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <optional>

namespace documents {

namespace {

// File managers read this to tell a copy from a cut; without it some paste nothing.
constexpr QLatin1String GnomeCopiedFiles("x-special/gnome-copied-files");
constexpr QLatin1String UriList("text/uri-list");

// Rows are added (or taken away) this many at a time, and for at most this long before the
// event loop gets a turn: a hundred thousand rows at once would freeze the window for a second.
constexpr int RowsPerStep = 2000;
constexpr qint64 StepMilliseconds = 20;

// From the text alone: the paths are absolute and clean, and QFileInfo costs more per row.
QString toolTipFor(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return path.mid(slash + 1) + QLatin1Char('\n')
        + QDir::toNativeSeparators(path.left(std::max<qsizetype>(slash, 1)));
}

// Thin dotted lines between the rows, half way between the text and the background colour,
// so that they show on light and dark palettes alike. A row's tool tip, its document's name
// and folder, is made only when asked for: made for each row ahead, ten thousand of them
// would hold up the start with a remembered list.
class DocumentRowsDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override
    {
        if (event->type() != QEvent::ToolTip)
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        // None for a row on its way out.
        const QString path = static_cast<const DocumentList*>(view)->documentAt(index.row());
        QToolTip::showText(event->globalPos(), path.isEmpty() ? QString() : toolTipFor(path),
                           view->viewport(), option.rect);
        return true;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        QStyledItemDelegate::paint(painter, option, index);
        const QColor text = option.palette.color(QPalette::Text);
        const QColor base = option.palette.color(QPalette::Base);
        const QColor line((text.red() + base.red()) / 2, (text.green() + base.green()) / 2,
                          (text.blue() + base.blue()) / 2);
        painter->save();
        painter->setPen(QPen(line, 1, Qt::DotLine));
        const int y = option.rect.bottom();
        painter->drawLine(option.rect.left(), y, option.rect.right(), y);
        painter->restore();
    }
};

QString tokenOf(const QString& path)
{
    const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
    return QString::fromStdString(dimensions::findSizeToken(name.toStdString()));
}

// The URI on one line of a text/uri-list, or none for a comment or an empty line. Bytes beyond
// ASCII that a sender left unescaped are escaped first: decoded straight away, one that isn't
// UTF-8 would turn into a replacement character and the path could no longer be checked.
std::optional<QUrl> uriOn(const QByteArray& line)
{
    const QByteArray uri = line.trimmed();
    if (uri.isEmpty() || uri.startsWith('#'))
        return std::nullopt;
    QByteArray escaped;
    escaped.reserve(uri.size());
    for (const char c : uri) {
        if (static_cast<unsigned char>(c) < 0x80)
            escaped += c;
        else
            escaped += '%' + QByteArray(1, c).toHex();
    }
    return QUrl::fromEncoded(escaped);
}

// Whether the first of the dragged or copied items is a local file; it decides for them all.
// The whole list is fetched and split, but only up to its first URI is read: a drag of many
// files is then not parsed whole each time it enters the list.
bool carriesFiles(const QMimeData* mime)
{
    if (mime == nullptr)
        return false;
    for (const QByteArray& line : mime->data(UriList).split('\n')) {
        if (const std::optional<QUrl> uri = uriOn(line))
            return !localPathBytes(*uri).isEmpty();
    }
    return false;
}

} // namespace

DocumentList::DocumentList(QWidget* parent) : QListWidget(parent)
{
    // Every row is a short token in one font: uniform sizes spare the view from measuring
    // each of many thousand rows.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setDragEnabled(false);
    viewport()->setAcceptDrops(true); // drags reach a scroll area through its viewport
    setItemDelegate(new DocumentRowsDelegate(this));
    m_showRowsLater.setSingleShot(true);
    connect(&m_showRowsLater, &QTimer::timeout, this, &DocumentList::showRows);
}

void DocumentList::listFiles(const QList<QUrl>& urls)
{
    cancelScan();
    QStringList items;
    bool leftOut = false, folders = false;
    RealFolders realFolders;
    for (const QUrl& url : urls) {
        // Tokens are read from the bytes, so a name that isn't UTF-8 is told of only when it
        // would have made a row.
        const QByteArray bytes = localPathBytes(url);
        const bool token =
            !dimensions::findSizeToken(bytes.mid(bytes.lastIndexOf('/') + 1).toStdString()).empty();
        const QString path = documentPath(bytes);
        if (path.isEmpty()) {
            leftOut |= token;
        } else if (QFileInfo(path).isDir()) {
            // Resolved, so that its documents are named as the kernel names them.
            items << QFileInfo(path).canonicalFilePath();
            folders = true;
        } else if (token) {
            items << realFolders.withRealFolder(path);
        }
    }
    if (!folders)
        return replaceDocuments(items, leftOut);
    m_scanLeftOut = leftOut;
    m_scan = new FolderScan(items, this);
    connect(m_scan, &FolderScan::progress, this, &DocumentList::scanProgress);
    connect(m_scan, &FolderScan::finished, this, &DocumentList::takeScanned);
    emit scanStarted();
}

void DocumentList::takeScanned(const QStringList& paths)
{
    // A name inside a folder that isn't UTF-8 comes decoded with replacement characters, and
    // then names no file.
    QStringList documents;
    documents.reserve(paths.size());
    bool leftOut = m_scanLeftOut;
    for (const QString& path : paths) {
        const bool lost = path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
        leftOut |= lost;
        if (!lost)
            documents << path;
    }
    m_scan->deleteLater();
    m_scan = nullptr;
    emit scanEnded();
    replaceDocuments(std::move(documents), leftOut);
}

void DocumentList::cancelScan()
{
    if (!m_scan)
        return;
    // Not deleted at once: this may be called from a signal of the scan.
    m_scan->cancel();
    m_scan->deleteLater();
    m_scan = nullptr;
    emit scanEnded();
}

void DocumentList::restore(const QStringList& paths)
{
    setDocuments(paths, false);
}

void DocumentList::setDocuments(QStringList paths, bool undoable)
{
    m_before = std::exchange(m_documents, std::move(paths));
    m_canUndo = undoable;
    m_shown = 0;
    showRows();
}

void DocumentList::replaceDocuments(QStringList paths, bool leftOut)
{
    setDocuments(std::move(paths), true);
    emit rowsReplaced();
    if (leftOut)
        emit namesLeftOut();
}

void DocumentList::undo()
{
    if (!m_canUndo)
        return;
    cancelScan();
    setDocuments(m_before, false);
    emit rowsReplaced();
}

void DocumentList::removeSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    m_before = m_documents;
    m_canUndo = true;
    m_documents.removeAt(row);
    delete takeItem(row);
    --m_shown;
    emit rowsReplaced();
}

void DocumentList::showRows()
{
    QElapsedTimer busy;
    busy.start();
    while (count() > m_shown || m_shown < m_documents.size()) {
        if (busy.elapsed() >= StepMilliseconds)
            return m_showRowsLater.start();
        if (count() > m_shown) { // the last rows first, which moves no others
            const int first = std::max(int(m_shown), count() - RowsPerStep);
            model()->removeRows(first, count() - first);
            continue;
        }
        const int first = count();
        const int rows = int(std::min<qsizetype>(RowsPerStep, m_documents.size() - m_shown));
        QStringList tokens;
        tokens.reserve(rows);
        for (int i = 0; i < rows; ++i)
            tokens << tokenOf(m_documents[m_shown + i]);
        insertItems(first, tokens);
        m_shown += rows;
    }
}

QString DocumentList::documentAt(int row) const
{
    // Rows past the first m_shown are those of the documents before, on their way out.
    return !m_dragging && row >= 0 && row < m_shown ? m_documents[row] : QString();
}

std::vector<std::string> DocumentList::rowTokens() const
{
    std::vector<std::string> tokens;
    if (m_dragging)
        return tokens;
    tokens.reserve(static_cast<std::size_t>(count()));
    for (int row = 0; row < count(); ++row)
        tokens.push_back(item(row)->text().toStdString());
    return tokens;
}

int DocumentList::selectedRow() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.constFirst());
}

QString DocumentList::selectedDocument() const
{
    return documentAt(selectedRow());
}

void DocumentList::copy()
{
    const QString path = selectedDocument();
    if (path.isEmpty())
        return;
    const QUrl url = QUrl::fromLocalFile(path);
    auto* mime = new QMimeData;
    mime->setUrls({url});
    mime->setText(path);
    mime->setData(GnomeCopiedFiles, "copy\n" + url.toEncoded());
    QApplication::clipboard()->setMimeData(mime);
}

void DocumentList::paste()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (carriesFiles(clipboard))
        listFilesOf(clipboard);
}

void DocumentList::keyPressEvent(QKeyEvent* event)
{
    // Copy and paste mean files here. In the main window the Edit menu's shortcuts come first
    // and end in the same slots.
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Paste))
        paste();
    else if (event->matches(QKeySequence::Undo))
        undo();
    else if (event->matches(QKeySequence::Delete))
        removeSelected();
    else
        QListWidget::keyPressEvent(event);
}

bool DocumentList::takesDrag(QDropEvent* event) const
{
    // Never take a drag as a move: the source would then remove the user's files.
    if (event->possibleActions().testFlag(Qt::CopyAction))
        event->setDropAction(Qt::CopyAction);
    else if (event->possibleActions().testFlag(Qt::LinkAction))
        event->setDropAction(Qt::LinkAction);
    else
        return false;
    return true;
}

void DocumentList::dragEnterEvent(QDragEnterEvent* event)
{
    // The drag's data is read here and on the drop only: from another application each
    // reading is a round trip to it.
    if (!takesDrag(event) || !carriesFiles(event->mimeData())) {
        event->ignore();
        return;
    }
    event->accept();
    if (!m_dragging) {
        // The list shows what the drop will give: an empty list, ready to receive the files.
        // Rooted at its first row, which has no rows of its own, the view shows none, while
        // the items keep their selection for a drag that ends without a drop.
        m_dragging = true;
        m_scrollBeforeDrag = verticalScrollBar()->value();
        setRootIndex(model()->index(0, 0));
    }
}

void DocumentList::dragMoveEvent(QDragMoveEvent* event)
{
    // Qt sends moves and the drop only after the enter was taken.
    if (takesDrag(event))
        event->accept();
    else
        event->ignore();
}

void DocumentList::dragLeaveEvent(QDragLeaveEvent* event)
{
    event->accept();
    endDrag();
}

void DocumentList::dropEvent(QDropEvent* event)
{
    if (!takesDrag(event)) {
        event->ignore();
        endDrag();
        return;
    }
    event->accept();
    endDrag();
    listFilesOf(event->mimeData());
}

void DocumentList::listFilesOf(const QMimeData* mime)
{
    QList<QUrl> urls;
    for (const QByteArray& line : mime->data(UriList).split('\n')) {
        if (const std::optional<QUrl> uri = uriOn(line))
            urls << *uri;
    }
    listFiles(urls);
}

void DocumentList::endDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    setRootIndex({});
    // Laid out now, so that the scroll bar has its range back before it is set.
    executeDelayedItemsLayout();
    verticalScrollBar()->setValue(m_scrollBeforeDrag);
}

} // namespace documents
