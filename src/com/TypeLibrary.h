#pragma once
// The type library embedded in formalys.dll (resource 1): what IDispatch answers from, by name and
// by number, so that no table of names is written by hand.

#include <oaidl.h>

namespace formalys::com {

// The description of _SHPDF, loaded once from the DLL's own file; null when it cannot be loaded.
// The caller does not release it.
ITypeInfo* shpdfTypeInfo();

} // namespace formalys::com
