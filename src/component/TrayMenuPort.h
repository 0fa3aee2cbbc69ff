#pragma once
// The tray menu as the assistant sees it: the item "Reprendre la saisie" (MRetour), shown after a
// pause and hidden again when the assistant loads. The tray window provides the real one; the
// headless one only remembers whether the item is shown.

namespace formalys {

class TrayMenuPort
{
public:
    virtual ~TrayMenuPort() = default;
    // Shows the resume item, creating the tray window (and its icon, unless Alone is -1) first if
    // it does not exist yet.
    virtual void showResumeItem() = 0;
    virtual void hideResumeItem() = 0;
};

class HeadlessTrayMenu final : public TrayMenuPort
{
public:
    void showResumeItem() override { resumeItemShown = true; }
    void hideResumeItem() override { resumeItemShown = false; }
    bool resumeItemShown = false;
};

} // namespace formalys
