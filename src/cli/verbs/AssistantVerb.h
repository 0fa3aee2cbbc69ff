#pragma once
// `formalys assistant`: acts as a host that opens the assistant on an application directory
// (CerfaInit, then CerfaAssistant, or CerfaMenuPatient and the event loop until the window has
// gone). The host's callback names the document: FILE given with --out, or the path the user picks
// in a save dialog. Prints the path of the generated document, or that the work was paused.

#include <iosfwd>
#include <optional>
#include <string>

namespace formalys::cli {

struct AssistantOptions
{
    std::string directory;
    bool modeless = false;
    std::optional<std::string> output;
};

// Runs in the windows program (it opens windows); the headless program hands the verb over to it.
int runAssistant(const AssistantOptions& options, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
