#include "exchange/Exchange.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "exchange/ProfileFile.h"
#include "files/SystemError.h"
#include "text/Letters.h"
#include "text/Utf8.h"

namespace formalys {

namespace {

// The buffer the reader is given holds 128 characters, the last one for the terminator.
constexpr std::size_t readBufferCharacters = 128;

} // namespace

std::string ReadExchange(std::string_view section, std::string_view key,
                         std::string_view defaultValue)
{
    const std::string buffer = exchange::readProfileString(
        ComponentState::instance().exchangePath, section, key, defaultValue, readBufferCharacters);
    const std::size_t count = text::characterCount(buffer);
    std::string value = text::firstCharacters(text::strip(buffer), count);
    if (text::strip(value).empty()) {
        return " ";
    }
    return value;
}

void WriteExchange(std::string_view section, std::string_view key, std::string_view value)
{
    if (auto failure = writeExchangeOrExplain(section, key, value)) {
        reportWarning(std::move(*failure));
    }
}

std::optional<std::string> writeExchangeOrExplain(std::string_view section, std::string_view key,
                                                   std::string_view value)
{
    const auto& path = ComponentState::instance().exchangePath;
    const exchange::ProfileWrite result = exchange::writeProfileString(path, section, key, value);
    if (result.ok) {
        return std::nullopt;
    }
    const std::string cause = result.errorNumber != 0
                                  ? files::frenchSystemError(result.errorNumber)
                                  : "nom de section ou de clé impossible à écrire";
    return "le fichier d'échange « " + path + " » n'a pas pu être écrit ([" +
           std::string(section) + "] " + std::string(key) + ") : " + cause + " (" + result.error +
           ")";
}

} // namespace formalys
