#include "support/PdfReadBack.h"

#include "support/Files.h"

#include <algorithm>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <stdexcept>

namespace formalys::testing {

namespace {

QPDF& opened(QPDF& pdf, const std::string& path, std::string& bytes)
{
    bytes = readBytes(path);
    pdf.processMemoryFile(path.c_str(), bytes.data(), bytes.size());
    return pdf;
}

} // namespace

PdfReadBack::PdfReadBack(const std::string& path) : form_(opened(pdf_, path, bytes_))
{
    for (auto& page : QPDFPageDocumentHelper(pdf_).getAllPages()) {
        for (auto& widget : form_.getWidgetAnnotationsForPage(page)) {
            QPDFFormFieldObjectHelper helper = form_.getFieldForAnnotation(widget);
            const std::string name = helper.getFullyQualifiedName();
            if (!has(name)) { fields_.push_back({name, helper, {}}); }
            at(name).widgets.push_back(widget);
        }
    }
}

std::vector<std::string> PdfReadBack::names() const
{
    std::vector<std::string> result;
    for (const auto& f : fields_) { result.push_back(f.name); }
    return result;
}

std::vector<std::string> PdfReadBack::namesAndValues()
{
    std::vector<std::string> result;
    for (const std::string& name : names()) { result.push_back(name + "=" + value(name)); }
    return result;
}

PdfReadBack::Field* PdfReadBack::find(const std::string& name)
{
    const auto found = std::find_if(fields_.begin(), fields_.end(), [&](const Field& f) { return f.name == name; });
    return found == fields_.end() ? nullptr : &*found;
}

PdfReadBack::Field& PdfReadBack::at(const std::string& name)
{
    if (Field* f = find(name)) { return *f; }
    throw std::runtime_error("no field named \"" + name + "\"");
}

std::string PdfReadBack::value(const std::string& name)
{
    QPDFObjectHandle v = at(name).helper.getValue();
    return v.isString() ? v.getUTF8Value() : v.isName() ? v.getName().substr(1) : "";
}

std::string PdfReadBack::state(const std::string& name, std::size_t i)
{
    const std::string as = at(name).widgets.at(i).getAppearanceState();
    return as.empty() ? as : as.substr(1);
}

std::string PdfReadBack::appearance(const std::string& name, std::size_t i)
{
    QPDFObjectHandle stream = at(name).widgets.at(i).getAppearanceStream("/N");
    if (!stream.isStream()) { return {}; }
    const auto data = stream.getStreamData(qpdf_dl_generalized);
    return {reinterpret_cast<const char*>(data->getBuffer()), data->getSize()};
}

} // namespace formalys::testing
