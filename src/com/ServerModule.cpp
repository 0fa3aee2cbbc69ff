#include "com/ServerModule.h"

#include <atomic>

namespace formalys::com {

namespace {
std::atomic<long> liveObjects{0};
std::atomic<long> locks{0};
} // namespace

HMODULE serverModule()
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&serverModule), &module);
    return module;
}

std::wstring serverPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(serverModule(), path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

void objectCreated() { ++liveObjects; }
void objectDestroyed() { --liveObjects; }
void lockServer(bool lock) { lock ? ++locks : --locks; }
bool serverInUse() { return liveObjects > 0 || locks > 0; }

} // namespace formalys::com
