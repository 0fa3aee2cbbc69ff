#include "cli/CommandLine.h"

#include "cli/ExitCode.h"
#include "cli/verbs/ExchangeVerb.h"
#include "cli/verbs/GridVerb.h"

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

} // namespace

int run(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
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
