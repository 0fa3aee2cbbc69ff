#pragma once
// The help of the command line as French readers expect it: "Utilisation :" with the space French
// puts before a colon, and columns aligned by characters, so that an accented word ("clé") does
// not shift its line.

#include <CLI/CLI.hpp>

namespace formalys::cli {

class HelpFormatter final : public CLI::Formatter
{
public:
    HelpFormatter();
    std::string make_option(const CLI::Option* option, bool positional) const override;
    std::string make_subcommand(const CLI::App* verb) const override;

    // `name` in a column `width` characters wide, then `description`, as CLI11 lays them out.
    static std::string line(const std::string& name, const std::string& description,
                            std::size_t width);
};

} // namespace formalys::cli
