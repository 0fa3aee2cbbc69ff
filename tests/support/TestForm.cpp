#include "support/TestForm.h"

#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace formalys::testing {

using Object = QPDFObjectHandle;
using Entries = TestForm::Entries;

Object rectangle(Rect r)
{
    return Object::newArray({Object::newReal(r.x, 2), Object::newReal(r.y, 2), Object::newReal(r.x + r.w, 2),
                             Object::newReal(r.y + r.h, 2)});
}

TestForm::TestForm()
{
    pdf_.emptyPDF();
    page_ = pdf_.makeIndirectObject(Object::parse("<< /Type /Page /MediaBox [0 0 595 842] /Annots [] >>"));
    QPDFPageDocumentHelper(pdf_).addPage(QPDFPageObjectHelper(page_), false);
    acroForm_ = pdf_.makeIndirectObject(Object::parse("<< /Fields [] /DA (/Helv 0 Tf 0 g) >>"));
    pdf_.getRoot().replaceKey("/AcroForm", acroForm_);
}

Object TestForm::field(Object parent, const Entries& entries)
{
    auto dict = Object::newDictionary();
    for (const auto& [key, value] : entries) { dict.replaceKey(key, value); }
    Object node = pdf_.makeIndirectObject(dict);
    if (parent.isNull()) {
        acroForm_.getKey("/Fields").appendItem(node);
    } else {
        node.replaceKey("/Parent", parent);
        if (!parent.hasKey("/Kids")) { parent.replaceKey("/Kids", Object::newArray()); }
        parent.getKey("/Kids").appendItem(node);
    }
    if (node.hasKey("/Rect")) {
        node.replaceKey("/Type", Object::newName("/Annot"));
        node.replaceKey("/Subtype", Object::newName("/Widget"));
        node.replaceKey("/P", page_);
        page_.getKey("/Annots").appendItem(node);
    }
    return node;
}

Object TestForm::widget(Object parentField, Rect rect, const Entries& entries)
{
    Entries all = entries;
    all["/Rect"] = rectangle(rect);
    return field(parentField, all);
}

Object TestForm::text(const std::string& name, Rect rect, const Entries& entries)
{
    Entries all = {{"/FT", Object::newName("/Tx")}, {"/T", Object::newUnicodeString(name)},
                   {"/DA", Object::newString("/Helv 10 Tf 0 g")}, {"/Rect", rectangle(rect)}};
    for (const auto& [key, value] : entries) { all[key] = value; }
    return field(Object::newNull(), all);
}

Object TestForm::checkBoxAppearances(const std::string& onState)
{
    Object ap = Object::parse("<< /N << >> >>");
    ap.getKey("/N").replaceKey(onState, pdf_.newStream("0 g 2 2 6 6 re f\n"));
    ap.getKey("/N").replaceKey("/Off", pdf_.newStream(""));
    return ap;
}

Object TestForm::checkBox(const std::string& name, const std::string& onState, Rect rect)
{
    return field(Object::newNull(), {{"/FT", Object::newName("/Btn")}, {"/T", Object::newUnicodeString(name)},
                                     {"/Rect", rectangle(rect)}, {"/V", Object::newName("/Off")},
                                     {"/AS", Object::newName("/Off")}, {"/AP", checkBoxAppearances(onState)}});
}

void TestForm::save(const std::string& path, bool objectStreams)
{
    QPDFWriter writer(pdf_, path.c_str()); // keeps the name's pointer: `path` outlives it
    writer.setStaticID(true);
    writer.setObjectStreamMode(objectStreams ? qpdf_o_generate : qpdf_o_disable);
    writer.write();
}

void writeTemplate(const std::string& path, const std::vector<TemplateField>& fields)
{
    TestForm form;
    double y = 800;
    for (const TemplateField& field : fields) {
        if (field.checkBox) {
            Object box = form.checkBox(field.name, "/Oui", {40, y, 12, 12});
            for (const char* key : {"/V", "/AS"}) { box.replaceKey(key, Object::newName(field.value.empty() ? "/Off" : "/Oui")); }
        } else {
            form.text(field.name, {40, y, 200, 14},
                      field.value.empty() ? Entries{} : Entries{{"/V", Object::newUnicodeString(field.value)}});
        }
        y = y < 56 ? 800 : y - 16;
    }
    form.save(path);
}

} // namespace formalys::testing
