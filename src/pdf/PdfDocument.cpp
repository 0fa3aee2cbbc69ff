#include "pdf/PdfDocument.h"

#include "component/Warnings.h"
#include "pdf/AppearanceWriter.h"
#include "pdf/ButtonState.h"
#include "pdf/ChangeLog.h"
#include "pdf/Dictionary.h"
#include "pdf/DocumentWriter.h"
#include "pdf/FieldIndex.h"
#include "pdf/LoadedPdf.h"
#include "text/Letters.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <qpdf/QPDFExc.hh>
#include <vector>

namespace formalys::pdf {

namespace {

std::string quoted(const std::string& s)
{
    return "« " + s + " »";
}

void reportRepairs(LoadedPdf& pdf, const std::string& when)
{
    const auto repairs = pdf.takeRepairs();
    if (!repairs.empty()) {
        reportWarning("Le document PDF " + quoted(pdf.path()) +
                      " est endommagé : il a été réparé " + when + " (" +
                      std::to_string(repairs.size()) +
                      " anomalie(s), la première : " + repairs.front() + ").");
    }
}

} // namespace

class PdfDocument::Impl
{
public:
    // Everything below belongs to one loaded document; all empty when none is loaded. The parsed
    // file, its field index and the appearance writer's streams outlive a load of the same bytes
    // again: the changes are undone instead of parsing the file anew.
    std::unique_ptr<LoadedPdf> pdf;
    std::unique_ptr<FieldIndex> index;
    ChangeLog changes;
    std::unique_ptr<AppearanceWriter> appearances;
    DocumentWriter writer;
    // Whether the parsed file may serve a load of the same bytes: false once anything went wrong
    // with it (damage, a failed operation, a full rewrite, which changes objects of its own).
    bool reusable = false;
    // Text fields set since their appearance was last drawn, in the order they were set.
    std::vector<int> appearancesDue;
    std::vector<bool> isDue;
    // Fields whose appearance shows "?" for a character the font cannot draw.
    std::vector<bool> drawnWithReplacements;
    bool formAskedViewersToDraw = false; // /NeedAppearances as the file came

    void unload()
    {
        appearances.reset();
        index.reset();
        changes.forget();
        writer.forget();
        pdf.reset();
        reusable = false;
        clearDocumentState();
    }

    void clearDocumentState()
    {
        appearancesDue.clear();
        isDue.clear();
        drawnWithReplacements.clear();
        formAskedViewersToDraw = false;
    }

    void load(const std::string& path)
    {
        std::string bytes = LoadedPdf::read(path);
        if (reusable && pdf && pdf->bytes() == bytes && pdf->isSound() &&
            changes.fitForIncrementalUpdate()) {
            // The same file as the loaded one: back to it as it was read.
            changes.undo();
            appearances->startOver();
            pdf->setPath(path);
            startDocument();
            return;
        }
        unload();
        auto loaded = std::make_unique<LoadedPdf>(path, std::move(bytes));
        auto fields = std::make_unique<FieldIndex>(loaded->qpdf());
        reportRepairs(*loaded, "à la lecture");
        appearances = std::make_unique<AppearanceWriter>(loaded->qpdf(), changes);
        index = std::move(fields);
        pdf = std::move(loaded);
        reusable = pdf->isSound();
        startDocument();
    }

    void startDocument()
    {
        clearDocumentState();
        const auto count = index->fields().size();
        isDue.assign(count, false);
        drawnWithReplacements.assign(count, false);
        QPDFObjectHandle needAppearances = entry(acroForm(*pdf), "/NeedAppearances");
        formAskedViewersToDraw = needAppearances.isBool() && needAppearances.getBoolValue();
    }

    static QPDFObjectHandle acroForm(LoadedPdf& loaded)
    {
        return entry(loaded.qpdf().getRoot(), "/AcroForm");
    }

    std::string valueOf(int i) const
    {
        const FormField& field = index->fields()[static_cast<std::size_t>(i)];
        QPDFObjectHandle dictionary = field.dictionary;
        QPDFObjectHandle value = dictionary.getKey("/V");
        if (value.isString()) {
            return value.getUTF8Value();
        }
        if (value.isName()) {
            // A state name is bytes; files have been seen with Latin-1 accents in them.
            const std::string state = value.getName().substr(1);
            return text::isValidUtf8(state) ? state : text::windows1252ToUtf8(state);
        }
        return field.isButton() ? "Off" : "";
    }

    void set(int i, const std::string& value)
    {
        const FormField& field = index->fields()[static_cast<std::size_t>(i)];
        switch (field.kind) {
        case FieldKind::Text:
        case FieldKind::Choice: {
            changes.replaceKey(field.dictionary, "/V",
                               QPDFObjectHandle::newUnicodeString(
                                   text::isValidUtf8(value) ? value : text::sanitizedUtf8(value)));
            changes.removeKey(field.dictionary, "/RV"); // rich text would show the old value
            if (!isDue[static_cast<std::size_t>(i)]) {
                isDue[static_cast<std::size_t>(i)] = true;
                appearancesDue.push_back(i);
            }
            break;
        }
        case FieldKind::CheckBox:
        case FieldKind::RadioButton:
            if (!setButtonState(field, value, changes)) {
                reportWarning("La case " + quoted(field.name) + " ne peut pas prendre la valeur " +
                              quoted(value) + " : elle est laissée telle quelle.");
            }
            break;
        case FieldKind::PushButton:
        case FieldKind::Signature:
        case FieldKind::Unknown:
            if (!value.empty()) {
                reportWarning("Le champ " + quoted(field.name) +
                              " ne reçoit pas de valeur (bouton, signature ou champ sans type).");
            }
            break;
        }
    }

    // Draws the appearances of the text fields set since the last time, and asks viewers to draw
    // the fields themselves only while one of them shows "?" for a character Helvetica lacks.
    void writeDueAppearances()
    {
        for (const int i : appearancesDue) {
            const auto at = static_cast<std::size_t>(i);
            drawnWithReplacements[at] = appearances->write(index->fields()[at], valueOf(i));
            isDue[at] = false;
        }
        appearancesDue.clear();
        bool viewersMustDraw = formAskedViewersToDraw;
        for (const bool replaced : drawnWithReplacements) {
            viewersMustDraw = viewersMustDraw || replaced;
        }
        QPDFObjectHandle form = acroForm(*pdf);
        if (!form.isDictionary()) {
            return;
        }
        // An /AcroForm written inside the catalog is saved with the catalog.
        QPDFObjectHandle holder = form.isIndirect() ? form : pdf->qpdf().getRoot();
        QPDFObjectHandle now = form.getKey("/NeedAppearances");
        if (!viewersMustDraw) {
            changes.removeKey(form, "/NeedAppearances", holder);
        } else if (!now.isBool() || !now.getBoolValue()) {
            changes.replaceKey(form, "/NeedAppearances", QPDFObjectHandle::newBool(true), holder);
        }
    }
};

PdfDocument::PdfDocument() : impl_(std::make_unique<Impl>()) {}

PdfDocument::~PdfDocument() = default;

bool PdfDocument::LoadDocument(const std::string& path)
{
    try {
        impl_->load(path);
        return true;
    } catch (const UnreadableFile& e) {
        reportWarning("Le document PDF " + quoted(path) + " est introuvable ou illisible (" +
                      e.what() + ").");
    } catch (const QPDFExc& e) {
        if (e.getErrorCode() == qpdf_e_password) {
            reportWarning("Le document PDF " + quoted(path) +
                          " est protégé par un mot de passe : il ne peut pas être ouvert.");
        } else {
            reportWarning("Le document PDF " + quoted(path) +
                          " est endommagé et ne peut pas être lu (" + e.what() + ").");
        }
    } catch (const std::exception& e) {
        reportWarning("Le document PDF " + quoted(path) + " ne peut pas être lu (" + e.what() +
                      ").");
    }
    impl_->unload();
    return false;
}

bool PdfDocument::isLoaded() const
{
    return impl_->pdf != nullptr;
}

std::int32_t PdfDocument::FieldCount() const
{
    return impl_->index ? static_cast<std::int32_t>(impl_->index->fields().size()) : 0;
}

std::string PdfDocument::FieldName(std::int32_t index) const
{
    if (index < 0 || index >= FieldCount()) {
        return {};
    }
    return impl_->index->fields()[static_cast<std::size_t>(index)].name;
}

std::string PdfDocument::fieldValue(std::int32_t index) const
{
    if (index < 0 || index >= FieldCount()) {
        return {};
    }
    try {
        return impl_->valueOf(index);
    } catch (const std::exception& e) {
        reportWarning("La valeur du champ " + quoted(FieldName(index)) + " ne peut pas être lue (" +
                      e.what() + ").");
        return {};
    }
}

void PdfDocument::SetFieldValue(const std::string& name, const std::string& value)
{
    if (!isLoaded()) {
        return;
    }
    for (const int i : impl_->index->find(text::strip(name))) {
        try {
            impl_->set(i, value);
        } catch (const std::exception& e) {
            impl_->reusable = false;
            reportWarning("Le champ " + quoted(FieldName(i)) + " n'a pas pu être rempli (" +
                          e.what() + ").");
        }
    }
}

bool PdfDocument::SaveDocument(const std::string& path)
{
    if (!isLoaded()) {
        reportWarning("Aucun document PDF n'est chargé : rien n'est enregistré sous " +
                      quoted(path) + ".");
        return false;
    }
    if (path.empty()) {
        reportWarning("Le document PDF n'est pas enregistré : aucun nom de fichier n'est donné.");
        return false;
    }
    try {
        impl_->writeDueAppearances();
        const auto method = impl_->writer.write(*impl_->pdf, impl_->changes, path);
        if (method == DocumentWriter::Method::FullRewrite) {
            impl_->reusable = false;
        }
        reportRepairs(*impl_->pdf, "à l'enregistrement");
        return true;
    } catch (const std::exception& e) {
        impl_->reusable = false;
        reportWarning("Le document PDF n'est pas enregistré sous " + quoted(path) + " (" +
                      e.what() + ").");
        return false;
    }
}

} // namespace formalys::pdf
