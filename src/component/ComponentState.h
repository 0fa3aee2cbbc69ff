#pragma once
// The process-wide component state that CerfaInit sets and every part of the system reads. It is
// shared by every SHPDF object and lives as long as the component is loaded; nothing of it is
// saved between runs. Everything runs on the host's user-interface thread, so it takes no lock.

#include "component/Clock.h"
#include "component/MessageBox.h"
#include "component/TrayScreen.h"
#include "component/TrayWindow.h"
#include "component/WindowPort.h"
#include "formalys/SHPDF.h"

#include <cstdint>
#include <memory>
#include <string>

namespace formalys {

// Flags are 16-bit integers with true = -1, as the host passes them.
inline constexpr std::int16_t flagTrue = -1;
inline constexpr std::int16_t flagFalse = 0;

struct ComponentState
{
    std::string applicationDirectory;
    std::string exchangePath; // applicationDirectory + "/Formalys.ini"
    std::int16_t alone = flagFalse;
    HostCallback hostCallback;
    std::int16_t pauseFlag = flagFalse;

    // The ports through which the system reaches the user, the windows, the tray and the calendar.
    std::shared_ptr<MessageBoxPort> messageBox = std::make_shared<HeadlessMessageBox>();
    std::shared_ptr<WindowPort> windows = std::make_shared<HeadlessWindows>();
    std::shared_ptr<TrayScreen> trayScreen = std::make_shared<HeadlessTrayScreen>();
    std::shared_ptr<Clock> clock = std::make_shared<SystemClock>();

    // The tray window, created on its first use.
    TrayWindow tray;

    static ComponentState& instance();

    // Back to the state before the first CerfaInit: empty texts, zero numbers, default ports.
    void reset();

    // The application directory and the exchange file in it: `path` less one trailing "/", or the
    // component's own directory when `path` is empty.
    void setApplicationDirectory(const std::string& path);
};

// The component directory: the directory of the component's own module (libformalys when it is
// loaded as a shared library, the executable when the component is linked into it) when the user
// may write there and it is not a system directory (/usr, /lib, /bin, /opt, … and below);
// otherwise $XDG_DATA_HOME/formalys, by default ~/.local/share/formalys, created when missing.
std::string componentDirectory();

// The same rule for a module found in `moduleDirectory`.
std::string componentDirectoryFor(const std::string& moduleDirectory);

// The current local date as "dd/mm/yyyy", from the state's clock.
std::string todayText();

} // namespace formalys
