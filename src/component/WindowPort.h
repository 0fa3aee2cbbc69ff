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
    // (CerfaMenuPatient), returning at once. Returns false when no window could be shown (the
    // reason is a warning).
    virtual bool showAssistant(bool modal) = 0;
    // Handles the windows' events for `milliseconds`, for a host that runs no event loop of its
    // own. Returns false when there is no window system to serve.
    virtual bool processEvents(int milliseconds) = 0;
};

class HeadlessWindows final : public WindowPort
{
public:
    bool showAssistant(bool modal) override;
    bool processEvents(int milliseconds) override;
};

} // namespace formalys
