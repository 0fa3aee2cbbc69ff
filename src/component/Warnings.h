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

// Every warning reported since the last call, oldest first; the list is emptied.
std::vector<std::string> takeWarnings();

} // namespace formalys
