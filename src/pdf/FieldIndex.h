#pragma once
// The terminal fields of a document's form, listed once per load in the depth-first order of
// /AcroForm /Fields (the order of the form's field tree, which survives a rewrite of the file,
// unlike QPDF's own list sorted by object number), with a lookup by stripped name.
//
// Fields as readers find them: an entry of /Fields that has a /Parent is read from the top of its
// tree, so the kids of a field that have no /T are its widgets, never fields; and a widget on a
// page that no listed field reaches, but that has a type and a name (its own or inherited), is a
// field too, listed after the others.

#include "pdf/FormField.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QPDF;

namespace formalys::pdf {

class FieldIndex
{
public:
    // Walks the field tree of `pdf`. A node met twice (a cycle, or a field listed under two
    // parents) is listed once. A document without a form has no fields. QPDF's exceptions for a
    // damaged document pass through.
    explicit FieldIndex(QPDF& pdf);

    const std::vector<FormField>& fields() const { return fields_; }

    // Indices of the fields whose name, stripped of surrounding blanks, equals `strippedName`;
    // empty when there is none. Valid as long as the index.
    const std::vector<int>& find(std::string_view strippedName) const;

private:
    std::vector<FormField> fields_;
    std::unordered_map<std::string, std::vector<int>> byStrippedName_;
};

} // namespace formalys::pdf
