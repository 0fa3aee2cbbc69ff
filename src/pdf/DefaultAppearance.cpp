#include "pdf/DefaultAppearance.h"

#include <charconv>
#include <vector>

namespace formalys::pdf {

namespace {

std::vector<std::string_view> tokens(std::string_view s)
{
    std::vector<std::string_view> result;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const auto start = s.find_first_not_of(" \t\r\n\f", pos);
        if (start == std::string_view::npos) {
            break;
        }
        auto end = s.find_first_of(" \t\r\n\f", start);
        if (end == std::string_view::npos) {
            end = s.size();
        }
        result.push_back(s.substr(start, end - start));
        pos = end;
    }
    return result;
}

bool parseNumber(std::string_view token, double& value)
{
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), value);
    return error == std::errc() && end == token.data() + token.size();
}

} // namespace

DefaultAppearance DefaultAppearance::parse(std::string_view da)
{
    // Operands pile up until their operator comes. Only "size Tf" and a fill colour ("g", "rg",
    // "k" with their operands) are kept; anything else is dropped, so a damaged /DA cannot put a
    // broken operator into the appearance stream.
    DefaultAppearance result;
    std::vector<std::string_view> operands;
    for (const auto word : tokens(da)) {
        double number = 0;
        if (word.front() == '/' || parseNumber(word, number)) {
            operands.push_back(word);
            continue;
        }
        if (word == "Tf" && !operands.empty() && parseNumber(operands.back(), number) &&
            number > 0) {
            result.fontSize = number;
        }
        const std::size_t count = word == "g" ? 1 : word == "rg" ? 3 : word == "k" ? 4 : 0;
        if (count > 0 && operands.size() >= count) {
            std::string colour;
            for (auto it = operands.end() - static_cast<std::ptrdiff_t>(count);
                 it != operands.end(); ++it) {
                if (!parseNumber(*it, number)) {
                    colour.clear();
                    break;
                }
                colour.append(*it).append(" ");
            }
            if (!colour.empty()) {
                result.colour = colour + std::string(word);
            }
        }
        operands.clear();
    }
    return result;
}

} // namespace formalys::pdf
