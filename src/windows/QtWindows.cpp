#include "windows/QtWindows.h"

#include "component/ComponentState.h"
#include "windows/Application.h"
#include "windows/AssistantWindow.h"
#include "windows/QtMessageBox.h"

#include <QApplication>

namespace formalys::windows {

void QtWindows::showAssistant(bool modal)
{
    if (application() != nullptr) {
        AssistantWindow::instance().open(modal);
    }
}

void install()
{
    ComponentState& state = ComponentState::instance();
    state.messageBox = std::make_shared<QtMessageBox>();
    state.windows = std::make_shared<QtWindows>();
}

void waitUntilAssistantClosed()
{
    if (QCoreApplication::instance() != nullptr) {
        AssistantWindow::instance().waitUntilClosed();
    }
}

namespace {

// Loaded with the library, the windows are the component's from the start.
[[maybe_unused]] const bool installed = (install(), true);

} // namespace

} // namespace formalys::windows
