#pragma once

#include <QObject>
#include <QPointer>

class QAction;
class QMenu;
class QWidget;

namespace documents {
class DocumentList;
}

namespace windows {

// The Edit menu's items, following the focused widget: in a text field each works as in any
// line edit; on the document list Copy and Paste take files, Undo and Delete act on the rows and
// the rest are disabled; elsewhere all are disabled.
class EditActions final : public QObject
{
    Q_OBJECT
public:
    // Fills `menu` with the items; `list` is the window's document list.
    EditActions(QMenu* menu, documents::DocumentList* list);

private:
    enum class Command { Undo, Cut, Copy, Paste, Delete, SelectAll };

    QAction* add(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& shortcut, Command command);
    void follow(QWidget* now);
    void updateStates();
    void run(Command command);

    documents::DocumentList* m_list;
    QPointer<QWidget> m_target; // the widget the items act on
    QAction* m_undo = nullptr;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_selectAll = nullptr;
};

} // namespace windows
