// Where the component keeps its own files on Linux: the directory of libformalys, or of the program
// linked with the core, unless it is a system directory or the user may not write it.
#include "component/ComponentState.h"

#include "files/FileSystem.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <pwd.h>
#include <string_view>
#include <unistd.h>

namespace formalys {

namespace {

// Directories of the system, where a user's document or exchange file never belongs, even when
// the process may write there (run as root).
bool isSystemDirectory(std::string_view directory)
{
    for (std::string_view system : {"/usr", "/lib", "/lib32", "/lib64", "/bin", "/sbin", "/opt",
                                    "/etc"}) {
        if (directory == system ||
            (directory.starts_with(system) && directory[system.size()] == '/')) {
            return true;
        }
    }
    return false;
}

// $XDG_DATA_HOME/formalys, by default ~/.local/share/formalys, created if missing.
std::string userDataDirectory()
{
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && *data == '/') {
        base = data;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || *home == '\0') {
            const passwd* user = ::getpwuid(::getuid());
            home = user != nullptr ? user->pw_dir : "/tmp";
        }
        base = std::filesystem::path(home) / ".local" / "share";
    }
    const std::filesystem::path directory = base / "formalys";
    std::error_code ignored; // a directory that cannot be made shows when a file is written there
    std::filesystem::create_directories(directory, ignored);
    return directory.string();
}

// The directory of the component's own module.
std::string moduleDirectory()
{
    char resolved[PATH_MAX];
    Dl_info info{};
    // For a shared library dladdr names the library file. For code linked into the executable it
    // gives the program name as started (possibly relative, and the current directory may have
    // changed since), so the kernel's link to the executable is used instead.
    if (::dladdr(reinterpret_cast<void*>(&moduleDirectory), &info) != 0 &&
        info.dli_fname != nullptr &&
        std::string_view(info.dli_fname).find(".so") != std::string_view::npos &&
        ::realpath(info.dli_fname, resolved) != nullptr) {
        return files::parentDirectory(resolved);
    }
    if (::realpath("/proc/self/exe", resolved) != nullptr) {
        return files::parentDirectory(resolved);
    }
    return ".";
}

} // namespace

std::string componentDirectory()
{
    static const std::string module = moduleDirectory(); // the module does not move
    return componentDirectoryFor(module);
}

std::string componentDirectoryFor(const std::string& moduleDirectory)
{
    if (!isSystemDirectory(moduleDirectory) && ::access(moduleDirectory.c_str(), W_OK) == 0) {
        return moduleDirectory;
    }
    return userDataDirectory();
}

} // namespace formalys
