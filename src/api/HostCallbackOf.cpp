#include "api/HostCallbackOf.h"

namespace formalys::api {

HostCallback hostCallbackOf(FormalysHostCallback callback)
{
    return callback == nullptr ? HostCallback() : HostCallback(callback);
}

} // namespace formalys::api
