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

} // namespace formalys::win32
