#pragma once
// Paths at the Windows system calls: UTF-8 inside Formalys, UTF-16 for the "W" functions, never the
// ANSI code page, so that a folder or a patient number with "é" names the same file everywhere.
// Windows only: the *Win32.cpp files of the floors include it.

#include <string>

namespace formalys::files {

std::wstring widePath(const std::string& utf8);
std::string utf8Path(const std::wstring& wide);

// The errno value that stands for a Windows error code, so that the French messages of
// SystemError.h serve both platforms; a file held open by another program is EBUSY.
int errnoOf(unsigned long windowsError);

} // namespace formalys::files
