// formalys-installation.exe: what the installer cannot do in its own script language.
//   formalys-installation.exe checksums LIST DIRECTORY NAME...
//       writes, for each DIRECTORY\NAME that can be read, NAME=<SHA-256 in hex> into the [sha256]
//       section of the INI file LIST (created, or added to). A file that cannot be read gets no
//       line: the installer then takes it for the practice's own and leaves it alone.
//       Exit code 0, or 1 when LIST could not be written.
//   formalys-installation.exe holders MODULE...
//       prints the names of the programs that have one of the MODULEs loaded, with ", " between
//       them and no line break.
//       Exit code 0 when none has, 1 when some have.
// Exit code 2 for a bad command line.
#include "Checksums.h"
#include "Holders.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

int writeChecksums(const wchar_t *list, const std::wstring &directory,
                   const std::vector<std::wstring> &names) {
    for (const auto &name : names) {
        const auto checksum = installer::checksumOf(directory + L"\\" + name);
        if (checksum && !WritePrivateProfileStringW(L"sha256", name.c_str(), checksum->c_str(), list))
            return 1;
    }
    return 0;
}

// The installer reads the text through a pipe, in the system's code page, and puts it as it
// comes into its message: no line break after it.
void print(const std::wstring &text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    std::fputs(bytes.c_str(), stdout);
}

int printHolders(const std::vector<std::wstring> &modules) {
    const auto holders = installer::holdersOf(modules);
    std::wstring line;
    for (const auto &holder : holders)
        line += (line.empty() ? L"" : L", ") + holder;
    if (!holders.empty())
        print(line);
    return holders.empty() ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    const std::wstring_view command = argc > 1 ? argv[1] : L"";
    if (command == L"checksums" && argc >= 4)
        return writeChecksums(argv[2], argv[3], {argv + 4, argv + argc});
    if (command == L"holders" && argc >= 3)
        return printHolders({argv + 2, argv + argc});
    std::fputws(L"usage: formalys-installation checksums LIST DIRECTORY NAME...\n"
                L"       formalys-installation holders MODULE...\n",
                stderr);
    return 2;
}
