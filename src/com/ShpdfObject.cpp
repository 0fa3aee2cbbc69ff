#include "com/ShpdfObject.h"

#include "api/HostCallbackOf.h"
#include "com/ServerBoundary.h"
#include "com/ServerModule.h"
#include "com/TypeLibrary.h"
#include "com/VariantArguments.h"
#include "text/WideText.h"

#include <oleauto.h>

namespace formalys::com {

ShpdfObject::ShpdfObject() { objectCreated(); }

ShpdfObject::~ShpdfObject() { objectDestroyed(); }

HRESULT ShpdfObject::QueryInterface(REFIID iid, void** object)
{
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID__SHPDF) {
        *object = static_cast<_SHPDF*>(this);
    } else if (iid == IID_ISupportErrorInfo) {
        *object = static_cast<ISupportErrorInfo*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG ShpdfObject::AddRef() { return ++references_; }

ULONG ShpdfObject::Release()
{
    const ULONG left = --references_;
    if (left == 0) {
        delete this;
    }
    return left;
}

HRESULT ShpdfObject::GetTypeInfoCount(UINT* count)
{
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = shpdfTypeInfo() != nullptr ? 1 : 0;
    return S_OK;
}

HRESULT ShpdfObject::GetTypeInfo(UINT index, LCID, ITypeInfo** info)
{
    if (info == nullptr) {
        return E_POINTER;
    }
    *info = index == 0 ? shpdfTypeInfo() : nullptr;
    if (*info == nullptr) {
        return DISP_E_BADINDEX;
    }
    (*info)->AddRef();
    return S_OK;
}

HRESULT ShpdfObject::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids)
{
    ITypeInfo* info = shpdfTypeInfo();
    if (iid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    return info == nullptr ? E_UNEXPECTED : ::DispGetIDsOfNames(info, names, count, ids);
}

HRESULT ShpdfObject::Invoke(DISPID member, REFIID iid, LCID, WORD flags, DISPPARAMS* arguments, VARIANT* result,
                            EXCEPINFO* exception, UINT* argumentError)
{
    ITypeInfo* info = shpdfTypeInfo();
    if (iid != IID_NULL) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    if (info == nullptr) {
        return E_UNEXPECTED;
    }
    return ::DispInvoke(static_cast<_SHPDF*>(this), info, member, flags, arguments, result, exception,
                        argumentError);
}

HRESULT ShpdfObject::get_TheData(BSTR* value)
{
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = nullptr;
    return guarded("TheData", [&] {
        const std::wstring text = text::wideText(object_.TheData());
        *value = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        if (*value == nullptr) {
            throw std::bad_alloc();
        }
    });
}

HRESULT ShpdfObject::put_TheData(BSTR value)
{
    return guarded("TheData", [&] {
        object_.setTheData(text::utf8Text(std::wstring_view(value, ::SysStringLen(value))));
    });
}

HRESULT ShpdfObject::CerfaInit(VARIANT* APath, VARIANT* Alone, VARIANT* ACallBack)
{
    return guarded("CerfaInit", [&] {
        const std::string path = textArgument(APath, "APath");
        const std::int16_t alone = smallIntegerArgument(Alone, "Alone");
        const std::uintptr_t callback = addressArgument(ACallBack, "ACallBack");
        object_.CerfaInit(path, alone, api::hostCallbackOf(reinterpret_cast<FormalysHostCallback>(callback)));
    });
}

HRESULT ShpdfObject::CerfaAssistant()
{
    return guarded("CerfaAssistant", [&] { object_.CerfaAssistant(); });
}

HRESULT ShpdfObject::CerfaQuit()
{
    return guarded("CerfaQuit", [&] { object_.CerfaQuit(); });
}

HRESULT ShpdfObject::CerfaMenuPatient()
{
    return guarded("CerfaMenuPatient", [&] { object_.CerfaMenuPatient(); });
}

HRESULT ShpdfObject::CerfaAbout()
{
    return guarded("CerfaAbout", [&] { object_.CerfaAbout(); });
}

HRESULT ShpdfObject::CerfaTest()
{
    return guarded("CerfaTest", [&] { object_.CerfaTest(); });
}

HRESULT ShpdfObject::Cerfa2035()
{
    return guarded("Cerfa2035", [&] { object_.Cerfa2035(); });
}

HRESULT ShpdfObject::InterfaceSupportsErrorInfo(REFIID iid)
{
    return iid == IID__SHPDF ? S_OK : S_FALSE;
}

} // namespace formalys::com
