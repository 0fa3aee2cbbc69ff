#pragma once
// What the tests do each platform's way: programs started and run to the end with what they wrote,
// or killed at a chosen moment; the directory of the test program itself; a file that cannot be
// written. Platform.cpp is the POSIX way, PlatformWin32.cpp the Windows one.

#include "formalys/formalys.h"

#include <string>
#include <vector>

namespace formalys::testing {

struct ProgramRun { int code = -1; std::string out, err; }; // code -1: the program did not start or did not end by itself

// Runs `program` with `arguments` until it ends; its standard output and error go through files in
// `scratch`, a directory of the test's.
ProgramRun runProgram(const std::string& program, const std::vector<std::string>& arguments, const std::string& scratch);

// The directory of the running test program, the component directory of the core it links.
std::string programDirectory();

class ChildProcess
{
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& arguments);
    ~ChildProcess() { kill(); } // kills the child if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool started() const { return running_; }
    void kill(); // at once, as a crash or a power cut stops it, and waits for it to be gone

private:
    void* handle_ = nullptr; // the process: its pid on POSIX, its handle on Windows
    bool running_ = false;
};

// A device, which no one may take for an ordinary file, and how its load is refused (Wine's NUL
// answers as a file that cannot be read).
extern const char* const deviceFile;
extern const char* const deviceRefusal;

// A host's C callback of the platform's type (a window procedure on Windows) that names `document`
// in RESULTAT/FICHIER, as a host answers when asked for a document's path.
FormalysHostCallback hostCallbackNaming(const std::string& document);

// Makes every write of `target` fail for the life of the object, as each platform commonly fails
// one: a full disk on POSIX (no file may grow beyond 1000 bytes), the file held open without sharing
// by another program (a viewer showing it) on Windows.
class BlockedTarget
{
public:
    explicit BlockedTarget(const std::string& target);
    ~BlockedTarget();
    BlockedTarget(const BlockedTarget&) = delete;
    BlockedTarget& operator=(const BlockedTarget&) = delete;

private:
    void* handle_ = nullptr; // Windows: the handle that holds the file
};

} // namespace formalys::testing
