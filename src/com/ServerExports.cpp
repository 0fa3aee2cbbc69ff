// The entry points of formalys.dll as an in-process automation server, which COM and regsvr32
// look up by name.
#include "com/ClassFactory.h"
#include "com/FormalysServer.h"
#include "com/Registration.h"
#include "com/ServerModule.h"

#include <cwchar>
#include <olectl.h>

using formalys::com::RegistrationScope;

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (clsid != CLSID_SHPDF) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    return formalys::com::classFactory().QueryInterface(iid, object);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow()
{
    return formalys::com::serverInUse() ? S_FALSE : S_OK;
}

// For every user when the caller may write there (an administrator), for the current user otherwise.
__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer()
{
    const std::wstring path = formalys::com::serverPath();
    if (SUCCEEDED(formalys::com::registerServer(RegistrationScope::Machine, path))) {
        return S_OK;
    }
    return SUCCEEDED(formalys::com::registerServer(RegistrationScope::User, path)) ? S_OK : SELFREG_E_CLASS;
}

// Removes both registrations: the machine's when the caller may, the user's always.
__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer()
{
    formalys::com::unregisterServer(RegistrationScope::Machine);
    return SUCCEEDED(formalys::com::unregisterServer(RegistrationScope::User)) ? S_OK : SELFREG_E_CLASS;
}

// regsvr32 /n /i:user (and /u /n /i:user): the current user only, without administrator rights.
// Without "user", as DllRegisterServer and DllUnregisterServer.
__declspec(dllexport) HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine)
{
    const bool user = commandLine != nullptr && ::_wcsicmp(commandLine, L"user") == 0;
    if (!user) {
        return install ? DllRegisterServer() : DllUnregisterServer();
    }
    const HRESULT result = install ? formalys::com::registerServer(RegistrationScope::User, formalys::com::serverPath())
                                   : formalys::com::unregisterServer(RegistrationScope::User);
    return SUCCEEDED(result) ? S_OK : SELFREG_E_CLASS;
}

} // extern "C"
