#include "com/ClassFactory.h"

#include "com/ServerModule.h"
#include "com/ShpdfObject.h"

#include <new>

namespace formalys::com {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid != IID_IUnknown && iid != IID_IClassFactory) {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

// A factory handed out keeps the DLL loaded as a lock does, until it is released.
ULONG ClassFactory::AddRef()
{
    lockServer(true);
    return 2;
}

ULONG ClassFactory::Release()
{
    lockServer(false);
    return 1;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (outer != nullptr) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* created = new (std::nothrow) ShpdfObject;
    if (created == nullptr) {
        return E_OUTOFMEMORY;
    }
    const HRESULT result = created->QueryInterface(iid, object);
    created->Release(); // the host's reference, if any, is the one left
    return result;
}

HRESULT ClassFactory::LockServer(BOOL lock)
{
    lockServer(lock != FALSE);
    return S_OK;
}

ClassFactory& classFactory()
{
    static ClassFactory factory;
    return factory;
}

} // namespace formalys::com
