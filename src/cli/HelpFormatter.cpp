#include "cli/HelpFormatter.h"

#include "text/Utf8.h"

namespace formalys::cli {

HelpFormatter::HelpFormatter()
{
    // CLI11 puts a colon right after each label: the space before it is part of the label.
    label("Usage", "Utilisation ");
    label("OPTIONS", "OPTIONS");
    label("SUBCOMMAND", "VERBE");
    label("SUBCOMMANDS", "VERBES");
    label("Subcommands", "Verbes ");
    label("Positionals", "Arguments ");
    label("REQUIRED", "obligatoire");
    label("TEXT", "TEXTE");
    label("FLAG", "");
    column_width(34);
}

std::string HelpFormatter::line(const std::string& name, const std::string& description,
                                std::size_t width)
{
    std::string out = "  " + name;
    const std::size_t used = text::characterCount(out);
    if (!description.empty()) {
        if (used >= width) {
            out += "\n";
            out.append(width, ' ');
        } else {
            out.append(width - used, ' ');
        }
        for (const char c : description) {
            out += c;
            if (c == '\n') {
                out.append(width, ' ');
            }
        }
    }
    return out + "\n";
}

std::string HelpFormatter::make_option(const CLI::Option* option, bool positional) const
{
    return line(make_option_name(option, positional) + make_option_opts(option),
                make_option_desc(option), get_column_width());
}

std::string HelpFormatter::make_subcommand(const CLI::App* verb) const
{
    return line(verb->get_display_name(true), verb->get_description(), get_column_width());
}

} // namespace formalys::cli
