#pragma once
// The windows of formalys.dll on Windows: the assistant, the tray window and its about window,
// and the message box, installed as the component's ports when the DLL loads.

#include "component/WindowPort.h"

namespace formalys::win32 {

class Win32Windows final : public WindowPort
{
public:
    bool showAssistant(bool modal) override;
    bool processEvents(int milliseconds) override;
};

// Makes the Win32 windows and message box the component's.
void install();

} // namespace formalys::win32
