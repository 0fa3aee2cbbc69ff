#include "support/Platform.h"

#include "exchange/Exchange.h"
#include "support/FileCalls.h"
#include "support/Files.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace formalys::testing {

namespace {

pid_t pidOf(void* handle) { return static_cast<pid_t>(reinterpret_cast<std::intptr_t>(handle)); }

} // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& scratch)
{
    static int runs = 0; // a pair of files per run: nothing read is left from an earlier one
    const std::string name = scratch + "/program-" + std::to_string(++runs);
    std::string command = "'" + program + "'"; // no path or argument of the tests holds a quote
    for (const std::string& argument : arguments) { command += " '" + argument + "'"; }
    const int status = std::system((command + " >'" + name + ".out' 2>'" + name + ".err'").c_str());
    if (!WIFEXITED(status)) { return {}; }
    return {WEXITSTATUS(status), readBytes(name + ".out"), readBytes(name + ".err")};
}

const char* const deviceFile = "/dev/null";
const char* const deviceRefusal = "ce n'est pas un fichier ordinaire";

namespace {
std::string namedDocument;
} // namespace

FormalysHostCallback hostCallbackNaming(const std::string& document)
{
    namedDocument = document;
    return [](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        WriteExchange("RESULTAT", "FICHIER", namedDocument);
        return std::int32_t{0};
    };
}

std::string programDirectory() { return std::filesystem::canonical("/proc/self/exe").parent_path().string(); }

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) { argv.push_back(const_cast<char*>(argument.c_str())); }
    argv.push_back(nullptr);
    pid_t child = 0;
    running_ = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
    handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(child));
}

void ChildProcess::kill()
{
    if (running_) {
        ::kill(pidOf(handle_), SIGKILL);
        ::waitpid(pidOf(handle_), nullptr, 0);
        running_ = false;
    }
}

BlockedTarget::BlockedTarget(const std::string&) : handle_(new FileSizeLimit(1000)) {}

BlockedTarget::~BlockedTarget() { delete static_cast<FileSizeLimit*>(handle_); }

} // namespace formalys::testing
