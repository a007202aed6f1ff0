#include "documents/documentlist.h"

#include "dimensions/dimensions.h"
#include "documents/documentpath.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <optional>

namespace documents {

namespace {

// File managers read this to tell a copy from a cut; without it some paste nothing.
constexpr QLatin1String GnomeCopiedFiles("x-special/gnome-copied-files");
constexpr QLatin1String UriList("text/uri-list");

// Thin dotted lines between the rows, half way between the text and the background colour,
// so that they show on light and dark palettes alike.
class DottedRowsDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

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

QString toolTipFor(const QString& path)
{
    const QFileInfo info(path);
    return info.fileName() + QLatin1Char('\n') + QDir::toNativeSeparators(info.path());
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
    for (const char c : uri)
        escaped += static_cast<unsigned char>(c) < 0x80 ? QByteArray(1, c)
                                                        : '%' + QByteArray(1, c).toHex();
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
    setItemDelegate(new DottedRowsDelegate(this));
}

void DocumentList::listFiles(const QList<QUrl>& urls)
{
    clear();
    bool leftOut = false;
    for (const QUrl& url : urls) {
        // Tokens are read from the bytes, so a name that isn't UTF-8 is told of only when it
        // would have made a row.
        const QByteArray bytes = localPathBytes(url);
        const std::string token =
            dimensions::findSizeToken(bytes.mid(bytes.lastIndexOf('/') + 1).toStdString());
        if (token.empty())
            continue;
        const QString path = documentPath(bytes);
        if (path.isEmpty()) {
            leftOut = true;
            continue;
        }
        const QString realPath = withRealFolder(path);
        auto* item = new QListWidgetItem(QString::fromStdString(token));
        item->setData(Qt::UserRole, realPath);
        item->setToolTip(toolTipFor(realPath));
        addItem(item);
    }
    emit rowsReplaced();
    if (leftOut)
        emit namesLeftOut();
}

QString DocumentList::documentAt(int row) const
{
    const QListWidgetItem* shown = m_dragging ? nullptr : item(row);
    return shown != nullptr ? shown->data(Qt::UserRole).toString() : QString();
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
    // and end in the same two slots.
    if (event->matches(QKeySequence::Copy))
        copy();
    else if (event->matches(QKeySequence::Paste))
        paste();
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
