// The programs that have a DLL loaded: a host holding formalys.dll keeps it from being replaced,
// and the installer names it to the user rather than half install.
#pragma once

#include <string>
#include <vector>

namespace installer {

// The executable names (such as "Kaluma.exe") of the running processes that have one of the
// modules loaded, each once, in the order found. A process this one may not look into is skipped.
std::vector<std::wstring> holdersOf(const std::vector<std::wstring> &modules);

} // namespace installer
