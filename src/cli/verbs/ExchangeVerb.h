#pragma once
// `formalys exchange`: reads or writes one value of an application directory's exchange file,
// exactly as the component reads and writes it.

#include <iosfwd>
#include <optional>
#include <string>

namespace formalys::cli {

struct ExchangeOptions
{
    std::string directory;
    std::string section;
    std::string key;
    std::string defaultValue;
    std::optional<std::string> valueToWrite;
};

int runExchange(const ExchangeOptions& options, std::ostream& out, std::ostream& err);

} // namespace formalys::cli
