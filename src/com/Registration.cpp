#include "com/Registration.h"

#include "com/FormalysServer.h"

namespace formalys::com {

namespace {

const wchar_t* const progId = L"Formalys.SHPDF";
const wchar_t* const versionedProgId = L"Formalys.SHPDF.1";
const wchar_t* const libraryVersion = L"1.0";
// The type library's own marshaller (PSOAInterface), for interfaces described by a type library.
const wchar_t* const typeLibraryMarshaller = L"{00020424-0000-0000-C000-000000000046}";
#ifdef _WIN64
const wchar_t* const platform = L"win64";
const REGSAM otherView = KEY_WOW64_32KEY;
#else
const wchar_t* const platform = L"win32";
const REGSAM otherView = KEY_WOW64_64KEY;
#endif

std::wstring guidText(const GUID& guid)
{
    wchar_t text[39];
    ::StringFromGUID2(guid, text, 39);
    return text;
}

std::wstring classKey() { return L"CLSID\\" + guidText(CLSID_SHPDF); }
std::wstring interfaceKey() { return L"Interface\\" + guidText(IID__SHPDF); }
std::wstring libraryKey() { return L"TypeLib\\" + guidText(LIBID_Formalys); }
std::wstring libraryVersionKey() { return libraryKey() + L"\\" + libraryVersion; }

// Software\Classes of the scope, opened with `access`.
HKEY classesRoot(RegistrationScope scope, REGSAM access, LSTATUS& status)
{
    HKEY root = nullptr;
    status = ::RegCreateKeyExW(scope == RegistrationScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER,
                               L"Software\\Classes", 0, nullptr, 0, access, nullptr, &root, nullptr);
    return status == ERROR_SUCCESS ? root : nullptr;
}

bool hasSubkeys(HKEY root, const std::wstring& key)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    DWORD subkeys = 0;
    ::RegQueryInfoKeyW(opened, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr);
    ::RegCloseKey(opened);
    return subkeys > 0;
}

// Whether the registration of the other bitness is there (the class in the other registry view).
bool otherBitnessRegistered(RegistrationScope scope)
{
    HKEY opened = nullptr;
    const std::wstring key = L"Software\\Classes\\" + classKey();
    const HKEY top = scope == RegistrationScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
    if (::RegOpenKeyExW(top, key.c_str(), 0, KEY_READ | otherView, &opened) != ERROR_SUCCESS) {
        return false;
    }
    ::RegCloseKey(opened);
    return true;
}

} // namespace

std::vector<RegistryValue> registrationValues(const std::wstring& serverPath)
{
    const std::wstring clsid = guidText(CLSID_SHPDF), libid = guidText(LIBID_Formalys);
    const std::wstring directory = serverPath.substr(0, serverPath.find_last_of(L'\\'));
    return {
        {classKey(), L"", L"SHPDF"},
        {classKey() + L"\\InprocServer32", L"", serverPath},
        {classKey() + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
        {classKey() + L"\\ProgID", L"", versionedProgId},
        {classKey() + L"\\VersionIndependentProgID", L"", progId},
        {classKey() + L"\\TypeLib", L"", libid},
        {classKey() + L"\\Version", L"", libraryVersion},
        {progId, L"", L"SHPDF"},
        {std::wstring(progId) + L"\\CLSID", L"", clsid},
        {std::wstring(progId) + L"\\CurVer", L"", versionedProgId},
        {versionedProgId, L"", L"SHPDF"},
        {std::wstring(versionedProgId) + L"\\CLSID", L"", clsid},
        {libraryVersionKey(), L"", L"Composant Com Gestionnaire PDF"},
        {libraryVersionKey() + L"\\FLAGS", L"", L"0"},
        {libraryVersionKey() + L"\\HELPDIR", L"", directory},
        {libraryVersionKey() + L"\\0\\" + platform, L"", serverPath},
        {interfaceKey(), L"", L"_SHPDF"},
        {interfaceKey() + L"\\ProxyStubClsid", L"", typeLibraryMarshaller},
        {interfaceKey() + L"\\ProxyStubClsid32", L"", typeLibraryMarshaller},
        {interfaceKey() + L"\\TypeLib", L"", libid},
        {interfaceKey() + L"\\TypeLib", L"Version", libraryVersion},
    };
}

HRESULT registerServer(RegistrationScope scope, const std::wstring& serverPath)
{
    LSTATUS status = ERROR_SUCCESS;
    const HKEY root = classesRoot(scope, KEY_WRITE | KEY_READ, status);
    if (root == nullptr) {
        return HRESULT_FROM_WIN32(status);
    }
    for (const RegistryValue& value : registrationValues(serverPath)) {
        HKEY key = nullptr;
        status = ::RegCreateKeyExW(root, value.key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr);
        if (status == ERROR_SUCCESS) {
            const auto bytes = static_cast<DWORD>((value.data.size() + 1) * sizeof(wchar_t));
            status = ::RegSetValueExW(key, value.name.empty() ? nullptr : value.name.c_str(), 0, REG_SZ,
                                      reinterpret_cast<const BYTE*>(value.data.c_str()), bytes);
            ::RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS) {
            ::RegCloseKey(root);
            unregisterServer(scope);
            return HRESULT_FROM_WIN32(status);
        }
    }
    ::RegCloseKey(root);
    return S_OK;
}

HRESULT unregisterServer(RegistrationScope scope)
{
    LSTATUS status = ERROR_SUCCESS;
    const HKEY root = classesRoot(scope, KEY_WRITE | KEY_READ, status);
    if (root == nullptr) {
        return HRESULT_FROM_WIN32(status);
    }
    ::RegDeleteTreeW(root, classKey().c_str());
    ::RegDeleteTreeW(root, interfaceKey().c_str());
    ::RegDeleteTreeW(root, (libraryVersionKey() + L"\\0\\" + platform).c_str());
    if (!hasSubkeys(root, libraryVersionKey() + L"\\0")) { // no other bitness's library left
        ::RegDeleteTreeW(root, libraryVersionKey().c_str());
        if (!hasSubkeys(root, libraryKey())) {
            ::RegDeleteTreeW(root, libraryKey().c_str());
        }
    }
    if (!otherBitnessRegistered(scope)) {
        ::RegDeleteTreeW(root, progId);
        ::RegDeleteTreeW(root, versionedProgId);
    }
    // The keys registration had to create on the way, when nothing else is in them (RegDeleteKeyW
    // leaves a key that still has subkeys).
    for (const wchar_t* parent : {L"CLSID", L"Interface", L"TypeLib"}) {
        ::RegDeleteKeyW(root, parent);
    }
    ::RegCloseKey(root);
    ::RegDeleteKeyW(scope == RegistrationScope::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, L"Software\\Classes");
    return S_OK;
}

} // namespace formalys::com
