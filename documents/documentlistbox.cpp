#include "documents/documentlistbox.h"

// Work in progress: the handlers are filled in with the document list.
namespace documents {

DocumentListBox::DocumentListBox(QWidget* parent) : QListWidget(parent) {}

void DocumentListBox::filename_list_Open() {}
bool DocumentListBox::filename_list_DragEnter(const QMimeData&) { return false; }
void DocumentListBox::filename_list_DropObject(const QMimeData&) {}
void DocumentListBox::paste() {}
void DocumentListBox::dragEnterEvent(QDragEnterEvent* event) { QListWidget::dragEnterEvent(event); }
void DocumentListBox::dragMoveEvent(QDragMoveEvent* event) { QListWidget::dragMoveEvent(event); }
void DocumentListBox::dropEvent(QDropEvent* event) { QListWidget::dropEvent(event); }
void DocumentListBox::keyPressEvent(QKeyEvent* event) { QListWidget::keyPressEvent(event); }

} // namespace documents
