#include "cli/CommandLine.h"

#include "assistant/FormTable.h"
#include "assistant/WindowlessRun.h"
#include "cli/ExitCode.h"
#include "cli/HandOver.h"
#include "cli/HelpFormatter.h"
#include "cli/Warnings.h"
#include "cli/verbs/WindowVerbs.h"
#include "cli/verbs/ExchangeVerb.h"
#include "cli/verbs/FieldsVerb.h"
#include "cli/verbs/Form2035Verb.h"
#include "cli/verbs/FormVerbs.h"
#include "cli/verbs/GridVerb.h"
#include "component/ComponentState.h"
#include "files/SystemError.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <regex>

namespace formalys::cli {

namespace {

// The parser's own messages in French, a row per message of the library; the offending option or
// value is kept.
std::string french(const CLI::ParseError& error, const std::string& verb)
{
    const std::string message = error.what();
    if (message == "A subcommand is required") {
        const bool named = !verb.empty() && verb[0] != '-';
        return (named ? "« " + verb + " » n'est pas un verbe" : std::string("un verbe est attendu")) +
               " : fill, sheet, generate, 2035, fields, exchange, grid, assistant ou about";
    }
    static const std::pair<std::regex, const char*> translations[] = {
        {std::regex("^(.+) is required$"), "« $1 » est obligatoire"},
        {std::regex("^The following arguments? w(as|ere) not expected: (.*)$"),
         "argument inattendu : $2"},
        {std::regex("^(.+): Should be true/false or a number$"), "« $1 » ne prend pas de valeur"},
        {std::regex("^(.+): too many inputs for a flag$"), "« $1 » ne prend pas de valeur"},
        {std::regex("^(.+) was given a disallowed flag override$"),
         "« $1 » ne prend pas de valeur"},
        {std::regex("^(.+): [0-9]+ required .* missing$"), "« $1 » attend une valeur"},
        {std::regex("^Expected exactly ([0-9]+) arguments to (.+), got ([0-9]+)$"),
         "« $2 » attend $1 valeur(s), pas $3"},
        {std::regex("^(.+): At (least|Most) ([0-9]+) required but received ([0-9]+)$"),
         "« $1 » attend au plus $3 valeur(s), pas $4"},
        {std::regex("^(-[^:]+): (.+)$"), "« $1 » : $2"}, // a value refused by one of our checks
    };
    for (const auto& [pattern, french] : translations) {
        if (std::regex_match(message, pattern)) {
            return std::regex_replace(message, pattern, french);
        }
    }
    return "ligne de commande incorrecte";
}

// The form names, in any letter case, checked with a French message and spelt as the form list
// spells them.
CLI::Validator formName()
{
    return CLI::Validator(
        [](std::string& value) {
            const std::int16_t form = assistant::formIndex(value);
            if (form < 0) {
                return "« " + value + " » n'est pas un formulaire : MT, DEPAT, PIRES ou DSI";
            }
            value = assistant::formTable[form].sourcePdf;
            return std::string();
        },
        "");
}

// The application directory must be there: otherwise every file in it would be said missing.
CLI::Validator existingDirectory()
{
    return CLI::Validator(
        [](std::string& value) {
            return std::filesystem::is_directory(value)
                       ? std::string()
                       : "le dossier « " + value + " » n'existe pas";
        },
        "");
}

const std::string directoryNote =
    "DIR est le dossier de l'application : le fichier d'échange Formalys.ini, les modèles "
    "(MT.pdf, …) et les grilles (MT.cil, …).";
const std::string documentPathNote =
    "Le chemin d'un document généré : quand Formalys a fini de remplir un document, il "
    "demande à l'application hôte où l'enregistrer, et celle-ci écrit le chemin dans "
    "Formalys.ini. Avec --out, la commande joue ce rôle. Sans lui, le document est « test.pdf » "
    "dans le dossier de Formalys (celui du programme, ou ~/.local/share/formalys quand ce "
    "dossier est un dossier du système).";

CLI::App* addVerb(CLI::App& app, const std::string& name, const std::string& description)
{
    auto* verb = app.add_subcommand(name, description);
    verb->set_help_flag("-h,--help", "Affiche cette aide");
    verb->group("Verbes ");
    verb->footer(""); // what the program's help says of DIR and --out is not every verb's
    return verb;
}

// The verb's --dir, the application directory, with what DIR means at the end of its help.
void addDirectoryOption(CLI::App* verb, std::string& directory)
{
    verb->add_option("--dir", directory, "Dossier de l'application")
        ->check(existingDirectory())
        ->required();
    verb->footer(directoryNote);
}

} // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
        const WindowVerbs& windows)
{
    CLI::App app{"Formalys : remplit les formulaires Cerfa au format PDF.", "formalys"};
    app.formatter(std::make_shared<HelpFormatter>());
    app.option_defaults()->group("Options ");
    app.set_help_flag("-h,--help", "Affiche cette aide");
    app.set_version_flag("--version", std::string("formalys ") + FORMALYS_VERSION,
                         "Affiche la version");
    bool verbose = false;
    app.add_flag("--verbose", verbose,
                 "Affiche aussi les détails techniques (en anglais) derrière chaque message");
    app.require_subcommand(1);
    app.fallthrough(); // --verbose after the verb too
    app.footer(directoryNote + "\n" + documentPathNote);

    ExchangeOptions exchange;
    std::string written;
    auto* exchangeVerb =
        addVerb(app, "exchange",
                "Lit (ou écrit) une valeur du fichier d'échange Formalys.ini d'un dossier");
    addDirectoryOption(exchangeVerb, exchange.directory);
    exchangeVerb->add_option("section", exchange.section, "Section, par exemple PATIENT")
        ->required();
    exchangeVerb->add_option("clé", exchange.key, "Clé, par exemple NOM")->required();
    exchangeVerb->add_option("--default", exchange.defaultValue, "Valeur par défaut de la lecture");
    auto* writeOption =
        exchangeVerb->add_option("--write", written, "Écrit cette valeur au lieu de lire");

    GridOptions grid;
    auto* gridVerb =
        addVerb(app, "grid", "Affiche un fichier de grille (.cil, .ss) et vérifie ses liaisons");
    gridVerb->add_option("grille", grid.file, "Fichier de grille")->required();
    gridVerb->add_option("--template", grid.templatePath,
                         "Modèle PDF dont les champs doivent exister");
    gridVerb->add_flag("--json", grid.json, "Sortie au format JSON");
    const std::string formHelp = "Formulaire : MT, DEPAT, PIRES ou DSI";

    FillOptions fill;
    auto* fillVerb = addVerb(app, "fill",
                             "Remplit un formulaire comme l'assistant (modèle, fichier d'échange, "
                             "grille) et enregistre le document tel que le remplissage le laisse");
    addDirectoryOption(fillVerb, fill.directory);
    fillVerb->add_option("--form", fill.form, formHelp)
        ->required()
        ->transform(formName())
        ->type_name("FORMULAIRE");
    fillVerb->add_option("--out", fill.output, "Document PDF à écrire")->required();

    SheetOptions sheet;
    auto* sheetVerb =
        addVerb(app, "sheet",
                "Remplit un formulaire et affiche la feuille que l'utilisateur verrait "
                "dans l'assistant");
    addDirectoryOption(sheetVerb, sheet.directory);
    sheetVerb->add_option("--form", sheet.form, formHelp)
        ->required()
        ->transform(formName())
        ->type_name("FORMULAIRE");
    sheetVerb->add_flag("--json", sheet.json,
                        "La feuille au format des fichiers de grille (modifiable, puis "
                        "« generate --sheet »)");

    GenerateOptions generate;
    std::string generateSheet;
    std::string generateOutput;
    auto* generateVerb = addVerb(
        app, "generate",
        "Remplit un formulaire, applique éventuellement une feuille corrigée, puis génère le "
        "document comme le bouton « Générer le document Cerfa et Quitter »");
    addDirectoryOption(generateVerb, generate.directory);
    generateVerb->add_option("--form", generate.form, formHelp)
        ->required()
        ->transform(formName())
        ->type_name("FORMULAIRE");
    auto* sheetOption = generateVerb->add_option(
        "--sheet", generateSheet, "Fichier de grille remplaçant la feuille (les corrections)");
    auto* outOption = generateVerb->add_option(
        "--out", generateOutput,
        "Chemin du document, donné comme le ferait l'application hôte ; sans lui, « test.pdf » "
        "dans le dossier de Formalys");
    generateVerb->footer(directoryNote + "\n" + documentPathNote);

    std::string form2035Directory;
    auto* form2035Verb = addVerb(app, "2035",
                                 "Remplit le formulaire 2035 depuis la section [2035] du fichier "
                                 "d'échange ; le document est « 2035Ok.pdf » dans le dossier "
                                 "courant");
    addDirectoryOption(form2035Verb, form2035Directory);

    std::string fieldsPath;
    bool fieldsJson = false;
    auto* fieldsVerb =
        addVerb(app, "fields", "Liste les champs d'un PDF avec leurs valeurs, dans leur ordre");
    fieldsVerb->add_option("document", fieldsPath, "Fichier PDF")->required();
    fieldsVerb->add_flag("--json", fieldsJson, "Sortie au format JSON");

    AssistantOptions assistant;
    std::string assistantOutput;
    auto* assistantVerb = addVerb(app, "assistant",
                                  "Ouvre l'assistant sur un dossier comme le ferait "
                                  "l'application hôte, puis affiche le chemin du "
                                  "document généré ou indique que la saisie est en pause");
    addDirectoryOption(assistantVerb, assistant.directory);
    assistantVerb->add_flag(
        "--modeless", assistant.modeless,
        "Ouvre la fenêtre sans attendre (CerfaMenuPatient), puis attend sa fermeture");
    auto* assistantOut = assistantVerb->add_option(
        "--out", assistantOutput,
        "Chemin du document, donné par l'hôte ; sans lui, une fenêtre le demande");

    std::string aboutDirectory;
    auto* aboutVerb = addVerb(app, "about",
                              "Ouvre la fenêtre « A propos de Formalys » comme le ferait "
                              "l'application hôte (CerfaAbout)");
    addDirectoryOption(aboutVerb, aboutDirectory);

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForVersion&) {
        out << "formalys " << FORMALYS_VERSION << '\n';
        return exitSuccess;
    } catch (const CLI::CallForHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return exitSuccess;
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) {
            // --help on a verb
            for (auto* verb : app.get_subcommands()) {
                out << verb->help();
            }
            return exitSuccess;
        }
        err << "formalys : " << french(e, argc > 1 ? argv[1] : "") << ".\nVoir « formalys --help ».\n";
        return exitBadUsage;
    }

    setVerbose(verbose);
    if (fillVerb->parsed()) {
        return runFill(fill, out, err);
    }
    if (sheetVerb->parsed()) {
        return runSheet(sheet, out, err);
    }
    if (generateVerb->parsed()) {
        if (sheetOption->count() > 0) {
            generate.sheet = generateSheet;
        }
        if (outOption->count() > 0) {
            generate.output = generateOutput;
        }
        return runGenerate(generate, out, err);
    }
    if (form2035Verb->parsed()) {
        return runForm2035(form2035Directory, out, err);
    }
    if (fieldsVerb->parsed()) {
        return runFields(fieldsPath, fieldsJson, out, err);
    }
    if (exchangeVerb->parsed()) {
        if (writeOption->count() > 0) {
            exchange.valueToWrite = written;
        }
        return runExchange(exchange, out, err);
    }
    if (gridVerb->parsed()) {
        return runGrid(grid, out, err);
    }
    if (assistantVerb->parsed()) {
        if (assistantOut->count() > 0) {
            assistant.output = assistantOutput;
        }
        return windows.assistant != nullptr ? windows.assistant(assistant, out, err)
                                            : handOverToWindowsProgram(argv, err);
    }
    if (aboutVerb->parsed()) {
        return windows.about != nullptr ? windows.about(aboutDirectory, out, err)
                                        : handOverToWindowsProgram(argv, err);
    }
    return exitBadUsage;
}

} // namespace formalys::cli
