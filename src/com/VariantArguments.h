#pragma once
// CerfaInit's arguments as automation hosts pass them: optional, by reference, of whatever type
// the host's language gives (a script's variable, a number typed as text, a Boolean). A missing
// argument counts as the empty text or 0; any other one is converted the way a script host
// converts, and never written back.

#include <cstdint>
#include <oaidl.h>
#include <stdexcept>
#include <string>

namespace formalys::com {

// A value that cannot become what its parameter holds (an object for the directory, a text that
// is no number for Alone). The message is French, for the host's user.
class ArgumentError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Whether the host left the argument out: no variant, VT_EMPTY, or VT_ERROR holding
// DISP_E_PARAMNOTFOUND, each possibly behind a reference.
bool isMissing(const VARIANT* argument);

// APath: a text, in UTF-8.
std::string textArgument(const VARIANT* argument, const char* name);
// Alone: a 16-bit integer (a Boolean True is -1).
std::int16_t smallIntegerArgument(const VARIANT* argument, const char* name);
// ACallBack: a code address, which a 32-bit host passes as a 32-bit integer (negative above
// 2 GB) and a 64-bit host as a 32- or 64-bit one.
std::uintptr_t addressArgument(const VARIANT* argument, const char* name);

} // namespace formalys::com
