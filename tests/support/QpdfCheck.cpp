#include "support/QpdfCheck.h"

#include <array>
#include <cstdio>
#include <sys/wait.h>

namespace formalys::testing {

QpdfCheck qpdfCheck(const std::string& path)
{
    const std::string command = std::string(FORMALYS_QPDF) + " --check '" + path + "' 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return {false, "cannot run " + command};
    }
    std::string output;
    std::array<char, 512> buffer{};
    while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
        output += buffer.data();
    }
    const int status = ::pclose(pipe);
    const bool sound = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                       output.find("WARNING") == std::string::npos &&
                       output.find("No syntax or stream encoding errors") != std::string::npos;
    return {sound, output};
}

} // namespace formalys::testing
