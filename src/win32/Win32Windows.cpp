#include "win32/Win32Windows.h"

#include "component/ComponentState.h"
#include "win32/MessageLoop.h"
#include "win32/NotificationIcon.h"
#include "win32/ParamWindow.h"
#include "win32/Win32MessageBox.h"

#include <memory>

namespace formalys::win32 {

bool Win32Windows::showAssistant(bool modal)
{
    ParamWindow::instance().open(modal);
    return true;
}

bool Win32Windows::processEvents(int milliseconds)
{
    pumpMessages(milliseconds);
    return true;
}

void install()
{
    ComponentState& state = ComponentState::instance();
    state.messageBox = std::make_shared<Win32MessageBox>();
    state.windows = std::make_shared<Win32Windows>();
    state.trayScreen = std::make_shared<Win32TrayScreen>();
}

namespace {
// Loaded with formalys.dll, the windows are the component's from the start; the programs and the
// tests that link the core without this library keep the headless ports.
[[maybe_unused]] const bool installed = (install(), true);
} // namespace

} // namespace formalys::win32
