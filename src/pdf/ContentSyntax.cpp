#include "pdf/ContentSyntax.h"

#include <charconv>

namespace formalys::pdf {

std::string contentNumber(double value)
{
    char buffer[32];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string s(buffer, error == std::errc() ? end : buffer);
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') {
            s.pop_back();
        }
    }
    return s == "-0" ? "0" : s;
}

std::string contentLiteral(std::string_view bytes)
{
    std::string s = "(";
    for (const char c : bytes) {
        if (c == '(' || c == ')' || c == '\\') {
            s += '\\';
        }
        s += c;
    }
    return s + ")";
}

} // namespace formalys::pdf
