#pragma once
// The form list of the assistant (Combo1): its entries, the selected entry, and the click that
// selecting an entry runs.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace formalys::assistant {

class FormList
{
public:
    std::int32_t count() const { return static_cast<std::int32_t>(entries_.size()); }
    const std::string& entry(std::int32_t index) const { return entries_.at(index); }

    // Replaces the entries; no entry is selected afterwards.
    void setEntries(std::vector<std::string> entries);

    // -1 when no entry is selected.
    std::int16_t selectedIndex() const { return selected_; }

    // The text the list shows: the selected entry, or the empty text.
    std::string text() const;

    // Selects an entry (-1: none), as the user or the program does; selecting an entry whose index
    // is not -1 runs the click handler with that index.
    void select(std::int16_t index);

    std::function<void(std::int16_t)> onClick;

private:
    std::vector<std::string> entries_;
    std::int16_t selected_ = -1;
};

} // namespace formalys::assistant
