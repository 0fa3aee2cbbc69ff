#include "cli/CommandLine.h"

#include "assistant/FormTable.h"
#include "cli/ExitCode.h"
#include "cli/verbs/ExchangeVerb.h"
#include "cli/verbs/FieldsVerb.h"
#include "cli/verbs/Form2035Verb.h"
#include "cli/verbs/FormVerbs.h"
#include "cli/verbs/GridVerb.h"
#include "component/ComponentState.h"

#include <CLI/CLI.hpp>
#include <ostream>

namespace formalys::cli {

namespace {

void frenchLabels(CLI::App& app)
{
    auto formatter = app.get_formatter();
    formatter->label("Usage", "Utilisation");
    formatter->label("OPTIONS", "OPTIONS");
    formatter->label("SUBCOMMAND", "VERBE");
    formatter->label("SUBCOMMANDS", "VERBES");
    formatter->label("Subcommands", "Verbes");
    formatter->label("Positionals", "Arguments");
    formatter->label("REQUIRED", "obligatoire");
    formatter->label("TEXT", "TEXTE");
}

CLI::App* addVerb(CLI::App& app, const std::string& name, const std::string& description)
{
    auto* verb = app.add_subcommand(name, description);
    verb->set_help_flag("-h,--help", "Affiche cette aide");
    verb->group("Verbes");
    return verb;
}

// Sends the component's message boxes to a stream for the length of one command.
class MessagesTo
{
public:
    explicit MessagesTo(std::ostream& err) : previous_(ComponentState::instance().messageBox)
    {
        ComponentState::instance().messageBox = std::make_shared<HeadlessMessageBox>(err);
    }
    ~MessagesTo() { ComponentState::instance().messageBox = previous_; }
    MessagesTo(const MessagesTo&) = delete;
    MessagesTo& operator=(const MessagesTo&) = delete;

private:
    std::shared_ptr<MessageBoxPort> previous_;
};

} // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    // The component's messages (a missing template, …) go where the command's own messages go.
    MessagesTo messages(err);

    CLI::App app{"Formalys : remplit les formulaires Cerfa au format PDF.", "formalys"};
    frenchLabels(app);
    app.set_help_flag("-h,--help", "Affiche cette aide");
    app.require_subcommand(1);

    ExchangeOptions exchange;
    std::string written;
    auto* exchangeVerb =
        addVerb(app, "exchange",
                "Lit (ou écrit) une valeur du fichier d'échange Formalys.ini d'un répertoire");
    exchangeVerb->add_option("--dir", exchange.directory, "Répertoire de l'application")
        ->required();
    exchangeVerb->add_option("section", exchange.section, "Section, par exemple PATIENT")
        ->required();
    exchangeVerb->add_option("key", exchange.key, "Clé, par exemple NOM")->required();
    exchangeVerb->add_option("--default", exchange.defaultValue, "Valeur par défaut de la lecture");
    auto* writeOption =
        exchangeVerb->add_option("--write", written, "Écrit cette valeur au lieu de lire");

    GridOptions grid;
    auto* gridVerb =
        addVerb(app, "grid", "Affiche un fichier de grille (.cil, .ss) et vérifie ses liaisons");
    gridVerb->add_option("file", grid.file, "Fichier de grille")->required();
    gridVerb->add_option("--template", grid.templatePath,
                         "Modèle PDF dont les champs doivent exister");
    gridVerb->add_flag("--json", grid.json, "Sortie au format JSON");
    std::vector<std::string> forms;
    for (const auto& form : assistant::formTable) {
        forms.emplace_back(form.sourcePdf);
    }
    const std::string formHelp = "Formulaire : MT, DEPAT, PIRES ou DSI";

    FillOptions fill;
    auto* fillVerb = addVerb(app, "fill",
                             "Remplit un formulaire comme l'assistant (modèle, fichier d'échange, "
                             "grille) et enregistre le document tel que le remplissage le laisse");
    fillVerb->add_option("--dir", fill.directory, "Répertoire de l'application")->required();
    fillVerb->add_option("--form", fill.form, formHelp)->required()->check(CLI::IsMember(forms));
    fillVerb->add_option("--out", fill.output, "Document PDF à écrire")->required();

    SheetOptions sheet;
    auto* sheetVerb =
        addVerb(app, "sheet",
                "Remplit un formulaire et affiche la feuille que l'utilisateur verrait "
                "dans l'assistant");
    sheetVerb->add_option("--dir", sheet.directory, "Répertoire de l'application")->required();
    sheetVerb->add_option("--form", sheet.form, formHelp)->required()->check(CLI::IsMember(forms));
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
    generateVerb->add_option("--dir", generate.directory, "Répertoire de l'application")
        ->required();
    generateVerb->add_option("--form", generate.form, formHelp)
        ->required()
        ->check(CLI::IsMember(forms));
    auto* sheetOption = generateVerb->add_option(
        "--sheet", generateSheet, "Fichier de grille remplaçant la feuille (les corrections)");
    auto* outOption = generateVerb->add_option(
        "--out", generateOutput,
        "Chemin du document, donné par la poignée de main comme le ferait l'application hôte ; "
        "sans lui, le document est « test.pdf » dans le répertoire du composant");

    std::string form2035Directory;
    auto* form2035Verb = addVerb(app, "2035",
                                 "Remplit le formulaire 2035 depuis la section [2035] du fichier "
                                 "d'échange ; le document est « 2035Ok.pdf » dans le répertoire "
                                 "courant");
    form2035Verb->add_option("--dir", form2035Directory, "Répertoire de l'application")->required();

    std::string fieldsPath;
    bool fieldsJson = false;
    auto* fieldsVerb =
        addVerb(app, "fields", "Liste les champs d'un PDF avec leurs valeurs, dans leur ordre");
    fieldsVerb->add_option("pdf", fieldsPath, "Fichier PDF")->required();
    fieldsVerb->add_flag("--json", fieldsJson, "Sortie au format JSON");

    try {
        app.parse(argc, argv);
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
        err << "formalys : ligne de commande incorrecte (" << e.what()
            << ").\nVoir « formalys --help ».\n";
        return exitBadUsage;
    }

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
    return exitBadUsage;
}

} // namespace formalys::cli
