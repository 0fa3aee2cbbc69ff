#pragma once
// A character in capitals or in small letters, by the system's full Unicode tables: glibc's C.UTF-8
// locale on Linux, the invariant locale's mapping on Windows. A character without a case maps to
// itself.

namespace formalys::text {

char32_t upperCaseOf(char32_t c);
char32_t lowerCaseOf(char32_t c);

} // namespace formalys::text
