#include "qt/PageRenderer.h"

#include "component/Warnings.h"
#include "files/FileSystem.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>
#include <string>

namespace formalys::qt {

namespace {

constexpr const char* moduleName = "libformalys-apercu.so.1";

// The directory of the module holding this code: libformalys, or a program linked with the windows.
std::string ownDirectory()
{
    Dl_info info{};
    char resolved[PATH_MAX];
    if (::dladdr(reinterpret_cast<void*>(&openPageRenderer), &info) != 0 &&
        info.dli_fname != nullptr && ::realpath(info.dli_fname, resolved) != nullptr) {
        return files::parentDirectory(resolved);
    }
    return ".";
}

using Open = PageRenderer* (*)(const char*, long long);

// Loaded once: where FORMALYS_APERCU names it (a program of the build tree run under a sanitizer,
// whose loader no longer follows the program's run path), beside this code, in the library
// directory of a program's installation, then wherever the loader looks (the system's library
// directories, LD_LIBRARY_PATH, the run path).
Open loadedOpen()
{
    static const Open open = [] {
        const std::string own = ownDirectory();
        const char* named = std::getenv("FORMALYS_APERCU");
        void* module = nullptr;
        for (const std::string& candidate : {std::string(named != nullptr ? named : ""),
                                             files::joinPath(own, moduleName),
                                             files::joinPath(own, FORMALYS_PROGRAM_TO_LIBRARIES) +
                                                 "/" + moduleName,
                                             std::string(moduleName)}) {
            if (!candidate.empty() &&
                (module = ::dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL)) != nullptr) {
                break;
            }
        }
        if (module == nullptr) {
            const char* why = ::dlerror();
            reportWarning("L'aperçu ne peut pas s'afficher : son module (libformalys-apercu) est "
                          "introuvable.",
                          why != nullptr ? why : "");
            return Open{nullptr};
        }
        return reinterpret_cast<Open>(::dlsym(module, "formalys_apercu_open"));
    }();
    return open;
}

} // namespace

std::unique_ptr<PageRenderer> openPageRenderer(const QByteArray& pdf)
{
    const Open open = loadedOpen();
    return std::unique_ptr<PageRenderer>(open != nullptr ? open(pdf.constData(), pdf.size())
                                                         : nullptr);
}

} // namespace formalys::qt
