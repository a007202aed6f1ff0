#pragma once

#include <QListWidget>
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

class QMimeData;

namespace documents {

// The list of documents. Each row shows the size token of a document's name and keeps its path
// (Qt::UserRole); its tooltip names the file and its folder. Only a drop or a paste of files
// replaces the rows. While files are dragged over the list it shows no rows, and a drag that
// leaves, is cancelled or is refused brings them back with their selection and scroll.
class DocumentList : public QListWidget
{
    Q_OBJECT
public:
    explicit DocumentList(QWidget* parent = nullptr);

    // Replaces the rows with the local files among `urls` whose names carry a size token,
    // in their order, each folder resolved as the kernel does. A file whose path is not valid
    // UTF-8 gets no row, and namesLeftOut() tells of it.
    void listFiles(const QList<QUrl>& urls);

    // The path of the document behind `row`, or an empty text.
    QString documentAt(int row) const;
    // The size tokens of the rows, in order; none while a drag hides them.
    std::vector<std::string> rowTokens() const;
    // The selected row, or -1.
    int selectedRow() const;
    // The document of the selected row, or an empty text.
    QString selectedDocument() const;

public slots:
    // Puts the selected row's document on the clipboard as a file a file manager can paste.
    void copy();
    // Takes files copied in a file manager as if they were dropped; anything else is ignored.
    void paste();

signals:
    // A drop or a paste replaced the rows.
    void rowsReplaced();
    // Some documents of one drop, paste or listing got no row: their paths are not valid UTF-8,
    // so no text names them exactly.
    void namesLeftOut();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool takesDrag(QDropEvent* event) const;
    void listFilesOf(const QMimeData* mime);
    void endDrag();

    bool m_dragging = false;
    int m_scrollBeforeDrag = 0;
};

} // namespace documents
