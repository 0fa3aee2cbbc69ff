#include "component/ComponentState.h"

#include "files/FileSystem.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <string_view>

namespace formalys {

ComponentState& ComponentState::instance()
{
    static ComponentState state;
    return state;
}

void ComponentState::reset()
{
    *this = ComponentState{};
}

void ComponentState::setApplicationDirectory(const std::string& path)
{
    applicationDirectory = path.empty() ? componentDirectory() : path;
    if (applicationDirectory.ends_with('/')) {
        applicationDirectory.pop_back(); // one only: a second trailing "/" stays
    }
    exchangePath = applicationDirectory + "/Formalys.ini";
}

std::string componentDirectory()
{
    char resolved[PATH_MAX];
    Dl_info info{};
    // For a shared library dladdr names the library file. For code linked into the executable it
    // gives the program name as started (possibly relative, and the current directory may have
    // changed since), so the kernel's link to the executable is used instead.
    if (::dladdr(reinterpret_cast<void*>(&componentDirectory), &info) != 0 &&
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

std::string todayText()
{
    return formatDate(ComponentState::instance().clock->today());
}

} // namespace formalys
