#pragma once
// The windows of the component in Qt, as the core reaches them (component/WindowPort.h), and their
// installation: the Qt message box and the windows become the component's ports.

#include "component/WindowPort.h"

namespace formalys::windows {

class QtWindows final : public WindowPort
{
public:
    void showAssistant(bool modal) override;
};

// Makes the Qt message box and windows the component's ports. The window library does it when it
// is loaded; call it again after the component state has been reset.
void install();

// Returns once the assistant window, shown modelessly, has gone.
void waitUntilAssistantClosed();

} // namespace formalys::windows
