#include "com/TypeLibrary.h"

#include "com/FormalysServer.h"
#include "com/ServerModule.h"

#include <mutex>

namespace formalys::com {

ITypeInfo* shpdfTypeInfo()
{
    static std::mutex mutex;
    static ITypeInfo* typeInfo = nullptr; // kept for the life of the DLL
    const std::lock_guard lock(mutex);
    if (typeInfo == nullptr) {
        ITypeLib* library = nullptr;
        if (SUCCEEDED(::LoadTypeLibEx(serverPath().c_str(), REGKIND_NONE, &library))) {
            library->GetTypeInfoOfGuid(IID__SHPDF, &typeInfo);
            library->Release();
        }
    }
    return typeInfo;
}

} // namespace formalys::com
