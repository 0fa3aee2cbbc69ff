#include "support/Platform.h"

#include "exchange/Exchange.h"
#include "support/FileCalls.h"
#include "support/Files.h"

#include <csignal>
#include <fcntl.h>
#include <cstdint>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace formalys::testing {

namespace {

std::vector<char*> argumentVector(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) { argv.push_back(const_cast<char*>(argument.c_str())); }
    argv.push_back(nullptr);
    return argv;
}

pid_t pidOf(void* handle) { return static_cast<pid_t>(reinterpret_cast<std::intptr_t>(handle)); }

} // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratch)
{
    static int runs = 0; // a pair of files per run: nothing read is left from an earlier one
    const std::string name = scratch + "/program-" + std::to_string(++runs);
    const std::string out = name + ".out", err = name + ".err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const std::vector<char*> argv = argumentVector(program, arguments);
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ProgramRun run;
    int status = 0;
    if (spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status)) {
        run.code = WEXITSTATUS(status);
        run.out = readBytes(out);
        run.err = readBytes(err);
    }
    return run;
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

std::string programDirectory()
{
    return std::filesystem::canonical("/proc/self/exe").parent_path().string();
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    pid_t child = 0;
    const std::vector<char*> argv = argumentVector(program, arguments);
    running_ = ::posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
    handle_ = reinterpret_cast<void*>(static_cast<std::intptr_t>(child));
}

ChildProcess::~ChildProcess() { kill(); }

bool ChildProcess::started() const { return running_; }

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
