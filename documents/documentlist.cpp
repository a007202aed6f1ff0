#include "documents/documentlist.h"

#include "dimensions/dimensions.h"

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
#include <QUrl>

namespace documents {

namespace {

// File managers read this to tell a copy from a cut; without it some paste nothing.
const QString gnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

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

// Whether the first of the dragged or copied items is a local file; it decides for them all.
// Only the first line of the list is read: a drag of many files is then not read whole each
// time it enters the list.
bool carriesFiles(const QMimeData* mime)
{
    if (mime == nullptr)
        return false;
    for (const QByteArray& line : mime->data(QStringLiteral("text/uri-list")).split('\n')) {
        const QByteArray uri = line.trimmed();
        if (!uri.isEmpty() && !uri.startsWith('#'))
            return !localFilePath(QUrl::fromEncoded(uri)).isEmpty();
    }
    return false;
}

} // namespace

QString localFilePath(const QUrl& url)
{
    if (!url.isLocalFile())
        return {};
    QUrl local = url;
    // Some applications name this machine explicitly; Qt would keep the host in the path.
    if (local.host().compare(QLatin1String("localhost"), Qt::CaseInsensitive) == 0)
        local.setHost(QString());
    if (!local.host().isEmpty())
        return {};
    const QString path = local.toLocalFile();
    return QDir::isAbsolutePath(path) ? path : QString();
}

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
    std::vector<Document> documents;
    for (const QUrl& url : urls) {
        const QString path = localFilePath(url);
        if (path.isEmpty())
            continue;
        std::string token = dimensions::findSizeToken(QFileInfo(path).fileName().toStdString());
        if (!token.empty())
            documents.push_back({path, std::move(token)});
    }
    m_documents = std::move(documents);
    showDocuments(-1);
    emit rowsReplaced();
}

QString DocumentList::documentAt(int row) const
{
    if (m_dragging || row < 0 || row >= static_cast<int>(m_documents.size()))
        return {};
    return m_documents[static_cast<std::size_t>(row)].path;
}

std::vector<std::string> DocumentList::rowTokens() const
{
    std::vector<std::string> tokens;
    if (m_dragging)
        return tokens;
    tokens.reserve(m_documents.size());
    for (const Document& document : m_documents)
        tokens.push_back(document.token);
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
    mime->setData(gnomeCopiedFiles, "copy\n" + url.toEncoded());
    QApplication::clipboard()->setMimeData(mime);
}

void DocumentList::paste()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (carriesFiles(clipboard))
        listFiles(clipboard->urls());
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
        m_dragging = true;
        m_selectedBeforeDrag = selectedRow();
        m_scrollBeforeDrag = verticalScrollBar()->value();
        clear();
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
    m_dragging = false;
    listFiles(event->mimeData()->urls());
}

void DocumentList::endDrag()
{
    if (!m_dragging)
        return;
    m_dragging = false;
    showDocuments(m_selectedBeforeDrag);
    verticalScrollBar()->setValue(m_scrollBeforeDrag);
}

void DocumentList::showDocuments(int selectedRow)
{
    clear();
    for (const Document& document : m_documents) {
        auto* item = new QListWidgetItem(QString::fromStdString(document.token));
        item->setToolTip(toolTipFor(document.path));
        addItem(item);
    }
    setCurrentRow(selectedRow, QItemSelectionModel::ClearAndSelect);
}

} // namespace documents
