#include "pdf/FieldIndex.h"

#include "pdf/Dictionary.h"
#include "text/Letters.h"

#include <qpdf/QPDF.hh>
#include <set>

namespace formalys::pdf {

namespace {

// What a node passes on to its kids: its fully qualified name and the inheritable attributes
// (PDF 32000-1, 12.7.3.1 and 12.7.3.3).
struct Inherited
{
    std::string name;
    std::string type; // /FT: "/Tx", "/Btn", "/Ch", "/Sig"
    int flags = 0;
    int quadding = 0;
    int maxLength = 0;
    std::string defaultAppearance;
};

struct Visit
{
    QPDFObjectHandle node;
    Inherited inherited;
};

int integerOr(QPDFObjectHandle value, int fallback)
{
    return value.isInteger() ? value.getIntValueAsInt() : fallback;
}

// A node's own attributes override the inherited ones.
Inherited inherit(QPDFObjectHandle node, Inherited from)
{
    if (auto partial = node.getKey("/T"); partial.isString()) {
        const std::string own = partial.getUTF8Value();
        from.name = from.name.empty() ? own : from.name + "." + own;
    }
    if (auto type = node.getKey("/FT"); type.isName()) {
        from.type = type.getName();
    }
    from.flags = integerOr(node.getKey("/Ff"), from.flags);
    from.quadding = integerOr(node.getKey("/Q"), from.quadding);
    from.maxLength = integerOr(node.getKey("/MaxLen"), from.maxLength);
    if (auto da = node.getKey("/DA"); da.isString()) {
        from.defaultAppearance = da.getUTF8Value();
    }
    return from;
}

// A kid is a field when it has a partial name or kids of its own; otherwise it is a widget
// annotation of its parent.
bool isFieldNode(QPDFObjectHandle kid)
{
    return kid.hasKey("/T") || kid.hasKey("/Kids");
}

FieldKind kindOf(const Inherited& attributes)
{
    if (attributes.type == "/Tx") {
        return FieldKind::Text;
    }
    if (attributes.type == "/Btn") {
        if (attributes.flags & fieldFlags::pushButton) {
            return FieldKind::PushButton;
        }
        return (attributes.flags & fieldFlags::radio) ? FieldKind::RadioButton
                                                      : FieldKind::CheckBox;
    }
    if (attributes.type == "/Ch") {
        return FieldKind::Choice;
    }
    if (attributes.type == "/Sig") {
        return FieldKind::Signature;
    }
    return FieldKind::Unknown;
}

std::vector<QPDFObjectHandle> dictionaries(QPDFObjectHandle array)
{
    std::vector<QPDFObjectHandle> result;
    if (array.isArray()) {
        for (auto& item : array.aitems()) {
            if (item.isDictionary()) {
                result.push_back(item);
            }
        }
    }
    return result;
}

// The top of the field tree above `node`, following /Parent. A form that lists a widget or a
// child field in /Fields (beside its parent, or instead of it) is read from the top, so that
// kids without /T are widgets of their field, never fields with an empty name.
QPDFObjectHandle treeTop(QPDFObjectHandle node)
{
    std::set<QPDFObjGen> climbed;
    for (;;) {
        QPDFObjectHandle parent = entry(node, "/Parent");
        if (!parent.isDictionary() ||
            (parent.isIndirect() && !climbed.insert(parent.getObjGen()).second)) {
            return node;
        }
        node = parent;
    }
}

// The widget annotations on the pages, in page order.
std::vector<QPDFObjectHandle> pageWidgets(QPDF& pdf)
{
    std::vector<QPDFObjectHandle> widgets;
    for (auto& page : pdf.getAllPages()) {
        for (auto& annotation : dictionaries(entry(page, "/Annots"))) {
            if (auto subtype = annotation.getKey("/Subtype");
                subtype.isName() && subtype.getName() == "/Widget") {
                widgets.push_back(annotation);
            }
        }
    }
    return widgets;
}

// Lists the terminal fields of the trees under `tops` into `fields`, skipping nodes already in
// `seen`; with `namedAndTypedOnly`, a field without a name or a type is left out.
void walk(const std::vector<QPDFObjectHandle>& tops, const Inherited& defaults,
          std::set<QPDFObjGen>& seen, bool namedAndTypedOnly, std::vector<FormField>& fields)
{
    // Depth first, kids in their order, with an explicit stack: a deep tree cannot exhaust the
    // call stack, and a node seen before is skipped, so a cycle cannot loop.
    std::vector<Visit> stack;
    for (auto it = tops.rbegin(); it != tops.rend(); ++it) {
        stack.push_back({*it, defaults});
    }
    while (!stack.empty()) {
        Visit visit = std::move(stack.back());
        stack.pop_back();
        if (visit.node.isIndirect() && !seen.insert(visit.node.getObjGen()).second) {
            continue;
        }
        Inherited attributes = inherit(visit.node, visit.inherited);

        std::vector<QPDFObjectHandle> childFields;
        std::vector<QPDFObjectHandle> widgetKids;
        for (auto& kid : dictionaries(visit.node.getKey("/Kids"))) {
            (isFieldNode(kid) ? childFields : widgetKids).push_back(kid);
        }
        if (!childFields.empty()) {
            for (auto it = childFields.rbegin(); it != childFields.rend(); ++it) {
                stack.push_back({*it, attributes});
            }
            continue;
        }

        FormField field;
        field.dictionary = visit.node;
        if (!widgetKids.empty()) {
            field.widgets = std::move(widgetKids);
        } else if (visit.node.hasKey("/Rect")) {
            field.widgets.push_back(visit.node); // a field merged with its only widget
        }
        field.name = std::move(attributes.name);
        field.kind = kindOf(attributes);
        if (namedAndTypedOnly && (field.name.empty() || field.kind == FieldKind::Unknown)) {
            continue;
        }
        field.flags = attributes.flags;
        field.quadding = attributes.quadding;
        field.maxLength = attributes.maxLength;
        field.defaultAppearance = std::move(attributes.defaultAppearance);

        fields.push_back(std::move(field));
    }
}

} // namespace

FieldIndex::FieldIndex(QPDF& pdf)
{
    QPDFObjectHandle form = entry(pdf.getRoot(), "/AcroForm");
    if (!form.isDictionary()) {
        return;
    }
    Inherited defaults;
    defaults.quadding = integerOr(form.getKey("/Q"), 0);
    if (auto da = form.getKey("/DA"); da.isString()) {
        defaults.defaultAppearance = da.getUTF8Value();
    }

    std::set<QPDFObjGen> seen;
    std::vector<QPDFObjectHandle> tops;
    for (auto& listed : dictionaries(form.getKey("/Fields"))) {
        tops.push_back(treeTop(listed));
    }
    walk(tops, defaults, seen, false, fields_);

    // Some programs save /Fields pointing at copies of the fields, while the widgets on the pages
    // carry the same names and belong to no listed field: a reader that shows the page shows
    // those. Each such widget's tree is a field too, when it has a type and a name; the trees
    // walked already are in `seen` and passed over.
    std::vector<QPDFObjectHandle> orphans;
    for (auto& widget : pageWidgets(pdf)) {
        if (widget.isIndirect()) {
            orphans.push_back(treeTop(widget));
        }
    }
    walk(orphans, defaults, seen, true, fields_);

    for (std::size_t i = 0; i < fields_.size(); ++i) {
        byStrippedName_[std::string(text::strip(fields_[i].name))].push_back(static_cast<int>(i));
    }
}

const std::vector<int>& FieldIndex::find(std::string_view strippedName) const
{
    static const std::vector<int> none;
    const auto found = byStrippedName_.find(std::string(strippedName));
    return found == byStrippedName_.end() ? none : found->second;
}

} // namespace formalys::pdf
