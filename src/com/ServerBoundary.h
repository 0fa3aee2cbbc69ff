#pragma once
// The edge between the host and Formalys: no C++ exception crosses it. A member's failure becomes
// an HRESULT with a French description in IErrorInfo, which a script host shows to its user.

#include "com/VariantArguments.h"

#include <exception>
#include <string>
#include <windows.h>

namespace formalys::com {

// Records `description` (French) as the error of the calling thread and returns `result`.
HRESULT failWith(HRESULT result, const std::string& description);

// Runs `member` and returns S_OK, or the failure it threw, described for the host.
template <typename Member>
HRESULT guarded(const char* name, Member&& member) noexcept
{
    try {
        member();
        return S_OK;
    } catch (const ArgumentError& error) { // the host's mistake, said as it is
        return failWith(E_INVALIDARG, error.what());
    } catch (const std::exception& error) {
        return failWith(E_FAIL, std::string("Formalys : ") + name + " n'a pas pu aller à son terme (" + error.what() + ").");
    } catch (...) {
        return failWith(E_FAIL, std::string("Formalys : ") + name + " n'a pas pu aller à son terme.");
    }
}

} // namespace formalys::com
