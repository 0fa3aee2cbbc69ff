#include "qt/QtWindows.h"

#include "component/ComponentState.h"
#include "qt/AboutWindow.h"
#include "qt/Application.h"
#include "qt/AssistantWindow.h"
#include "qt/QtMessageBox.h"
#include "qt/TrayIcon.h"

#include <QApplication>
#include <QEventLoop>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <algorithm>

// The pictures of the windows are compiled into the library; a static library must ask for them.
static void initialiseResources()
{
    Q_INIT_RESOURCE(qt);
}

namespace formalys::qt {

bool QtWindows::showAssistant(bool modal)
{
    if (application() == nullptr) {
        return false;
    }
    AssistantWindow::instance().open(modal);
    return true;
}

bool QtWindows::processEvents(int milliseconds)
{
    if (QCoreApplication::instance() == nullptr) {
        return false;
    }
    QEventLoop loop;
    QTimer::singleShot(std::max(milliseconds, 0), &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

void QtTrayScreen::addIcon()
{
    if (application() != nullptr) {
        TrayIcon::instance().icon->show();
    }
}

void QtTrayScreen::modifyIcon()
{
    if (application() != nullptr) {
        QSystemTrayIcon* icon = TrayIcon::instance().icon;
        icon->setIcon(icon->icon());
        icon->setToolTip(icon->toolTip());
    }
}

void QtTrayScreen::deleteIcon()
{
    if (application() != nullptr) {
        TrayIcon::instance().icon->hide();
    }
}

void QtTrayScreen::showResumeItem(bool shown)
{
    if (application() != nullptr) {
        TrayIcon::instance().MRetour->setVisible(shown);
    }
}

std::optional<TrayScreen::AboutEnd> QtTrayScreen::showAbout()
{
    if (application() == nullptr) {
        return std::nullopt;
    }
    AboutWindow& about = AboutWindow::instance();
    return about.exec() == QDialog::Accepted ? AboutEnd::Ok : AboutEnd::Closed;
}

bool QtTrayScreen::hasNotificationArea() const
{
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void install()
{
    initialiseResources();
    ComponentState& state = ComponentState::instance();
    state.messageBox = std::make_shared<QtMessageBox>();
    state.windows = std::make_shared<QtWindows>();
    state.trayScreen = std::make_shared<QtTrayScreen>();
}

void waitUntilAssistantClosed()
{
    if (QCoreApplication::instance() != nullptr) {
        AssistantWindow::instance().waitUntilClosed();
    }
}

bool resumableFromTray()
{
    const ComponentState& state = ComponentState::instance();
    return state.pauseFlag == flagTrue && state.tray.iconShown() &&
           state.trayScreen->hasNotificationArea();
}

void waitWhileResumableFromTray()
{
    QEventLoop loop;
    const auto check = [&loop] {
        if (!resumableFromTray() && !AssistantWindow::instance().isVisible()) {
            loop.quit();
        }
    };
    QObject::connect(&AssistantWindow::instance(), &QDialog::finished, &loop, check);
    QObject::connect(&AboutWindow::instance(), &QDialog::finished, &loop, check);
    if (resumableFromTray()) {
        loop.exec();
    }
}

namespace {

// Loaded with the library, the windows are the component's from the start.
[[maybe_unused]] const bool installed = (install(), true);

} // namespace

} // namespace formalys::qt
