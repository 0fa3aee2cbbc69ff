#pragma once
// The verbs that run one form of the assistant headless, on an application directory:
//   fill      the form's fill, then the document saved as the fill left it;
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

struct GenerateOptions
{
    std::string directory;
    std::string form;
    std::optional<std::string> sheet;  // a grid file replacing the merged sheet
    std::optional<std::string> output; // the path the host names; none: the default path
};

int runFill(const FillOptions& options, std::ostream& out, std::ostream& err);
int runGenerate(const GenerateOptions& options, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
