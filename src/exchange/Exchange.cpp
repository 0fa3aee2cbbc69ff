#include "exchange/Exchange.h"

#include "component/ComponentState.h"
#include "component/Warnings.h"
#include "exchange/ExchangeFile.h"
#include "files/SystemError.h"
#include "text/Letters.h"
#include "text/Utf8.h"

#include <memory>

namespace formalys {

namespace {

// The buffer the reader is given holds 128 characters, the last one for the terminator.
constexpr std::size_t readBufferCharacters = 128;

// The snapshot of the windowless operation in progress, if any.
std::unique_ptr<exchange::ExchangeSnapshot>& activeSnapshot()
{
    static std::unique_ptr<exchange::ExchangeSnapshot> snapshot;
    return snapshot;
}

// Whether the snapshot in use is a draft, whose writes are never kept.
bool& draftInUse()
{
    static bool draft = false;
    return draft;
}

// Runs `use` on the exchange file as the operation in progress sees it.
template <typename Use> auto withExchangeFile(Use&& use)
{
    if (auto& snapshot = activeSnapshot()) {
        return use(*snapshot);
    }
    exchange::ExchangeOnDisk onDisk(ComponentState::instance().exchangePath);
    return use(onDisk);
}

// Why a write of the exchange file failed, in French; `what` names what was being written. The
// English reason goes to the developers' details.
std::string explain(const exchange::ProfileWrite& result, const std::string& what)
{
    const std::string& path = ComponentState::instance().exchangePath;
    const std::string cause = result.notText ? "ce n'est pas un fichier texte"
                              : result.errorNumber != 0
                                  ? files::frenchWriteError(result.errorNumber, path)
                                  : "nom de section ou de clé impossible à écrire";
    reportDetail(result.error);
    return "le fichier d'échange « " + path + " » n'a pas pu être écrit" + what + " : " + cause;
}

} // namespace

std::string ReadExchange(std::string_view section, std::string_view key,
                         std::string_view defaultValue)
{
    std::optional<std::string> found =
        withExchangeFile([&](exchange::ExchangeFile& file) { return file.value(section, key); });
    const std::string buffer =
        exchange::valueOrDefault(std::move(found), defaultValue, readBufferCharacters);
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
    const exchange::ProfileWrite result = withExchangeFile(
        [&](exchange::ExchangeFile& file) { return file.write(section, key, value); });
    if (result.ok) {
        return std::nullopt;
    }
    return explain(result, " ([" + std::string(section) + "] " + std::string(key) + ")");
}

ExchangeSnapshotScope::ExchangeSnapshotScope(Keep keep) : keep_(keep)
{
    activeSnapshot() =
        std::make_unique<exchange::ExchangeSnapshot>(ComponentState::instance().exchangePath);
    draftInUse() = keep == Keep::Nothing;
}

ExchangeSnapshotScope::~ExchangeSnapshotScope()
{
    if (keep_ == Keep::Nothing) {
        activeSnapshot().reset();
        draftInUse() = false;
    } else if (auto failure = settleExchange()) {
        reportWarning(std::move(*failure));
    }
}

std::optional<std::string> settleExchange()
{
    if (draftInUse()) {
        return std::nullopt;
    }
    std::unique_ptr<exchange::ExchangeSnapshot> snapshot = std::move(activeSnapshot());
    if (!snapshot) {
        return std::nullopt;
    }
    const exchange::ProfileWrite result = snapshot->flush();
    if (result.ok) {
        return std::nullopt;
    }
    return explain(result, "");
}

} // namespace formalys
