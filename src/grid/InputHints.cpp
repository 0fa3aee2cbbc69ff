#include "grid/InputHints.h"

#include "text/Letters.h"
#include "text/Utf8.h"

#include <chrono>

namespace formalys::grid {

namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The stripped text of the first cell bound to `binding` (stripped), in walk order.
std::optional<std::string> textBoundTo(const Sheet& sheet, std::string_view binding)
{
    std::optional<std::string> found;
    sheet.forEachNonEmptyCell([&](std::int32_t, std::int32_t, const Cell& cell) {
        if (!found && text::strip(cell.binding) == binding) {
            found = std::string(text::strip(cell.text));
        }
    });
    return found;
}

std::string numberHint(const Sheet& sheet, const std::string& number)
{
    const auto key = socialSecurityKey(number);
    if (!key) {
        return "Le numéro de sécurité sociale compte 13 caractères : des chiffres, avec 2A ou 2B "
               "pour un "
               "département de Corse.";
    }
    const auto written = textBoundTo(sheet, "[CLENUMSS]");
    const std::string expected = (*key < 10 ? "0" : "") + std::to_string(*key);
    if (!written || written->empty() || *written == expected) {
        return {};
    }
    return "La clé « " + *written +
           " » ne correspond pas au numéro de sécurité sociale, dont la clé est " + expected + ".";
}

} // namespace

std::optional<int> socialSecurityKey(std::string_view number)
{
    if (number.size() != 13) {
        return std::nullopt;
    }
    std::string digits(number);
    if (digits.substr(5, 2) == "2A" || digits.substr(5, 2) == "2B") {
        digits.replace(5, 2, digits[6] == 'A' ? "19" : "18");
    }
    long long value = 0;
    for (const char c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return static_cast<int>(97 - value % 97);
}

bool isRealDate(std::string_view text)
{
    if (text.size() != 10 || text[2] != '/' || text[5] != '/') {
        return false;
    }
    for (const std::size_t i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        if (!isDigit(text[i])) {
            return false;
        }
    }
    const auto number = [&](std::size_t at, std::size_t length) {
        return static_cast<unsigned>(std::stoi(std::string(text.substr(at, length))));
    };
    const std::chrono::year_month_day date{std::chrono::year{static_cast<int>(number(6, 4))},
                                           std::chrono::month{number(3, 2)},
                                           std::chrono::day{number(0, 2)}};
    return date.ok();
}

std::string inputHint(const Sheet& sheet, std::int32_t column, std::int32_t row)
{
    const Cell& cell = sheet.cell(column, row);
    const std::string_view binding = text::strip(cell.binding);
    const std::string value(text::strip(cell.text));
    if (value.empty()) {
        return {};
    }
    if (binding == "[NUMSS]") {
        return numberHint(sheet, value);
    }
    if (binding == "[CLENUMSS]") {
        const auto number = textBoundTo(sheet, "[NUMSS]");
        return number && socialSecurityKey(*number) ? numberHint(sheet, *number) : std::string();
    }
    if ((binding == "[DATEN]" || binding == "[DATE]") && !isRealDate(value)) {
        return "« " + value + " » n'est pas une date réelle écrite jj/mm/aaaa.";
    }
    if (binding == "[IDNAT]" && text::characterCount(value) != 9) {
        return "L'identifiant du praticien compte 9 caractères ; celui-ci en compte " +
               std::to_string(text::characterCount(value)) + ".";
    }
    return {};
}

} // namespace formalys::grid
