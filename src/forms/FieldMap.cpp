#include "forms/FieldMap.h"

#include <algorithm>

namespace formalys::forms {

const FieldMapRow* FieldMap::find(std::string_view name) const
{
    for (const FieldMapRow& row : rows_) {
        if (std::find(row.names.begin(), row.names.end(), name) != row.names.end()) {
            return &row;
        }
    }
    return nullptr;
}

std::string FieldMap::valueFor(std::string_view name) const
{
    const FieldMapRow* row = find(name);
    return row == nullptr ? std::string() : row->rule();
}

bool FieldMap::knows(std::string_view name) const
{
    return find(name) != nullptr;
}

} // namespace formalys::forms
