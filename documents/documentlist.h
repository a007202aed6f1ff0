#pragma once

#include <QListWidget>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <string>
#include <vector>

class QMimeData;

namespace documents {

class FolderScan;

// The list of documents. Each row shows the size token of a document's name; its tooltip names
// the file and its folder. A drop or a paste of files replaces
// the rows, a folder standing for the documents inside it; Delete removes the selected row and
// Undo brings back the rows before the last change. While files are dragged over the list it
// shows no rows, and a drag that leaves, is cancelled or is refused brings them back with their
// selection and scroll. Many rows are added a few thousand at a time, between which the event
// loop runs; documents() has them all at once.
class DocumentList : public QListWidget
{
    Q_OBJECT
public:
    explicit DocumentList(QWidget* parent = nullptr);

    // Replaces the rows with the local files among `urls` whose names carry a size token,
    // in their order, each folder resolved as the kernel does. A file whose path is not valid
    // UTF-8 gets no row, and namesLeftOut() tells of it. With folders among them the rows are
    // replaced once a FolderScan has found their documents; until then the rows stay as they
    // are, and a new listing, or cancelScan(), drops the scan.
    void listFiles(const QList<QUrl>& urls);
    // Shows `paths` as the rows, leaving nothing to undo and emitting nothing: the documents
    // remembered from the last run.
    void restore(const QStringList& paths);

    // The documents of all rows, in order.
    QStringList documents() const { return m_documents; }
    // Whether undo() has rows to bring back.
    bool canUndo() const { return m_canUndo; }

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
    // Brings back the rows as they were before the last change; once.
    void undo();
    // Takes the selected row out of the list; its document is left alone.
    void removeSelected();
    // Drops the folder scan under way, if any, and keeps the rows.
    void cancelScan();

signals:
    // The documents changed: a drop, a paste, a listing, a removal or an undo.
    void rowsReplaced();
    // A folder scan: started, documents found so far, and ended (finished or dropped).
    void scanStarted();
    void scanProgress(int found);
    void scanEnded();
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
    void setDocuments(QStringList paths, bool undoable);
    void replaceDocuments(QStringList paths, bool leftOut);
    void takeScanned(const QStringList& paths);
    void showRows();

    QStringList m_documents; // what the rows are, or will be once showRows() is done
    qsizetype m_shown = 0;   // the first rows, which are those of m_documents
    QTimer m_showRowsLater{this};
    QStringList m_before; // the documents before the last change
    bool m_canUndo = false;
    QPointer<FolderScan> m_scan;
    bool m_scanLeftOut = false; // names left out before the scan was started
    bool m_dragging = false;
    int m_scrollBeforeDrag = 0;
};

} // namespace documents
