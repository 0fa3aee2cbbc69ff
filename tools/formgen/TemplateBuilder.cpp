#include "TemplateBuilder.h"

#include "PageContent.h"

#include <cstdio>
#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

namespace formalys::formgen {

namespace {

using Object = QPDFObjectHandle;

// Width and ink height of the ZapfDingbats check mark "4" (glyph a20), in thousandths of the size.
constexpr double checkMarkWidth = 846;
constexpr double checkMarkHeight = 719;
constexpr double checkMarkDescent = 14;

Object name(const char* n)
{
    return Object::newName(n);
}

Object rectangle(double x, double y, double w, double h)
{
    // Description coordinates run from the top of the page; PDF ones from the bottom.
    const double bottom = pageHeight - y - h;
    return Object::newArray({Object::newReal(x, 2), Object::newReal(bottom, 2),
                             Object::newReal(x + w, 2), Object::newReal(bottom + h, 2)});
}

std::string number(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.2f", v);
    return buffer;
}

Object standardFont(QPDF& pdf, const char* baseFont, bool winAnsi)
{
    auto font = Object::newDictionary();
    font.replaceKey("/Type", name("/Font"));
    font.replaceKey("/Subtype", name("/Type1"));
    font.replaceKey("/BaseFont", name(baseFont));
    if (winAnsi) {
        font.replaceKey("/Encoding", name("/WinAnsiEncoding"));
    }
    return pdf.makeIndirectObject(font);
}

Object formXObject(QPDF& pdf, const std::string& content, double w, double h, Object resources)
{
    Object stream = pdf.newStream(content);
    Object dict = stream.getDict();
    dict.replaceKey("/Type", name("/XObject"));
    dict.replaceKey("/Subtype", name("/Form"));
    dict.replaceKey("/BBox", Object::newArray({Object::newInteger(0), Object::newInteger(0),
                                               Object::newReal(w, 2), Object::newReal(h, 2)}));
    if (resources.isInitialized()) {
        dict.replaceKey("/Resources", resources);
    }
    return stream;
}

class Builder
{
public:
    Builder()
    {
        pdf_.emptyPDF();
        helvetica_ = standardFont(pdf_, "/Helvetica", true);
        helveticaBold_ = standardFont(pdf_, "/Helvetica-Bold", true);
        zapfDingbats_ = standardFont(pdf_, "/ZapfDingbats", false);
    }

    std::string build(const FormDescription& form)
    {
        Object fields = Object::newArray();
        QPDFPageDocumentHelper pages(pdf_);
        for (const auto& page : form.pages) {
            Object pageObject = makePage(page);
            pages.addPage(QPDFPageObjectHelper(pageObject), false);
            Object annotations = Object::newArray();
            for (const auto& field : page.fields) {
                Object widget = makeField(field, pageObject);
                annotations.appendItem(widget);
                fields.appendItem(widget);
            }
            pageObject.replaceKey("/Annots", annotations);
        }

        auto fonts = Object::newDictionary();
        fonts.replaceKey("/Helv", helvetica_);
        fonts.replaceKey("/ZaDb", zapfDingbats_);
        auto resources = Object::newDictionary();
        resources.replaceKey("/Font", fonts);
        auto acroForm = Object::newDictionary();
        acroForm.replaceKey("/Fields", fields);
        acroForm.replaceKey("/DR", resources);
        acroForm.replaceKey("/DA", Object::newString("/Helv 0 Tf 0 g"));

        Object root = pdf_.getRoot();
        root.replaceKey("/AcroForm", pdf_.makeIndirectObject(acroForm));
        root.replaceKey("/Lang", Object::newString("fr-FR"));
        auto preferences = Object::newDictionary();
        preferences.replaceKey("/DisplayDocTitle", Object::newBool(true));
        root.replaceKey("/ViewerPreferences", preferences);

        auto info = Object::newDictionary();
        info.replaceKey("/Title", Object::newUnicodeString(form.title));
        info.replaceKey("/Creator", Object::newString("Formalys formgen"));
        pdf_.getTrailer().replaceKey("/Info", pdf_.makeIndirectObject(info));

        QPDFWriter writer(pdf_);
        writer.setOutputMemory();
        writer.setDeterministicID(true);
        writer.setMinimumPDFVersion("1.4");
        writer.write();
        const auto buffer = writer.getBufferSharedPointer();
        return {reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize()};
    }

private:
    Object makePage(const Page& page)
    {
        auto fonts = Object::newDictionary();
        fonts.replaceKey(regularFont, helvetica_);
        fonts.replaceKey(boldFont, helveticaBold_);
        auto resources = Object::newDictionary();
        resources.replaceKey("/Font", fonts);

        auto dict = Object::newDictionary();
        dict.replaceKey("/Type", name("/Page"));
        dict.replaceKey("/MediaBox",
                        Object::newArray({Object::newInteger(0), Object::newInteger(0),
                                          Object::newInteger(static_cast<int>(pageWidth)),
                                          Object::newInteger(static_cast<int>(pageHeight))}));
        dict.replaceKey("/Resources", resources);
        dict.replaceKey("/Contents", pdf_.newStream(pageContent(page)));
        return pdf_.makeIndirectObject(dict);
    }

    Object makeField(const Field& field, Object page)
    {
        auto dict = Object::newDictionary();
        dict.replaceKey("/Type", name("/Annot"));
        dict.replaceKey("/Subtype", name("/Widget"));
        dict.replaceKey("/T", Object::newUnicodeString(field.name));
        dict.replaceKey("/Rect", rectangle(field.x, field.y, field.w, field.h));
        dict.replaceKey("/F", Object::newInteger(4)); // printed
        dict.replaceKey("/P", page);
        if (field.kind == FieldKind::Check) {
            addCheckBox(dict, field);
        } else {
            dict.replaceKey("/FT", name("/Tx"));
            dict.replaceKey("/DA", Object::newString("/Helv " + number(field.size) + " Tf 0 g"));
            const int quadding = field.align == Align::Centre  ? 1
                                 : field.align == Align::Right ? 2
                                                               : 0;
            dict.replaceKey("/Q", Object::newInteger(quadding));
            if (field.kind == FieldKind::Box) {
                dict.replaceKey("/MaxLen", Object::newInteger(1));
            }
            if (field.kind == FieldKind::Multi) {
                dict.replaceKey("/Ff", Object::newInteger(1 << 12)); // multi-line
            }
        }
        return pdf_.makeIndirectObject(dict);
    }

    void addCheckBox(Object& dict, const Field& field)
    {
        dict.replaceKey("/FT", name("/Btn"));
        dict.replaceKey("/DA", Object::newString("/ZaDb 0 Tf 0 g"));
        auto mk = Object::newDictionary();
        mk.replaceKey("/CA", Object::newString("4"));
        dict.replaceKey("/MK", mk);
        dict.replaceKey("/V", name("/Off"));
        dict.replaceKey("/AS", name("/Off"));

        const double size = field.h * 0.8;
        const double x = (field.w - checkMarkWidth / 1000 * size) / 2;
        const double y =
            (field.h - checkMarkHeight / 1000 * size) / 2 + checkMarkDescent / 1000 * size;
        auto fonts = Object::newDictionary();
        fonts.replaceKey("/ZaDb", zapfDingbats_);
        auto resources = Object::newDictionary();
        resources.replaceKey("/Font", fonts);
        const std::string on = "q 0 g BT /ZaDb " + number(size) + " Tf " + number(x) + " " +
                               number(y) + " Td (4) Tj ET Q\n";
        auto normal = Object::newDictionary();
        normal.replaceKey("/Oui", formXObject(pdf_, on, field.w, field.h, resources));
        normal.replaceKey("/Off", formXObject(pdf_, "", field.w, field.h, Object()));
        auto appearances = Object::newDictionary();
        appearances.replaceKey("/N", normal);
        dict.replaceKey("/AP", appearances);
    }

    QPDF pdf_;
    Object helvetica_;
    Object helveticaBold_;
    Object zapfDingbats_;
};

} // namespace

std::string buildTemplate(const FormDescription& form)
{
    Builder builder;
    return builder.build(form);
}

} // namespace formalys::formgen
