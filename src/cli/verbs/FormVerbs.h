#pragma once
// The verbs that run one form of the assistant headless, on an application directory:
//   fill      the form's fill, then the document saved as the fill left it;
//   sheet     the fill and the grid merge, then the mapping grid the user would see;
//   generate  the fill, optionally the user's corrected sheet, then generation, acting as the host
//             when an output path is given (the real callback handshake runs).

#include <iosfwd>
#include <optional>
#include <string>

namespace formalys::cli {

struct FillOptions
{
    std::string directory;
    std::string form; // MT, DEPAT, PIRES or DSI
    std::string output;
};

struct SheetOptions
{
    std::string directory;
    std::string form;
    bool json = false; // the sheet as a grid file instead of a table
};

struct GenerateOptions
{
    std::string directory;
    std::string form;
    std::optional<std::string> sheet;  // a grid file replacing the merged sheet
    std::optional<std::string> output; // the path the host names; none: the default path
};

int runFill(const FillOptions& options, std::ostream& out, std::ostream& err);
int runSheet(const SheetOptions& options, std::ostream& out, std::ostream& err);
int runGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
