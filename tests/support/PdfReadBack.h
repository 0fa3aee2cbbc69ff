#pragma once
// Reads a saved PDF back with QPDF's own form helpers, independently of the code under test:
// field names, values, widget states and the text of appearance streams.

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <qpdf/QPDFFormFieldObjectHelper.hh>
#include <set>
#include <string>
#include <vector>

namespace formalys::testing {

class PdfReadBack
{
public:
    explicit PdfReadBack(const std::string& path);

    // Fully qualified names of the terminal fields, in the order of their first widget.
    std::vector<std::string> names();
    bool has(const std::string& name);

    // /V as UTF-8 text, or the state name without its slash; empty when absent.
    std::string value(const std::string& name);
    // The field's /FT, e.g. "/Tx".
    std::string type(const std::string& name);
    int flags(const std::string& name);
    int integer(const std::string& name, const std::string& key); // -1 when absent

    std::size_t widgetCount(const std::string& name);
    // /AS of widget `i`, without its slash.
    std::string state(const std::string& name, std::size_t i = 0);
    // The decoded data of widget `i`'s normal appearance (for a check box, of its current state).
    std::string appearance(const std::string& name, std::size_t i = 0);
    // The keys of widget `i`'s /AP /N dictionary (a check box's states, "/Off" among them).
    std::set<std::string> appearanceStates(const std::string& name, std::size_t i = 0);
    // The widget's normal appearance stream itself.
    QPDFObjectHandle appearanceStream(const std::string& name, std::size_t i = 0);

    bool needAppearances();
    QPDF& pdf() { return pdf_; }

private:
    struct Field
    {
        std::string name;
        QPDFFormFieldObjectHelper helper;
        std::vector<QPDFAnnotationObjectHelper> widgets;
    };
    Field& field(const std::string& name);

    QPDF pdf_;
    QPDFAcroFormDocumentHelper form_;
    // From the widgets of each page: QPDF 11.3's getFormFields() lists a field once per widget
    // and getAnnotationsForField() then finds only one of them.
    std::vector<Field> fields_;
};

} // namespace formalys::testing
