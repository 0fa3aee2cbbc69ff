#pragma once
// What registering the automation server writes, and removes again: the class SHPDF with its
// InprocServer32 (this DLL, "Apartment"), the ProgIDs Formalys.SHPDF and Formalys.SHPDF.1, the type
// library for this DLL's bitness, and the interface _SHPDF with the type library's marshaller, so
// that late-bound hosts (scripts, VBA) and early-bound ones (VB6, Delphi, C++) both find it.

#include <string>
#include <vector>
#include <windows.h>

namespace formalys::com {

enum class RegistrationScope
{
    Machine, // HKEY_LOCAL_MACHINE\Software\Classes: every user; needs administrator rights
    User,    // HKEY_CURRENT_USER\Software\Classes: the current user only
};

struct RegistryValue
{
    std::wstring key;  // under Software\Classes
    std::wstring name; // empty: the key's default value
    std::wstring data;
};

// Every value registration writes for the DLL at `serverPath`, keys in the order they are made.
std::vector<RegistryValue> registrationValues(const std::wstring& serverPath);

// Writes the values for `scope`; on failure, removes what it wrote and returns the error.
HRESULT registerServer(RegistrationScope scope, const std::wstring& serverPath);

// Removes what registerServer wrote for `scope`. The keys that 32- and 64-bit registrations
// share (the ProgIDs, the type library's version) stay while the other bitness is registered.
HRESULT unregisterServer(RegistrationScope scope);

} // namespace formalys::com
