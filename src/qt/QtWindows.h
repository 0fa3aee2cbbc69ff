#pragma once
// The windows of the component in Qt, as the core reaches them (component/WindowPort.h,
// component/TrayScreen.h), and their installation: the Qt message box, the assistant window, the
// tray icon and the about window become the component's ports.

#include "component/TrayScreen.h"
#include "component/WindowPort.h"

namespace formalys::qt {

class QtWindows final : public WindowPort
{
public:
    bool showAssistant(bool modal) override;
    bool processEvents(int milliseconds) override;
};

class QtTrayScreen final : public TrayScreen
{
public:
    void addIcon() override;
    void modifyIcon() override;
    void deleteIcon() override;
    void showResumeItem(bool shown) override;
    std::optional<AboutEnd> showAbout() override;
    bool hasNotificationArea() const override;
};

// Makes the Qt message box and windows the component's ports. The window library does it when it
// is loaded; call it again after the component state has been reset.
void install();

// Returns once the assistant window, shown modelessly, has gone.
void waitUntilAssistantClosed();

// Whether paused work can be resumed from the tray menu: paused, the icon there, and a
// notification area to show it.
bool resumableFromTray();

// Runs the event loop while that stays so: returns once the assistant, resumed from the tray, has
// gone without a new pause, or the icon has gone.
void waitWhileResumableFromTray();

} // namespace formalys::qt
