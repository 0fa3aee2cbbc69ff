#pragma once
// The host callback given through the C interface, as the component calls it: with 1, 2, 3, 4, as
// a plain function on Linux, through CallWindowProcW on Windows, where the host passes a window
// procedure.

#include "formalys/SHPDF.h"
#include "formalys/formalys.h"

namespace formalys::api {

// Nothing for NULL.
HostCallback hostCallbackOf(FormalysHostCallback callback);

} // namespace formalys::api
