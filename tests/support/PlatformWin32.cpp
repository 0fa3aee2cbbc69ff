#include "support/Platform.h"

#include "exchange/Exchange.h"
#include "files/WidePath.h"
#include "support/Files.h"

#include <windows.h>

namespace formalys::testing {

namespace {

// Each argument in quotes, as the C runtime's parser reads it back: no argument of the tests holds
// a quote or ends with a backslash, which would need escaping.
std::wstring commandLine(const std::string& program, const std::vector<std::string>& arguments)
{
    std::wstring line = L"\"" + files::widePath(program) + L"\"";
    for (const std::string& argument : arguments) { line += L" \"" + files::widePath(argument) + L"\""; }
    return line;
}

HANDLE outputFile(const std::string& path)
{
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return ::CreateFileW(files::widePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

HANDLE start(const std::string& program, const std::vector<std::string>& arguments, STARTUPINFOW& startup,
             DWORD flags = CREATE_NO_WINDOW)
{
    std::wstring line = commandLine(program, arguments);
    PROCESS_INFORMATION process{};
    const BOOL inherit = (startup.dwFlags & STARTF_USESTDHANDLES) != 0;
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, inherit, flags, nullptr, nullptr, &startup, &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

} // namespace

ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& scratch)
{
    static int runs = 0; // a pair of files per run: nothing read is left from an earlier one
    const std::string name = scratch + "\\program-" + std::to_string(++runs);
    const std::string out = name + ".out", err = name + ".err";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = outputFile(out);
    startup.hStdError = outputFile(err);
    const HANDLE process = start(program, arguments, startup);
    ::CloseHandle(startup.hStdOutput);
    ::CloseHandle(startup.hStdError);
    ProgramRun run;
    DWORD code = 0;
    if (process != nullptr) {
        ::WaitForSingleObject(process, INFINITE);
        ::GetExitCodeProcess(process, &code);
        ::CloseHandle(process);
        run.code = static_cast<int>(code);
        run.out = readBytes(out);
        run.err = readBytes(err);
    }
    return run;
}

const char* const deviceFile = "NUL";
const char* const deviceRefusal = "le fichier ne peut pas être lu";

namespace {
std::string namedDocument;
LRESULT CALLBACK namingProcedure(HWND, UINT, WPARAM, LPARAM)
{
    WriteExchange("RESULTAT", "FICHIER", namedDocument);
    return 0;
}
} // namespace

FormalysHostCallback hostCallbackNaming(const std::string& document)
{
    namedDocument = document;
    return reinterpret_cast<FormalysHostCallback>(&namingProcedure);
}

std::string programDirectory()
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::string program = files::utf8Path(std::wstring(path, length));
    return program.substr(0, program.rfind('\\'));
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // Without a console: under Wine the console host of a process killed mid-write stays behind,
    // and with it the test runner's output pipe, which then never closes.
    handle_ = start(program, arguments, startup, DETACHED_PROCESS);
    running_ = handle_ != nullptr;
}

void ChildProcess::kill()
{
    if (running_) {
        ::TerminateProcess(handle_, 9);
        ::WaitForSingleObject(handle_, INFINITE);
        ::CloseHandle(handle_);
        running_ = false;
    }
}

BlockedTarget::BlockedTarget(const std::string& target)
    : handle_(::CreateFileW(files::widePath(target).c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr))
{
}

BlockedTarget::~BlockedTarget()
{
    if (handle_ != INVALID_HANDLE_VALUE) { ::CloseHandle(handle_); }
}

} // namespace formalys::testing
