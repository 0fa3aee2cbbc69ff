#pragma once
// The verbs that open windows, acting as a host would.
//
// `formalys assistant`: opens the assistant on an application directory (CerfaInit, then
// CerfaAssistant, or CerfaMenuPatient and the event loop until the window has gone). The host's
// callback names the document: FILE given with --out, or the path the user picks in a save dialog.
// After a pause it keeps running in the tray, so that "Reprendre la saisie" can bring the work
// back, until the document is generated or the window closed without a pause; then CerfaQuit.
// Prints the path of the generated document, or that the work was paused or dropped.
//
// `formalys about`: CerfaInit, CerfaAbout, CerfaQuit; prints TheData.

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

// They run in the windows program; the headless program hands them over to it.
int runAssistant(const AssistantOptions& options, std::ostream& out, std::ostream& err);
int runAbout(const std::string& directory, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
