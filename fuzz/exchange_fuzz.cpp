// Fuzzes the exchange-file reader and writer with any bytes as the file's content. The first line
// of the input names the section and the key to look up and to write ("SECTION|KEY"); the rest is
// the file. Checks what must always hold: reads give valid UTF-8, a value written reads back, and
// a write leaves another key as it was.
#include "FuzzCheck.h"
#include "exchange/ProfileText.h"
#include "text/Letters.h"
#include "text/Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using formalys::exchange::ProfileText;
using formalys::fuzzing::check;
namespace text = formalys::text;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    const std::string_view header = input.substr(0, newline);
    const std::string file(newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1));
    const auto bar = header.find('|');
    const std::string section(header.substr(0, bar));
    const std::string key(bar == std::string_view::npos ? "NOM" : header.substr(bar + 1));

    ProfileText profile(file);
    if (const auto value = profile.value(section, key)) { check(text::isValidUtf8(*value)); }
    const auto numpa = profile.value("PATIENT", "NUMPA");

    const std::string written = "Valeur écrite 42";
    if (!profile.setValue(section, key, written)) {
        check(profile.bytes() == file); // a refused write changes nothing
        return 0;
    }
    const ProfileText reread(profile.bytes());
    check(reread.value(section, key) == written);
    const bool sameKey = text::equalsIgnoringCase(text::stripBlanksAndTabs(section), "PATIENT") &&
                         text::equalsIgnoringCase(text::stripBlanksAndTabs(key), "NUMPA");
    if (!sameKey) { check(reread.value("PATIENT", "NUMPA") == numpa); }
    return 0;
}
