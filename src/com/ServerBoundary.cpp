#include "com/ServerBoundary.h"

#include "com/FormalysServer.h"
#include "text/WideText.h"

#include <oleauto.h>

namespace formalys::com {

HRESULT failWith(HRESULT result, const std::string& description)
{
    ICreateErrorInfo* creator = nullptr;
    if (SUCCEEDED(::CreateErrorInfo(&creator))) {
        const std::wstring text = text::wideText(description);
        creator->SetGUID(IID__SHPDF);
        creator->SetSource(const_cast<LPOLESTR>(L"Formalys.SHPDF"));
        creator->SetDescription(const_cast<LPOLESTR>(text.c_str()));
        IErrorInfo* info = nullptr;
        if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
            ::SetErrorInfo(0, info);
            info->Release();
        }
        creator->Release();
    }
    return result;
}

} // namespace formalys::com
