#pragma once
// A field map: which text goes into each field of a form's template. One row per row of the form's
// table: the field names that select it (alternative names together) and the rule computing the
// value. A name is compared exactly (letter case, accents and inner blanks count) with each row's
// names in table order; the first equal one decides; a name equal to none gets the empty text.

#include "forms/FieldRules.h"

#include <string>
#include <string_view>
#include <vector>

namespace formalys::forms {

struct FieldMapRow
{
    std::vector<std::string> names;
    FieldRule rule;
};

class FieldMap
{
public:
    explicit FieldMap(std::vector<FieldMapRow> rows) : rows_(std::move(rows)) {}

    // The value for a field name (already stripped by the caller); the empty text for a name the
    // map does not know. Runs the row's rule, so it reads the exchange file.
    std::string valueFor(std::string_view name) const;

    // Whether a row names this field.
    bool knows(std::string_view name) const;

    const std::vector<FieldMapRow>& rows() const { return rows_; }

private:
    const FieldMapRow* find(std::string_view name) const;

    std::vector<FieldMapRow> rows_;
};

// The four maps of the assistant's forms.
const FieldMap& depatMap(); // prior-agreement request AT/MP
const FieldMap& mtMap();    // attending-physician declaration
const FieldMap& piresMap(); // care protocol
const FieldMap& dsiMap();   // nursing care plan

// The box rows of the attending-physician declaration: the fields that hold one character of the
// social-security number, its key, the date of birth, the practitioner's identifier or the date of
// the declaration. Shared by that form's map and by the per-box computation at generation.
const std::vector<FieldMapRow>& mtBoxRows();

} // namespace formalys::forms
