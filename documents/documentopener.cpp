#include "documents/documentopener.h"

// Work in progress: filled in with opening documents.
namespace documents {

DocumentOpener::DocumentOpener(const Controls& controls, platform::Desktop& desktop,
                               std::function<void()> showReminder, QObject* parent)
    : QObject(parent), m_controls(controls), m_desktop(desktop),
      m_showReminder(std::move(showReminder))
{
}

void DocumentOpener::PushButton2_Action() {}
void DocumentOpener::filename_list_DoubleClick() {}

} // namespace documents
