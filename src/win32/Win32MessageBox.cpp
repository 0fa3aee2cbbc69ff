#include "win32/Win32MessageBox.h"

#include "component/ComponentState.h"
#include "text/WideText.h"

#include <memory>
#include <windows.h>

namespace formalys::win32 {

void Win32MessageBox::show(const std::string& text, const std::string& title, Icon icon)
{
    const UINT style = MB_OK | MB_TASKMODAL |
                       (icon == Icon::Critical ? MB_ICONSTOP : MB_ICONINFORMATION);
    ::MessageBoxW(::GetActiveWindow(), formalys::text::wideText(text).c_str(),
                  formalys::text::wideText(title).c_str(), style);
}

void install()
{
    ComponentState::instance().messageBox = std::make_shared<Win32MessageBox>();
}

namespace {
// formalys.dll installs its message box when the host loads it; the programs and the tests, which
// link the core without this library, keep the headless one.
[[maybe_unused]] const bool installed = (install(), true);
} // namespace

} // namespace formalys::win32
