#pragma once
// A saved PDF read back with QPDF's own form helpers, independently of the code under test.

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFAcroFormDocumentHelper.hh>
#include <string>
#include <vector>

namespace formalys::testing {

class PdfReadBack
{
public:
    explicit PdfReadBack(const std::string& path);

    // Fully qualified names of the terminal fields, in the order of their first widget.
    std::vector<std::string> names() const;
    std::vector<std::string> namesAndValues(); // "name=value" per field
    bool has(const std::string& name) { return find(name) != nullptr; }
    // /V as UTF-8 text, or a state name without its slash; empty when absent.
    std::string value(const std::string& name);
    QPDFFormFieldObjectHelper field(const std::string& name) { return at(name).helper; }
    // The widgets of a field; /AS of one without its slash; its decoded normal appearance.
    std::vector<QPDFAnnotationObjectHelper>& widgets(const std::string& name) { return at(name).widgets; }
    std::string state(const std::string& name, std::size_t i = 0);
    std::string appearance(const std::string& name, std::size_t i = 0);
    bool needAppearances() { return form_.getNeedAppearances(); }

private:
    struct Field { std::string name; QPDFFormFieldObjectHelper helper; std::vector<QPDFAnnotationObjectHelper> widgets; };
    Field* find(const std::string& name);
    Field& at(const std::string& name); // throws when there is no such field

    std::string bytes_; // read whole: a file held open could not be replaced on Windows
    QPDF pdf_;
    QPDFAcroFormDocumentHelper form_;
    std::vector<Field> fields_; // from the widgets of each page, in page order
};

} // namespace formalys::testing
