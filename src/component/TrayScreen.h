#pragma once
// The tray window as the screen shows it: the notification-area icon, the item "Reprendre la
// saisie" of its menu, and the window shown as the about window. The window library provides the
// real one; the headless one shows nothing.

#include <optional>

namespace formalys {

class TrayScreen
{
public:
    // How a shown about window went: hidden by its "&Ok" button, or closed any other way.
    enum class AboutEnd
    {
        Ok,
        Closed
    };

    virtual ~TrayScreen() = default;
    virtual void addIcon() = 0;
    virtual void modifyIcon() = 0; // with the same data as when it was added
    virtual void deleteIcon() = 0;
    virtual void showResumeItem(bool shown) = 0;
    // Shows the about window modally and returns once it has gone; nothing when it cannot be shown.
    virtual std::optional<AboutEnd> showAbout() = 0;
    // Whether the desktop shows notification-area icons at all.
    virtual bool hasNotificationArea() const = 0;
};

class HeadlessTrayScreen final : public TrayScreen
{
public:
    void addIcon() override {}
    void modifyIcon() override {}
    void deleteIcon() override {}
    void showResumeItem(bool) override {}
    std::optional<AboutEnd> showAbout() override;
    // Nothing is shown, so no icon is missing either.
    bool hasNotificationArea() const override { return true; }
};

} // namespace formalys
