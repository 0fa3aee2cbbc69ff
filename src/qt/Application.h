#pragma once
// The Qt application behind the windows. A host that runs its own QApplication keeps it; a host
// without one gets one on the first use of a window, kept for the life of the process.

class QApplication;
class QCoreApplication;

namespace formalys::qt {

// Whether the process can show a window: a display (DISPLAY, WAYLAND_DISPLAY) or a Qt platform
// chosen (QT_QPA_PLATFORM). Without any, Qt would abort the process on its first window.
bool displayAvailable();

// For the QApplication the library makes: Qt's own dialogs in French (Qt's translations).
void speakFrench(QCoreApplication& application);

// What Qt says about itself ("This plugin does not support raise()", "XDG_RUNTIME_DIR not set")
// tells a user nothing: it goes to the developers' details. Fatal messages still end the process.
void divertQtMessages();

// The process's QApplication, created if needed; nullptr, with the French warning "Aucun écran
// disponible : la fenêtre ne peut pas s'ouvrir.", when no window can be shown.
QApplication* application();

} // namespace formalys::qt
