#pragma once
// The warning channel. The system stays silent toward the user when a step fails and is skipped
// (an exchange write that fails, a template that cannot be read, a save that fails); the reason is
// still recorded here, in French, so that the command line can print it and the tests can read it.

#include <string>
#include <vector>

namespace formalys {

// Records `message`, unless the same message is already waiting: each cause is said once per
// operation, since every operation takes the warnings when it ends.
void reportWarning(std::string message);

// Records `message` for the user, and `detail` (English: a library's own words, a system error)
// for a developer, who sees it only when asking for it (formalys --verbose, FORMALYS_DEBUG=1).
void reportWarning(std::string message, std::string detail);

// Every warning reported since the last call, oldest first; the list is emptied.
std::vector<std::string> takeWarnings();

// The developers' details recorded since the last call, oldest first; the list is emptied.
std::vector<std::string> takeDetails();

// Records a detail for developers alone: what a library said that tells a user nothing.
void reportDetail(std::string detail);

} // namespace formalys
