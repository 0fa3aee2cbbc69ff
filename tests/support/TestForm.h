#pragma once
// PDF forms made by the tests with QPDF, shaped the way real files are: names in PDFDocEncoding or
// UTF-16, fields merged with their widget or with widgets as kids, nested fields, check boxes with
// any on state, every widget in its page's /Annots.

#include <map>
#include <qpdf/QPDF.hh>
#include <qpdf/QUtil.hh>
#include <string>
#include <vector>

namespace formalys::testing {

struct Rect { double x = 0, y = 0, w = 0, h = 0; };
QPDFObjectHandle rectangle(Rect r);

class TestForm
{
public:
    using Entries = std::map<std::string, QPDFObjectHandle>;

    TestForm(); // one A4 page and an empty /AcroForm with /DA "/Helv 0 Tf 0 g"

    // Names as PDF strings: bytes as given (PDFDocEncoding for ASCII), or UTF-16BE with its mark.
    static QPDFObjectHandle plainName(const std::string& bytes) { return QPDFObjectHandle::newString(bytes); }
    static QPDFObjectHandle utf16Name(const std::string& utf8) { return QPDFObjectHandle::newString(QUtil::utf8_to_utf16(utf8)); }

    // A field node under `parent` (null: at the top of the form), returned indirect. A node with
    // /Rect becomes a widget of the page too.
    QPDFObjectHandle field(QPDFObjectHandle parent, const Entries& entries);
    // A widget of `field`, as a kid without a name.
    QPDFObjectHandle widget(QPDFObjectHandle field, Rect rect, const Entries& entries = {});
    // A top-level text field merged with its widget, /DA "/Helv 10 Tf 0 g".
    QPDFObjectHandle text(const std::string& name, Rect rect, const Entries& entries = {});
    // A check box's normal appearances: `onState` (e.g. "/Yes") and /Off.
    QPDFObjectHandle checkBoxAppearances(const std::string& onState);
    // A top-level check box merged with its widget, off.
    QPDFObjectHandle checkBox(const std::string& name, const std::string& onState, Rect rect);

    QPDF& pdf() { return pdf_; }
    QPDFObjectHandle acroForm() { return acroForm_; }
    void save(const std::string& path, bool objectStreams = false); // a stream of cross references, or a table

private:
    QPDF pdf_;
    QPDFObjectHandle page_;
    QPDFObjectHandle acroForm_;
};

// A template for fills and generation: text fields (with an optional /V) and check boxes (on
// state /Oui, ticked or not), in this order, under any names.
struct TemplateField { std::string name; bool checkBox = false; std::string value; };
inline TemplateField textField(std::string name, std::string value = {}) { return {std::move(name), false, std::move(value)}; }
inline TemplateField checkBoxField(std::string name, bool ticked = false) { return {std::move(name), true, ticked ? "Oui" : ""}; }
void writeTemplate(const std::string& path, const std::vector<TemplateField>& fields);

} // namespace formalys::testing
