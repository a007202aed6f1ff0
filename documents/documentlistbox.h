#pragma once

#include "documents/urilist.h"
#include "platform/folderitem.h"

#include <QListWidget>
#include <span>
#include <string>
#include <vector>

class QDropEvent;
class QMimeData;

namespace documents {

// The list of dropped documents (`filename_list`). Each row shows the dimension
// token of a document's name; file_list()[i] is the document behind row i.
//
// A drop replaces the whole list. While files are dragged over it the list has no
// rows, and after a drag that leaves without dropping it stays so, while file_list()
// still holds the documents of the previous drop.
class DocumentListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit DocumentListBox(QWidget* parent = nullptr);
    ~DocumentListBox() override;

    // The documents of the latest drop; element i is the document behind row i.
    const std::vector<platform::FolderItem>& file_list() const;
    // True from the moment a drag carrying a file enters until its drop is processed.
    bool filling_data() const { return m_filling_data; }

    // Handlers, named after the control and its event. The drag is read from its
    // URLs in order; a URL that is not a local file carries no file item.
    void filename_list_Open();
    bool filename_list_DragEnter(const QMimeData& drag); // never refuses: always false
    void filename_list_DropObject(const QMimeData& drag);

    // The texts of all rows, in order, kept beside the rows so that a search over
    // many rows does not ask each row for its text.
    std::span<const std::string> rowTexts() const;

    // The tooltip of `row`: the name of the document behind it and its folder, so
    // that rows sharing a token can be told apart. Empty for a row without one.
    QString rowToolTip(int row) const;

public slots:
    // Takes files a file manager has put on the clipboard, as if they were dropped.
    // Without files on the clipboard nothing changes.
    void paste();

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool acceptDrag(QDropEvent* event) const;

    // The drop keeps its items and which of them were listed; the file items are
    // made when first asked for, so that a drop of many files costs little more
    // than adding their rows.
    UriList m_dropped;
    std::vector<qsizetype> m_kept;
    mutable std::vector<platform::FolderItem> m_file_list;
    mutable bool m_file_list_made = true;
    bool m_filling_data = false;
    mutable std::vector<std::string> m_row_texts;
    mutable bool m_row_texts_valid = true;
};

} // namespace documents
