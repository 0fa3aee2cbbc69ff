#include "api/HostCallbackOf.h"

#include <windows.h>

namespace formalys::api {

HostCallback hostCallbackOf(FormalysHostCallback callback)
{
    if (callback == nullptr) {
        return {};
    }
    const auto procedure = reinterpret_cast<WNDPROC>(callback);
    return [procedure](std::int32_t window, std::int32_t message, std::int32_t first,
                       std::int32_t second) {
        return static_cast<std::int32_t>(::CallWindowProcW(
            procedure, reinterpret_cast<HWND>(static_cast<std::intptr_t>(window)),
            static_cast<UINT>(message), static_cast<WPARAM>(first), static_cast<LPARAM>(second)));
    };
}

} // namespace formalys::api
