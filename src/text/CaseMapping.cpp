#include "text/CaseMapping.h"

#include <clocale>
#include <cwctype>
#include <locale.h>

namespace formalys::text {

namespace {

// glibc (2.35 and later) has a built-in C.UTF-8 locale with the full Unicode case tables, so no
// locale package is needed; the process-wide locale is never touched.
locale_t unicodeLocale()
{
    static const locale_t locale = [] {
        locale_t l = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
        if (l == static_cast<locale_t>(nullptr)) {
            l = newlocale(LC_CTYPE_MASK, "C", static_cast<locale_t>(nullptr));
        }
        return l;
    }();
    return locale;
}

} // namespace

char32_t upperCaseOf(char32_t c)
{
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), unicodeLocale()));
}

char32_t lowerCaseOf(char32_t c)
{
    return static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), unicodeLocale()));
}

} // namespace formalys::text
