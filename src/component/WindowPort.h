#pragma once
// The windows as the component's operations reach them. The core links no window toolkit: the
// window library installs its implementation when it is loaded. Without it there is no window to
// show, and the headless implementation says so as a warning and returns.

namespace formalys {

class WindowPort
{
public:
    virtual ~WindowPort() = default;
    // The assistant window: modally (CerfaAssistant), returning once it has gone, or modelessly
    // (CerfaMenuPatient), returning at once.
    virtual void showAssistant(bool modal) = 0;
};

class HeadlessWindows final : public WindowPort
{
public:
    void showAssistant(bool modal) override;
};

} // namespace formalys
