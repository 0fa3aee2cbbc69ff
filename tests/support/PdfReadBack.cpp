#include "support/PdfReadBack.h"

#include <algorithm>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <stdexcept>

namespace formalys::testing {

namespace {

QPDF& opened(QPDF& pdf, const std::string& path)
{
    pdf.processFile(path.c_str());
    return pdf;
}

} // namespace

PdfReadBack::PdfReadBack(const std::string& path) : form_(opened(pdf_, path))
{
    for (auto& page : QPDFPageDocumentHelper(pdf_).getAllPages()) {
        for (auto& widget : form_.getWidgetAnnotationsForPage(page)) {
            QPDFFormFieldObjectHelper helper = form_.getFieldForAnnotation(widget);
            if (helper.isNull()) {
                continue;
            }
            const std::string name = helper.getFullyQualifiedName();
            auto known = std::find_if(fields_.begin(), fields_.end(),
                                      [&](const Field& f) { return f.name == name; });
            if (known == fields_.end()) {
                fields_.push_back({name, helper, {}});
                known = fields_.end() - 1;
            }
            known->widgets.push_back(widget);
        }
    }
}

std::vector<std::string> PdfReadBack::names()
{
    std::vector<std::string> result;
    for (const auto& f : fields_) {
        result.push_back(f.name);
    }
    return result;
}

bool PdfReadBack::has(const std::string& name)
{
    return std::any_of(fields_.begin(), fields_.end(),
                       [&](const Field& f) { return f.name == name; });
}

PdfReadBack::Field& PdfReadBack::field(const std::string& name)
{
    for (auto& f : fields_) {
        if (f.name == name) {
            return f;
        }
    }
    throw std::runtime_error("no field named \"" + name + "\"");
}

std::string PdfReadBack::value(const std::string& name)
{
    QPDFObjectHandle v = field(name).helper.getValue();
    if (v.isString()) {
        return v.getUTF8Value();
    }
    if (v.isName()) {
        return v.getName().substr(1);
    }
    return {};
}

std::string PdfReadBack::type(const std::string& name)
{
    return field(name).helper.getFieldType();
}

int PdfReadBack::flags(const std::string& name)
{
    return field(name).helper.getFlags();
}

int PdfReadBack::integer(const std::string& name, const std::string& key)
{
    QPDFObjectHandle v = field(name).helper.getInheritableFieldValue(key);
    return v.isInteger() ? v.getIntValueAsInt() : -1;
}

std::size_t PdfReadBack::widgetCount(const std::string& name)
{
    return field(name).widgets.size();
}

std::string PdfReadBack::state(const std::string& name, std::size_t i)
{
    const std::string as = field(name).widgets.at(i).getAppearanceState();
    return as.empty() ? as : as.substr(1);
}

QPDFObjectHandle PdfReadBack::appearanceStream(const std::string& name, std::size_t i)
{
    return field(name).widgets.at(i).getAppearanceStream("/N");
}

std::set<std::string> PdfReadBack::appearanceStates(const std::string& name, std::size_t i)
{
    QPDFObjectHandle ap = field(name).widgets.at(i).getAppearanceDictionary();
    if (!ap.isDictionary() || !ap.getKey("/N").isDictionary()) {
        return {};
    }
    return ap.getKey("/N").getKeys();
}

std::string PdfReadBack::appearance(const std::string& name, std::size_t i)
{
    QPDFObjectHandle stream = appearanceStream(name, i);
    if (!stream.isStream()) {
        return {};
    }
    const auto data = stream.getStreamData(qpdf_dl_generalized);
    return {reinterpret_cast<const char*>(data->getBuffer()), data->getSize()};
}

bool PdfReadBack::needAppearances()
{
    return form_.getNeedAppearances();
}

} // namespace formalys::testing
