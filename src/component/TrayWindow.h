#pragma once
// The tray window (PDFForm): one per component, created on its first use, it owns the
// notification-area icon and its menu (MenuAbout: "Reprendre la saisie", then "A propos de
// Formalys"); shown, it is the about window. This class holds its whole state and rules; the
// screen (TrayScreen) only mirrors them.
//
// - Creation happens once, at the first use (any operation below). Alone is read then and only
//   then: -1 means no icon, then or ever after; otherwise the icon is added, then modified with the
//   same data.
// - Unloading (CerfaQuit, or the about window closed otherwise than by "&Ok") deletes the icon; a
//   later use loads the window again but never adds the icon again.

namespace formalys {

class TrayWindow
{
public:
    // The pause button: shows MRetour.
    void showResumeItem();
    // The assistant's load after a pause, or a pause that could not be kept: hides MRetour.
    void hideResumeItem();
    // CerfaAbout, MInfo and the assistant's about button: shows the about window modally. Returns
    // whether it was shown (and has gone).
    bool showAbout();
    // CerfaQuit: unloads the window, removing the icon.
    void unload();
    // MRetour: hides itself, then shows the assistant modally, which resumes the paused sheet.
    void resume();

    // After a pause: whether the user should be told that no icon will bring the work back (the
    // icon is there but the desktop has no notification area). True once per component.
    bool shouldTellNoNotificationArea();

    bool created() const { return created_; }
    bool iconShown() const { return iconShown_; }
    bool resumeItemShown() const { return resumeItemShown_; }
    bool aboutShown() const { return aboutShown_; }

private:
    void create();

    bool created_ = false;
    bool iconShown_ = false;
    bool resumeItemShown_ = false;
    bool aboutShown_ = false;
    bool toldNoNotificationArea_ = false;
};

} // namespace formalys
