#include "com/VariantArguments.h"

#include "text/WideText.h"

#include <oleauto.h>

namespace formalys::com {

namespace {

// A variant owned here, cleared when it goes.
class OwnedVariant
{
public:
    OwnedVariant() { ::VariantInit(&value_); }
    ~OwnedVariant() { ::VariantClear(&value_); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;
    VARIANT* get() { return &value_; }

private:
    VARIANT value_;
};

// The variant behind any number of VT_BYREF | VT_VARIANT references (a script's variable).
const VARIANT* dereferenced(const VARIANT* argument)
{
    while (argument != nullptr && V_VT(argument) == (VT_BYREF | VT_VARIANT)) {
        argument = V_VARIANTREF(argument);
    }
    return argument;
}

// `argument` converted to `type` into `result`, or an ArgumentError naming the parameter.
void convert(const VARIANT* argument, VARTYPE type, const char* name, const char* expected, OwnedVariant& result)
{
    OwnedVariant copy;
    const HRESULT copied = ::VariantCopyInd(copy.get(), const_cast<VARIANT*>(dereferenced(argument)));
    if (FAILED(copied) || FAILED(::VariantChangeType(result.get(), copy.get(), 0, type))) {
        throw ArgumentError(std::string("CerfaInit : l'argument ") + name + " doit être " + expected + ".");
    }
}

} // namespace

bool isMissing(const VARIANT* argument)
{
    argument = dereferenced(argument);
    if (argument == nullptr || V_VT(argument) == VT_EMPTY) {
        return true;
    }
    const VARIANTARG* inner = argument;
    return (V_VT(inner) == VT_ERROR && V_ERROR(inner) == DISP_E_PARAMNOTFOUND) ||
           (V_VT(inner) == (VT_ERROR | VT_BYREF) && *V_ERRORREF(inner) == DISP_E_PARAMNOTFOUND);
}

std::string textArgument(const VARIANT* argument, const char* name)
{
    if (isMissing(argument)) {
        return {};
    }
    OwnedVariant text;
    convert(argument, VT_BSTR, name, "un texte", text);
    const BSTR value = V_BSTR(text.get());
    return text::utf8Text(std::wstring_view(value, ::SysStringLen(value)));
}

std::int16_t smallIntegerArgument(const VARIANT* argument, const char* name)
{
    if (isMissing(argument)) {
        return 0;
    }
    OwnedVariant number;
    convert(argument, VT_I2, name, "un entier de -32768 à 32767", number);
    return V_I2(number.get());
}

std::uintptr_t addressArgument(const VARIANT* argument, const char* name)
{
    if (isMissing(argument)) {
        return 0;
    }
    OwnedVariant number;
    convert(argument, VT_I8, name, "une adresse (un entier)", number);
    const auto value = static_cast<std::uint64_t>(V_I8(number.get()));
    if constexpr (sizeof(std::uintptr_t) == 4) {
        // A 32-bit host's Long: an address above 2 GB arrives negative; its 32 bits are the address.
        if (static_cast<std::int64_t>(value) < INT32_MIN || static_cast<std::int64_t>(value) > UINT32_MAX) {
            throw ArgumentError(std::string("CerfaInit : l'argument ") + name + " n'est pas une adresse de ce programme 32 bits.");
        }
        return static_cast<std::uint32_t>(value);
    } else {
        return static_cast<std::uintptr_t>(value);
    }
}

} // namespace formalys::com
