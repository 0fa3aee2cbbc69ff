// Where the component keeps its own files on Windows: the directory of formalys.dll, or of the
// program linked with the core, unless it lies under Windows or the programs' directories, or the
// user may not write it: then %LOCALAPPDATA%\Formalys.
#include "component/ComponentState.h"

#include "files/FileSystem.h"
#include "files/WidePath.h"

#include <cstdlib>
#include <string_view>
#include <windows.h>

namespace formalys {

namespace {

std::string environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH * 2];
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
    return length == 0 || length >= MAX_PATH * 2 ? std::string()
                                                 : files::utf8Path(std::wstring(value, length));
}

bool startsWithDirectory(std::string_view path, const std::string& directory)
{
    if (directory.empty() || path.size() < directory.size() ||
        ::CompareStringOrdinal(files::widePath(std::string(path.substr(0, directory.size()))).c_str(),
                               -1, files::widePath(directory).c_str(), -1, TRUE) != CSTR_EQUAL) {
        return false;
    }
    return path.size() == directory.size() || path[directory.size()] == '\\';
}

// Directories of the system, where a user's document never belongs, even when the process may
// write there (run as an administrator).
bool isSystemDirectory(std::string_view directory)
{
    for (const wchar_t* variable : {L"SystemRoot", L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432"}) {
        if (startsWithDirectory(directory, environment(variable))) {
            return true;
        }
    }
    return false;
}

// Whether the user may create a file in `directory`: tried, with a file deleted on close.
bool writable(const std::string& directory)
{
    const std::wstring probe = files::widePath(files::joinPath(
        directory, ".formalys-" + std::to_string(::GetCurrentProcessId()) + ".tmp"));
    HANDLE file = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    ::CloseHandle(file);
    return true;
}

// %LOCALAPPDATA%\Formalys, created if missing.
std::string userDataDirectory()
{
    std::string base = environment(L"LOCALAPPDATA");
    if (base.empty()) {
        base = files::joinPath(environment(L"USERPROFILE"), "AppData\\Local");
    }
    const std::string directory = files::joinPath(base, "Formalys");
    ::CreateDirectoryW(files::widePath(directory).c_str(), nullptr); // already there: as well
    return directory;
}

// The directory of the module holding this code: formalys.dll, or the program.
std::string moduleDirectory()
{
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH * 4];
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(&moduleDirectory), &module) == 0) {
        return ".";
    }
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) {
        return ".";
    }
    return files::parentDirectory(files::utf8Path(std::wstring(path, length)));
}

} // namespace

std::string componentDirectory()
{
    static const std::string module = moduleDirectory(); // the module does not move
    return componentDirectoryFor(module);
}

std::string componentDirectoryFor(const std::string& moduleDirectory)
{
    if (!isSystemDirectory(moduleDirectory) && writable(moduleDirectory)) {
        return moduleDirectory;
    }
    return userDataDirectory();
}

} // namespace formalys
