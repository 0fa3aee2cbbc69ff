#pragma once
// formalys.dll as an automation server: its own file, and the count of what keeps it loaded (live
// objects and the hosts' locks on the class factory), which DllCanUnloadNow answers from.

#include <string>
#include <windows.h>

namespace formalys::com {

// formalys.dll itself, and its path.
HMODULE serverModule();
std::wstring serverPath();

void objectCreated();
void objectDestroyed();
void lockServer(bool lock);
// Whether an object lives or a host holds a lock.
bool serverInUse();

} // namespace formalys::com
