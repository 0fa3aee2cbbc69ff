#include "component/Warnings.h"

#include <algorithm>
#include <mutex>

namespace formalys {

namespace {

// Warnings may be reported from a host's thread (a callback), hence the lock. The list is capped
// so that a caller that never takes them cannot grow it without bound.
constexpr std::size_t maximumKept = 1000;

std::mutex& warningsMutex()
{
    static std::mutex m;
    return m;
}

std::vector<std::string>& pending()
{
    static std::vector<std::string> list;
    return list;
}

std::vector<std::string>& pendingDetails()
{
    static std::vector<std::string> list;
    return list;
}

} // namespace

void reportWarning(std::string message)
{
    const std::lock_guard lock(warningsMutex());
    // The same cause met again within an operation (a display missing for each window it tries,
    // a refused patient number at each step that names the pause file) is said once.
    if (std::find(pending().begin(), pending().end(), message) != pending().end()) {
        return;
    }
    if (pending().size() < maximumKept) {
        pending().push_back(std::move(message));
    }
}

void reportDetail(std::string detail)
{
    const std::lock_guard lock(warningsMutex());
    if (!detail.empty() && pendingDetails().size() < maximumKept &&
        std::find(pendingDetails().begin(), pendingDetails().end(), detail) ==
            pendingDetails().end()) {
        pendingDetails().push_back(std::move(detail));
    }
}

void reportWarning(std::string message, std::string detail)
{
    reportWarning(std::move(message));
    reportDetail(std::move(detail));
}

std::vector<std::string> takeDetails()
{
    const std::lock_guard lock(warningsMutex());
    std::vector<std::string> taken;
    taken.swap(pendingDetails());
    return taken;
}

std::vector<std::string> takeWarnings()
{
    const std::lock_guard lock(warningsMutex());
    std::vector<std::string> taken;
    taken.swap(pending());
    return taken;
}

} // namespace formalys
