#pragma once
// The notification-area icon of the tray window and its menu (MenuAbout): "Reprendre la saisie"
// (MRetour, hidden at first) and "A propos de Formalys" (MInfo). Every activation of the icon,
// whatever the button or the click, opens the menu at the pointer. The items ask the core's tray
// window (ComponentState::tray) to act.

#include <QObject>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace formalys::qt {

class TrayIcon final : public QObject
{
    Q_OBJECT

public:
    // The one icon of the process, created on first use (a QApplication must exist).
    static TrayIcon& instance();

    QSystemTrayIcon* icon;
    QMenu* MenuAbout;
    QAction* MRetour;
    QAction* MInfo;

private:
    TrayIcon();
};

} // namespace formalys::qt
