#pragma once
// Templates for the fill and generation tests: a list of fields, text fields or check boxes, with
// any names (blanks around, odd letter case, accents) and optional initial values.

#include <string>
#include <vector>

namespace formalys::testing {

struct TemplateField
{
    std::string name;
    bool checkBox = false;
    std::string value; // initial /V of a text field
};

inline TemplateField textField(std::string name, std::string value = {})
{
    return {std::move(name), false, std::move(value)};
}

inline TemplateField checkBoxField(std::string name)
{
    return {std::move(name), true, {}};
}

// Writes a one-page form holding `fields`, in this order. Check boxes have the on state /Oui.
void writeTemplate(const std::string& path, const std::vector<TemplateField>& fields);

} // namespace formalys::testing
