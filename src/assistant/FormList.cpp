#include "assistant/FormList.h"

namespace formalys::assistant {

void FormList::setEntries(std::vector<std::string> entries)
{
    entries_ = std::move(entries);
    selected_ = -1;
}

std::string FormList::text() const
{
    if (selected_ < 0 || selected_ >= count()) {
        return {};
    }
    return entries_[static_cast<std::size_t>(selected_)];
}

void FormList::select(std::int16_t index)
{
    if (index < -1 || index >= count()) {
        return;
    }
    selected_ = index;
    if (index != -1 && onClick) {
        onClick(index);
    }
}

} // namespace formalys::assistant
