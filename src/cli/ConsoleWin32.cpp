#include "cli/Console.h"

#include "files/WidePath.h"

#include <iostream>
#include <streambuf>
#include <windows.h>

namespace formalys::cli {

namespace {

// The length of `text` without a character cut at its end.
std::size_t wholeCharacters(const std::string& text)
{
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) {
            continue; // inside a character
        }
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

// UTF-8 text to a console through WriteConsoleW, whole characters at a time; to anything else as
// it is.
class ConsoleBuffer final : public std::streambuf
{
public:
    explicit ConsoleBuffer(DWORD which) : handle_(::GetStdHandle(which))
    {
        DWORD mode = 0;
        console_ = ::GetConsoleMode(handle_, &mode) != 0;
    }
    ~ConsoleBuffer() override { sync(); }

protected:
    int_type overflow(int_type c) override
    {
        if (c != traits_type::eof()) {
            pending_ += traits_type::to_char_type(c);
            if (c == '\n' || pending_.size() >= 4096) {
                sync();
            }
        }
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override
    {
        pending_.append(s, static_cast<std::size_t>(n));
        sync();
        return n;
    }
    int sync() override
    {
        const std::size_t whole = wholeCharacters(pending_); // a cut character waits
        const std::string text = pending_.substr(0, whole);
        pending_.erase(0, whole);
        DWORD done = 0;
        if (console_) {
            const std::wstring wide = files::widePath(text);
            ::WriteConsoleW(handle_, wide.data(), static_cast<DWORD>(wide.size()), &done, nullptr);
        } else {
            ::WriteFile(handle_, text.data(), static_cast<DWORD>(text.size()), &done, nullptr);
        }
        return 0;
    }

private:
    HANDLE handle_;
    bool console_ = false;
    std::string pending_;
};

} // namespace

std::vector<std::string> programArguments(int, char**)
{
    int count = 0;
    wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(files::utf8Path(wide[i]));
    }
    ::LocalFree(wide);
    return arguments;
}

std::ostream& standardOutput()
{
    static ConsoleBuffer buffer(STD_OUTPUT_HANDLE);
    static std::ostream stream(&buffer);
    return stream;
}

std::ostream& standardError()
{
    static ConsoleBuffer buffer(STD_ERROR_HANDLE);
    static std::ostream stream(&buffer);
    return stream;
}

} // namespace formalys::cli
