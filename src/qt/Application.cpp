#include "qt/Application.h"

#include "component/Warnings.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <utility>

namespace formalys::qt {

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

void speakFrench(QCoreApplication& application)
{
    // Qt's own dialogs (the save dialog's columns, its buttons) in French, from Qt's translations.
    static QTranslator* translator = nullptr;
    if (translator == nullptr) {
        translator = new QTranslator(&application);
        if (translator->load(QLocale(QLocale::French), "qtbase", "_",
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(translator);
        } else {
            reportDetail("Qt's French translations (qtbase_fr.qm) are not installed");
        }
    }
}

void divertQtMessages()
{
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "%s\n", qPrintable(message));
            std::abort();
        }
        reportDetail("Qt: " + message.toStdString());
    });
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
        divertQtMessages(); // from the start: the application's construction speaks too
        auto* made = new QApplication(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false); // the tray icon outlives the windows
        speakFrench(*made);
        return made;
    }();
    return created;
}

} // namespace formalys::qt
