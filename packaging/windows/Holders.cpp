#include "Holders.h"

#include <windows.h>

#include <tlhelp32.h>

#include <algorithm>

namespace installer {
namespace {

// A toolhelp snapshot, closed at the end of its scope.
class Snapshot {
public:
    Snapshot(DWORD flags, DWORD process) : handle_(CreateToolhelp32Snapshot(flags, process)) {}
    ~Snapshot() {
        if (valid())
            CloseHandle(handle_);
    }
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

bool samePath(const std::wstring &a, const std::wstring &b) {
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

bool hasLoaded(DWORD process, const std::vector<std::wstring> &modules) {
    // A 64-bit look into a 32-bit process needs both flags to see its 32-bit modules.
    Snapshot snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, process);
    if (!snapshot.valid())
        return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot.handle(), &module); more;
         more = Module32NextW(snapshot.handle(), &module)) {
        const std::wstring loaded = module.szExePath;
        if (std::any_of(modules.begin(), modules.end(),
                        [&](const auto &wanted) { return samePath(loaded, wanted); }))
            return true;
    }
    return false;
}

} // namespace

std::vector<std::wstring> holdersOf(const std::vector<std::wstring> &modules) {
    std::vector<std::wstring> holders;
    Snapshot processes(TH32CS_SNAPPROCESS, 0);
    if (!processes.valid())
        return holders;
    const DWORD self = GetCurrentProcessId();
    PROCESSENTRY32W process{};
    process.dwSize = sizeof process;
    for (BOOL more = Process32FirstW(processes.handle(), &process); more;
         more = Process32NextW(processes.handle(), &process)) {
        const std::wstring name = process.szExeFile;
        if (process.th32ProcessID == self || process.th32ProcessID == 0 ||
            std::find(holders.begin(), holders.end(), name) != holders.end())
            continue;
        if (hasLoaded(process.th32ProcessID, modules))
            holders.push_back(name);
    }
    return holders;
}

} // namespace installer
