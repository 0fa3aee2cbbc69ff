#include "forms/FieldRules.h"

#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "text/Letters.h"
#include "text/Utf8.h"

#include <algorithm>

namespace formalys::forms {

namespace {

std::string readStripped(const std::string& section, const std::string& key,
                         ReadDefault defaultValue = ReadDefault::Empty)
{
    const std::string fallback = defaultValue == ReadDefault::Today ? todayText() : std::string();
    return std::string(text::strip(ReadExchange(section, key, fallback)));
}

} // namespace

std::string withoutSlashes(const std::string& text)
{
    std::string out = text;
    std::erase(out, '/');
    return out;
}

FieldRule exchangeRead(std::string section, std::string key)
{
    return
        [section = std::move(section), key = std::move(key)] { return readStripped(section, key); };
}

FieldRule joinedRead(std::string section, std::string key1, std::string key2)
{
    return [section = std::move(section), key1 = std::move(key1), key2 = std::move(key2)] {
        const std::string joined = readStripped(section, key1) + " " + readStripped(section, key2);
        return std::string(text::strip(joined));
    };
}

FieldRule slashFree(FieldRule rule)
{
    return [rule = std::move(rule)] { return withoutSlashes(rule()); };
}

FieldRule todaysDate()
{
    return [] { return todayText(); };
}

FieldRule characterOf(std::string section, std::string key, std::size_t n, ReadDefault defaultValue)
{
    return [section = std::move(section), key = std::move(key), n, defaultValue] {
        return text::characterAt(readStripped(section, key, defaultValue), n);
    };
}

FieldRule lastCharacterOf(std::string section, std::string key, ReadDefault defaultValue)
{
    return [section = std::move(section), key = std::move(key), defaultValue] {
        return text::lastCharacter(readStripped(section, key, defaultValue));
    };
}

FieldRule capitalsOf(std::string section, std::string key)
{
    return [section = std::move(section), key = std::move(key)] {
        return text::toUpper(readStripped(section, key));
    };
}

} // namespace formalys::forms
