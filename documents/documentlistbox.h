#pragma once

#include "platform/folderitem.h"

#include <QListWidget>
#include <vector>

class QMimeData;

namespace documents {

// The list of dropped documents (`filename_list`). Each row shows the dimension
// token of a document's name; file_list()[i] is the document behind row i.
class DocumentListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit DocumentListBox(QWidget* parent = nullptr);

    const std::vector<platform::FolderItem>& file_list() const { return m_file_list; }
    bool filling_data() const { return m_filling_data; }

    // Handlers, named after the control and its event.
    void filename_list_Open();
    bool filename_list_DragEnter(const QMimeData& drag);
    void filename_list_DropObject(const QMimeData& drag);

public slots:
    // Takes files a file manager has put on the clipboard, as if they were dropped.
    void paste();

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<platform::FolderItem> m_file_list;
    bool m_filling_data = false;
};

} // namespace documents
