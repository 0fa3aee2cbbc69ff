#pragma once
// The class factory of SHPDF, which DllGetClassObject hands out: it makes ShpdfObjects and takes
// the hosts' locks on the server.

#include <unknwn.h>

namespace formalys::com {

class ClassFactory final : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;
};

// The one factory of the DLL: it lives as long as the DLL, so its count only follows the module's.
ClassFactory& classFactory();

} // namespace formalys::com
