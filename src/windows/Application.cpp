#include "windows/Application.h"

#include "component/Warnings.h"

#include <QApplication>
#include <cstdlib>
#include <utility>

namespace formalys::windows {

bool displayAvailable()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return true;
        }
    }
    return false;
}

QApplication* application()
{
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return existing;
    }
    if (QCoreApplication::instance() != nullptr || !displayAvailable()) {
        // A host running a console Qt application has no widgets either. Said once per process:
        // the display does not come back between two operations.
        static bool told = false;
        if (!std::exchange(told, true)) {
            reportWarning("Aucun écran disponible : la fenêtre ne peut pas s'ouvrir.");
        }
        return nullptr;
    }
    // QApplication keeps references to its arguments for its whole life.
    static int argc = 1;
    static char name[] = "formalys";
    static char* argv[] = {name, nullptr};
    static QApplication* created = [] {
        auto* made = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false); // the tray icon outlives the windows
        return made;
    }();
    return created;
}

} // namespace formalys::windows
