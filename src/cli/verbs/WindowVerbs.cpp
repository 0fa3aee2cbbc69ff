#include "cli/verbs/WindowVerbs.h"

#include "assistant/Assistant.h"
#include "cli/ExitCode.h"
#include "cli/Warnings.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "exchange/ProfileFile.h"
#include "formalys/SHPDF.h"
#include "qt/Application.h"
#include "qt/QtWindows.h"

#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>
#include <QStandardPaths>
#include <algorithm>
#include <filesystem>
#include <ostream>

namespace formalys::cli {

namespace {

std::string stripped(const std::string& value)
{
    const auto first = value.find_first_not_of(' ');
    return first == std::string::npos
               ? ""
               : value.substr(first, value.find_last_not_of(' ') - first + 1);
}

// Asks where to save the document, proposing "<form title> <patient name>.pdf" in the user's
// documents folder. Cancelling answers with the empty path: the assistant goes back to its sheet.
std::string askForPath()
{
    std::string name = stripped(ReadExchange("RESULTAT", "TITRE", "")) + " " +
                       stripped(ReadExchange("PATIENT", "NOM", "")) + " " +
                       stripped(ReadExchange("PATIENT", "PRENOM", ""));
    std::replace(name.begin(), name.end(), '/', '-'); // "AT/MP" is no folder
    // The user's documents folder; without one (no ~/Documents), the home folder, never the
    // current directory.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    const QString proposed = folder +
                             "/" + QString::fromStdString(stripped(name)) + ".pdf";
    QFileDialog dialog(nullptr, QString::fromUtf8("Enregistrer le document Cerfa"), proposed,
                       QString::fromUtf8("Documents PDF (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("pdf");
    dialog.setLabelText(QFileDialog::Accept, QString::fromUtf8("&Enregistrer"));
    dialog.setLabelText(QFileDialog::Reject, QString::fromUtf8("&Annuler"));
    dialog.setLabelText(QFileDialog::FileName, QString::fromUtf8("Nom du fichier :"));
    dialog.setLabelText(QFileDialog::FileType, QString::fromUtf8("Type :"));
    dialog.setLabelText(QFileDialog::LookIn, QString::fromUtf8("Dossier :"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* files = dialog.findChild<QTreeView*>()) { // "Dernière modification" whole
        files->header()->setStretchLastSection(true);
        files->header()->setMinimumSectionSize(60);
        files->header()->resizeSection(3, 170);
    }
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        return dialog.selectedFiles().front().toStdString();
    }
    return {};
}

} // namespace

int runAssistant(const AssistantOptions& options, std::ostream& out, std::ostream& err)
{
    if (qt::application() == nullptr) {
        printWarnings(err);
        return exitFailed;
    }
    std::string named; // the path the callback gave
    const auto hostCallback = [&options, &named](std::int32_t, std::int32_t, std::int32_t,
                                                 std::int32_t) {
        named = options.output ? *options.output : askForPath();
        exchange::writeProfileString(ComponentState::instance().exchangePath, "RESULTAT", "FICHIER",
                                     named);
        return 0;
    };
    SHPDF component;
    component.CerfaInit(options.directory, 0, hostCallback);
    if (options.modeless) {
        component.CerfaMenuPatient();
        qt::waitUntilAssistantClosed();
    } else {
        component.CerfaAssistant();
    }
    const ComponentState& state = ComponentState::instance();
    if (qt::resumableFromTray()) {
        out << "Saisie en pause : « Reprendre la saisie » dans le menu de l'icône Formalys de la zone "
               "de notification la reprend.\n"
            << std::flush;
        qt::waitWhileResumableFromTray();
    }
    component.CerfaQuit();
    printWarnings(err);
    if (state.pauseFlag == flagTrue) {
        out << "Saisie mise en pause : elle reprendra à la prochaine ouverture de l'assistant pour "
               "ce patient.\n";
        return exitSuccess;
    }
    if (const std::string& unsaved = assistant::assistantWindow().unsavedDocument();
        !unsaved.empty()) {
        printFailure(err, "fenêtre fermée sans document : " + unsaved);
        return exitFailed;
    }
    if (named.empty() || !std::filesystem::is_regular_file(named)) {
        out << "Fenêtre fermée sans générer de document.\n";
        return exitSuccess;
    }
    out << named << '\n';
    return exitSuccess;
}

int runAbout(const std::string& directory, std::ostream& out, std::ostream& err)
{
    SHPDF component;
    component.CerfaInit(directory);
    component.CerfaAbout();
    component.CerfaQuit();
    printWarnings(err);
    if (component.TheData().empty()) {
        return exitFailed;
    }
    out << "TheData : " << component.TheData() << '\n';
    return exitSuccess;
}

} // namespace formalys::cli
