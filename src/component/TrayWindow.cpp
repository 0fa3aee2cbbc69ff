#include "component/TrayWindow.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"

namespace formalys {

std::optional<TrayScreen::AboutEnd> HeadlessTrayScreen::showAbout()
{
    reportWarning("La bibliothèque des fenêtres n'est pas chargée : la fenêtre « A propos de "
                  "Formalys » ne peut pas s'ouvrir.");
    return std::nullopt;
}

void TrayWindow::create()
{
    if (created_) {
        return;
    }
    created_ = true;
    ComponentState& state = ComponentState::instance();
    if (state.alone == flagTrue) {
        return;
    }
    state.trayScreen->addIcon();
    state.trayScreen->modifyIcon();
    iconShown_ = true;
}

void TrayWindow::showResumeItem()
{
    create();
    resumeItemShown_ = true;
    ComponentState::instance().trayScreen->showResumeItem(true);
}

void TrayWindow::hideResumeItem()
{
    create();
    resumeItemShown_ = false;
    ComponentState::instance().trayScreen->showResumeItem(false);
}

bool TrayWindow::showAbout()
{
    create();
    aboutShown_ = true;
    const auto end = ComponentState::instance().trayScreen->showAbout();
    aboutShown_ = false;
    if (end == TrayScreen::AboutEnd::Closed) {
        unload();
    }
    return end.has_value();
}

void TrayWindow::unload()
{
    create();
    if (iconShown_) {
        ComponentState::instance().trayScreen->deleteIcon();
        iconShown_ = false;
    }
}

void TrayWindow::resume()
{
    hideResumeItem();
    ComponentState::instance().windows->showAssistant(true);
}

bool TrayWindow::shouldTellNoNotificationArea()
{
    if (toldNoNotificationArea_ || !iconShown_ ||
        ComponentState::instance().trayScreen->hasNotificationArea()) {
        return false;
    }
    toldNoNotificationArea_ = true;
    return true;
}

} // namespace formalys
