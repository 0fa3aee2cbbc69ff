#pragma once
// `formalys grid`: prints a grid file as a table (column, row, type, text and binding of every
// non-empty cell) and checks its bindings: placeholders and fields bound twice always, and with a
// template, bindings that name none of its fields.

#include <iosfwd>
#include <string>

namespace formalys::cli {

struct GridOptions
{
    std::string file;
    std::string templatePath; // empty: no template to check against
    bool json = false;        // the table and the problems as JSON instead of text
};

// exitSuccess when the file loads and no problem is found; exitFailed when the file or the
// template is refused, or a problem is found.
int runGrid(const GridOptions& options, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
