#pragma once
// Text at the Windows "W" functions: UTF-8 inside Formalys, UTF-16 in a wstring for Windows, never
// the ANSI code page. Windows only: the *Win32.cpp files of the floors include it.

#include <string>
#include <string_view>

namespace formalys::text {

std::wstring wideText(std::string_view utf8);
std::string utf8Text(std::wstring_view wide);

} // namespace formalys::text
