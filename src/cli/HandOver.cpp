#include "cli/HandOver.h"

#include "cli/ExitCode.h"
#include "files/SystemError.h"

#include <cerrno>
#include <filesystem>
#include <ostream>
#include <unistd.h>

namespace formalys::cli {

int handOverToWindowsProgram(const char* const* argv, std::ostream& err)
{
    char self[4096] = {};
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::string program =
        (length > 0 ? std::filesystem::path(std::string(self, length)).parent_path()
                    : std::filesystem::path("."))
            .append("formalys-fenetres")
            .string();
    ::execv(program.c_str(), const_cast<char* const*>(argv));
    err << "formalys : le programme des fenêtres « " << program << " » ne peut pas être lancé ("
        << files::frenchSystemError(errno) << ").\n";
    return exitFailed;
}

} // namespace formalys::cli
