#include "files/FileIdentity.h"

#include "files/WidePath.h"

#include <windows.h>

namespace formalys::files {

std::optional<FileIdentity> FileIdentity::of(const std::string& path)
{
    const std::wstring wide = widePath(path);
    // Asks for no access to the content: a file another program holds open is looked at all the
    // same.
    HANDLE file = ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = ::GetFileInformationByHandle(file, &info) != 0;
    ::CloseHandle(file);
    wchar_t absolute[MAX_PATH * 4];
    const DWORD length = ::GetFullPathNameW(wide.c_str(), MAX_PATH * 4, absolute, nullptr);
    if (!known || length == 0 || length >= MAX_PATH * 4) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return static_cast<std::uint64_t>(high) << 32 | low;
    };
    return FileIdentity{utf8Path(std::wstring(absolute, length)), info.dwVolumeSerialNumber,
                        join(info.nFileIndexHigh, info.nFileIndexLow),
                        static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow)),
                        static_cast<std::int64_t>(join(info.ftLastWriteTime.dwHighDateTime,
                                                       info.ftLastWriteTime.dwLowDateTime)) * 100};
}

} // namespace formalys::files
