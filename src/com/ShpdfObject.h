#pragma once
// One SHPDF object as an automation host holds it: the dual interface _SHPDF over the core's
// SHPDF, IDispatch served from the type library, and failures told through IErrorInfo. The
// component state behind it is the process's, shared by every object; TheData is the object's own.

#include "com/FormalysServer.h"
#include "formalys/SHPDF.h"

#include <atomic>

namespace formalys::com {

class ShpdfObject final : public _SHPDF, public ISupportErrorInfo
{
public:
    ShpdfObject();
    ~ShpdfObject();
    ShpdfObject(const ShpdfObject&) = delete;
    ShpdfObject& operator=(const ShpdfObject&) = delete;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch, from the type library
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* arguments,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override;

    // _SHPDF
    HRESULT STDMETHODCALLTYPE get_TheData(BSTR* value) override;
    HRESULT STDMETHODCALLTYPE put_TheData(BSTR value) override;
    HRESULT STDMETHODCALLTYPE CerfaInit(VARIANT* APath, VARIANT* Alone, VARIANT* ACallBack) override;
    HRESULT STDMETHODCALLTYPE CerfaAssistant() override;
    HRESULT STDMETHODCALLTYPE CerfaQuit() override;
    HRESULT STDMETHODCALLTYPE CerfaMenuPatient() override;
    HRESULT STDMETHODCALLTYPE CerfaAbout() override;
    HRESULT STDMETHODCALLTYPE CerfaTest() override;
    HRESULT STDMETHODCALLTYPE Cerfa2035() override;

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

private:
    std::atomic<ULONG> references_{1};
    SHPDF object_;
};

} // namespace formalys::com
