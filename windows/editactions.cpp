#include "windows/editactions.h"

#include "documents/documentlist.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

namespace windows {

EditActions::EditActions(QMenu* menu, documents::DocumentList* list)
    : QObject(menu), m_list(list)
{
    m_undo = add(menu, QStringLiteral("undo"), tr("&Undo"), QKeySequence::Undo, Command::Undo);
    menu->addSeparator();
    m_cut = add(menu, QStringLiteral("cut"), tr("Cu&t"), QKeySequence::Cut, Command::Cut);
    m_copy = add(menu, QStringLiteral("copy"), tr("&Copy"), QKeySequence::Copy, Command::Copy);
    m_paste = add(menu, QStringLiteral("paste"), tr("&Paste"), QKeySequence::Paste, Command::Paste);
    m_delete = add(menu, QStringLiteral("delete"), tr("&Delete"), QKeySequence::Delete,
                   Command::Delete);
    menu->addSeparator();
    m_selectAll = add(menu, QStringLiteral("selectAll"), tr("Select &All"),
                      QKeySequence::SelectAll, Command::SelectAll);

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { follow(now); });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &EditActions::updateStates);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &EditActions::updateStates);
    connect(m_list, &documents::DocumentList::rowsReplaced, this, &EditActions::updateStates);
    connect(menu, &QMenu::aboutToShow, this, &EditActions::updateStates);
    follow(QApplication::focusWidget());
}

QAction* EditActions::add(QMenu* menu, const QString& name, const QString& caption,
                          const QKeySequence& shortcut, Command command)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    return action;
}

void EditActions::follow(QWidget* now)
{
    if (auto* field = qobject_cast<QLineEdit*>(m_target))
        disconnect(field, nullptr, this, nullptr);
    m_target = now;
    if (auto* field = qobject_cast<QLineEdit*>(now)) {
        connect(field, &QLineEdit::textChanged, this, &EditActions::updateStates);
        connect(field, &QLineEdit::selectionChanged, this, &EditActions::updateStates);
    }
    updateStates();
}

void EditActions::updateStates()
{
    const QMimeData* clipboard = QApplication::clipboard()->mimeData();
    if (auto* field = qobject_cast<QLineEdit*>(m_target)) {
        const bool selection = field->hasSelectedText();
        m_undo->setEnabled(field->isUndoAvailable());
        m_cut->setEnabled(selection && !field->isReadOnly());
        m_copy->setEnabled(selection);
        m_paste->setEnabled(clipboard != nullptr && clipboard->hasText());
        m_delete->setEnabled(selection && !field->isReadOnly());
        m_selectAll->setEnabled(!field->text().isEmpty());
        return;
    }
    const bool onList = m_target == m_list;
    const bool selected = onList && !m_list->selectedDocument().isEmpty();
    m_undo->setEnabled(onList && m_list->canUndo());
    m_cut->setEnabled(false);
    m_copy->setEnabled(selected);
    m_paste->setEnabled(onList && clipboard != nullptr && clipboard->hasUrls());
    m_delete->setEnabled(selected);
    m_selectAll->setEnabled(false);
}

void EditActions::run(Command command)
{
    if (auto* field = qobject_cast<QLineEdit*>(m_target)) {
        switch (command) {
        case Command::Undo: field->undo(); break;
        case Command::Cut: field->cut(); break;
        case Command::Copy: field->copy(); break;
        case Command::Paste: field->paste(); break;
        case Command::Delete: field->del(); break;
        case Command::SelectAll: field->selectAll(); break;
        }
    } else if (m_target == m_list) {
        if (command == Command::Undo)
            m_list->undo();
        else if (command == Command::Copy)
            m_list->copy();
        else if (command == Command::Paste)
            m_list->paste();
        else if (command == Command::Delete)
            m_list->removeSelected();
    }
    updateStates();
}

} // namespace windows
