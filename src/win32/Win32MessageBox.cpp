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

} // namespace formalys::win32
