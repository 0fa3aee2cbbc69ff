#pragma once
// The message box of formalys.dll on Windows: MessageBoxW, owned by the host's active window, with
// the stop or information icon and one OK button.

#include "component/MessageBox.h"

namespace formalys::win32 {

class Win32MessageBox final : public MessageBoxPort
{
public:
    void show(const std::string& text, const std::string& title, Icon icon) override;
};

// Makes Win32MessageBox the component's message box; formalys.dll does it once, when it loads.
void install();

} // namespace formalys::win32
