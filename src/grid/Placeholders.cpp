#include "grid/Placeholders.h"

#include "text/Letters.h"

#include <algorithm>

namespace formalys::grid {

bool isBracketed(std::string_view binding)
{
    return text::strip(binding).starts_with('[');
}

const MergedPlaceholder* findMergedPlaceholder(std::string_view binding)
{
    const auto found =
        std::find_if(mergedPlaceholders.begin(), mergedPlaceholders.end(),
                     [&](const MergedPlaceholder& p) { return p.binding == binding; });
    return found == mergedPlaceholders.end() ? nullptr : &*found;
}

bool isMergedPlaceholder(std::string_view binding)
{
    return findMergedPlaceholder(binding) != nullptr;
}

} // namespace formalys::grid
