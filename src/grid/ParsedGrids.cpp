#include "grid/ParsedGrids.h"

namespace formalys::grid {

ParsedGrids& ParsedGrids::instance()
{
    static ParsedGrids grids;
    return grids;
}

std::optional<Sheet> ParsedGrids::find(const files::FileIdentity& identity)
{
    const std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->identity == identity) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front().sheet;
        }
    }
    return std::nullopt;
}

void ParsedGrids::keep(const files::FileIdentity& identity, const Sheet& sheet)
{
    const std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&](const Entry& entry) { return entry.identity.path == identity.path; });
    entries_.push_front({identity, sheet});
    if (entries_.size() > capacity) {
        entries_.pop_back();
    }
}

} // namespace formalys::grid
