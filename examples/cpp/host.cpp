// A host written in C++ with Qt: its own QApplication and main window. The assistant opens
// modelessly as the main window's child and lives in the host's own event loop.
//
//   cmake -S . -B build -DCMAKE_PREFIX_PATH=<where Formalys is installed> && cmake --build build
//   build/host APPLICATION_DIRECTORY [SECONDS]
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <formalys/SHPDF.h>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "utilisation : %s RÉPERTOIRE [SECONDES]\n", argv[0]);
        return 2;
    }
    // A Qt application ends the process on its own without a display: say so first and end.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "Aucun écran disponible : la fenêtre du cabinet et l'assistant ne "
                             "peuvent pas s'ouvrir.\n");
        return 1;
    }
    QApplication application(argc, argv);
    QMainWindow main;
    main.setWindowTitle("Cabinet médical");
    main.setCentralWidget(new QLabel("Dossier du patient Lefèvre"));
    main.resize(900, 600);
    main.show();
    main.activateWindow();
    QApplication::setActiveWindow(&main);

    formalys::SHPDF component;
    component.CerfaInit(argv[1], 0);
    component.CerfaMenuPatient(); // returns at once: the window lives in this program's loop
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == "Param" && window->isVisible()) {
            const bool child = window->windowHandle()->transientParent() == main.windowHandle();
            std::printf("assistant ouvert%s\n", child ? ", enfant de la fenêtre principale" : "");
        }
    }
    QTimer::singleShot(static_cast<int>((argc > 2 ? std::atof(argv[2]) : 30) * 1000), &application,
                       [] { QApplication::quit(); });
    const int code = application.exec();
    component.CerfaQuit();
    return code;
}
