#pragma once
// ReadExchange and WriteExchange: the two operations through which the whole system reads and
// writes the exchange file Formalys.ini, whose path is in the component state.

#include <optional>
#include <string>
#include <string_view>

namespace formalys {

// The value of `key` in `section`, or `defaultValue` when missing (or when the file is missing or
// unreadable): at most 127 characters, cut first and then stripped of blanks; the empty result
// comes back as a single blank " ", never as the empty text, so callers strip what they read.
std::string ReadExchange(std::string_view section, std::string_view key,
                         std::string_view defaultValue);

// Writes `value` as the value of `key` in `section`, creating what is missing. The outcome is not
// reported to the caller; a failed write leaves the file as it was and records a warning.
void WriteExchange(std::string_view section, std::string_view key, std::string_view value);

// WriteExchange for the roads that must not go on when the value did not reach the disk (what
// generation writes before it asks the host for a path): the reason in French when it failed,
// nothing when the value is on disk. Nothing is recorded as a warning.
std::optional<std::string> writeExchangeOrExplain(std::string_view section, std::string_view key,
                                                   std::string_view value);

// For the length of one windowless operation (a host's batch generation, which no user watches),
// the exchange file is read once, when the scope opens: reads and writes use that snapshot, and
// its writes reach the disk in one durable replacement, at settleExchange() or when the scope
// closes (a failure then is a warning). The roads of SHPDF never open one: they read the file as
// the host leaves it at each read.
//
// A draft (Keep::Nothing) is read the same way, but its writes are dropped when the scope closes:
// nothing reaches the disk. Inside it, settleExchange() does nothing.
class ExchangeSnapshotScope
{
public:
    enum class Keep
    {
        Writes,
        Nothing,
    };
    explicit ExchangeSnapshotScope(Keep keep = Keep::Writes);
    ~ExchangeSnapshotScope();
    ExchangeSnapshotScope(const ExchangeSnapshotScope&) = delete;
    ExchangeSnapshotScope& operator=(const ExchangeSnapshotScope&) = delete;

private:
    Keep keep_;
};

// Writes the snapshot in use, if any, to disk, and goes back to reading and writing the file
// itself, so that what the host writes from now on is seen. The reason, in French, when the file
// could not be written; nothing when it was, or when no snapshot was in use.
std::optional<std::string> settleExchange();

} // namespace formalys
