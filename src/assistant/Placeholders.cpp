#include "assistant/Placeholders.h"

#include "text/Letters.h"

#include <algorithm>

namespace formalys::assistant {

bool isBracketed(std::string_view binding)
{
    return text::strip(binding).starts_with('[');
}

bool isMergedPlaceholder(std::string_view binding)
{
    return std::find(mergedPlaceholders.begin(), mergedPlaceholders.end(), binding) !=
           mergedPlaceholders.end();
}

} // namespace formalys::assistant
