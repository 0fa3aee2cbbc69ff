#include "qt/TrayIcon.h"

#include "component/ComponentState.h"
#include "component/TrayDesign.h"
#include "qt/Named.h"

#include <QCursor>
#include <QMenu>
#include <QSystemTrayIcon>

namespace formalys::qt {

TrayIcon& TrayIcon::instance()
{
    static TrayIcon* tray = new TrayIcon; // lives as long as the QApplication
    return *tray;
}

TrayIcon::TrayIcon()
    : icon(new QSystemTrayIcon(this)), MenuAbout(new QMenu(QString::fromUtf8(tray::menuText))),
      MRetour(MenuAbout->addAction(QString::fromUtf8(tray::MRetour))),
      MInfo(MenuAbout->addAction(QString::fromUtf8(tray::MInfo)))
{
    named(MenuAbout, tray::menuName, tray::menuAccessibleName);
    MRetour->setObjectName("MRetour");
    MInfo->setObjectName("MInfo");
    MRetour->setVisible(false);
    icon->setObjectName("PDFForm");
    icon->setIcon(QIcon(":/formalys/images/tray.svg"));
    icon->setToolTip(QString::fromUtf8(tray::tip));
    // Every event of the icon opens the menu, whichever button and however clicked.
    connect(icon, &QSystemTrayIcon::activated, MenuAbout,
            [this](QSystemTrayIcon::ActivationReason) { MenuAbout->popup(QCursor::pos()); });
    // The items act once the menu has closed.
    connect(
        MRetour, &QAction::triggered, this, [] { ComponentState::instance().tray.resume(); },
        Qt::QueuedConnection);
    connect(
        MInfo, &QAction::triggered, this, [] { ComponentState::instance().tray.showAbout(); },
        Qt::QueuedConnection);
}

} // namespace formalys::qt
