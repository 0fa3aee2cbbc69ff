#include "pdf/PdfDocument.h"

#include "component/Warnings.h"
#include "files/AtomicFile.h"
#include "files/SystemError.h"
#include "pdf/ButtonState.h"
#include "pdf/Dictionary.h"
#include "pdf/ParsedFiles.h"
#include "text/Letters.h"
#include "text/Utf8.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <map>
#include <qpdf/QPDFExc.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
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
                          std::to_string(repairs.size()) + " anomalie(s)).",
                      repairs.front());
    }
}

} // namespace

class PdfDocument::Impl
{
public:
    // The parsed file of the loaded document; none when no document is loaded. It goes back to
    // the process's parsed files when the document is closed or another file is loaded.
    std::unique_ptr<ParsedFile> file;
    // Whether the parsed file may serve another load of the same file: false once anything went
    // wrong with it (damage, a failed operation, a full rewrite, which changes objects of its own).
    bool reusable = false;
    // Text fields set since their appearance was last drawn, in the order they were set.
    std::vector<int> appearancesDue;
    std::vector<bool> isDue;
    // Fields whose appearance shows "?" for a character the font cannot draw.
    std::vector<bool> drawnWithReplacements;
    bool formAskedViewersToDraw = false; // /NeedAppearances as the file came

    ~Impl() { unload(); }

    LoadedPdf& pdf() { return *file->pdf; }
    const std::vector<FormField>& fields() const { return file->index.fields(); }

    // Closes the document; its parsed file, back as the file has it, is kept for the next load.
    void unload()
    {
        if (file && reusable && file->identity && file->pdf->isSound() &&
            file->changes.fitForIncrementalUpdate()) {
            file->changes.undo();
            file->appearances.startOver();
            ParsedFiles::instance().keep(std::move(file));
        }
        file.reset();
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
        unload();
        std::optional<FileIdentity> identity = FileIdentity::of(path);
        if (identity) {
            file = ParsedFiles::instance().take(*identity);
        }
        if (file) {
            file->pdf->setPath(path);
        } else {
            file = std::make_unique<ParsedFile>(std::move(identity),
                                                std::make_unique<LoadedPdf>(path));
            reportRepairs(pdf(), "à la lecture");
        }
        reusable = pdf().isSound();
        startDocument();
    }

    void startDocument()
    {
        clearDocumentState();
        const auto count = fields().size();
        isDue.assign(count, false);
        drawnWithReplacements.assign(count, false);
        QPDFObjectHandle needAppearances = entry(acroForm(pdf()), "/NeedAppearances");
        formAskedViewersToDraw = needAppearances.isBool() && needAppearances.getBoolValue();
    }

    static QPDFObjectHandle acroForm(LoadedPdf& loaded)
    {
        return entry(loaded.qpdf().getRoot(), "/AcroForm");
    }

    std::string valueOf(int i) const
    {
        const FormField& field = fields()[static_cast<std::size_t>(i)];
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
        const FormField& field = fields()[static_cast<std::size_t>(i)];
        switch (field.kind) {
        case FieldKind::Text:
        case FieldKind::Choice: {
            file->changes.replaceKey(
                field.dictionary, "/V",
                QPDFObjectHandle::newUnicodeString(
                    text::isValidUtf8(value) ? value : text::sanitizedUtf8(value)));
            file->changes.removeKey(field.dictionary, "/RV"); // rich text would show the old value
            if (!isDue[static_cast<std::size_t>(i)]) {
                isDue[static_cast<std::size_t>(i)] = true;
                appearancesDue.push_back(i);
            }
            break;
        }
        case FieldKind::CheckBox:
        case FieldKind::RadioButton:
            if (!setButtonState(field, value, file->changes)) {
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
            drawnWithReplacements[at] = file->appearances.write(fields()[at], valueOf(i));
            isDue[at] = false;
        }
        appearancesDue.clear();
        bool viewersMustDraw = formAskedViewersToDraw;
        for (const bool replaced : drawnWithReplacements) {
            viewersMustDraw = viewersMustDraw || replaced;
        }
        QPDFObjectHandle form = acroForm(pdf());
        if (!form.isDictionary()) {
            return;
        }
        // An /AcroForm written inside the catalog is saved with the catalog.
        QPDFObjectHandle holder = form.isIndirect() ? form : pdf().qpdf().getRoot();
        QPDFObjectHandle now = form.getKey("/NeedAppearances");
        if (!viewersMustDraw) {
            file->changes.removeKey(form, "/NeedAppearances", holder);
        } else if (!now.isBool() || !now.getBoolValue()) {
            file->changes.replaceKey(form, "/NeedAppearances", QPDFObjectHandle::newBool(true),
                                     holder);
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
        reportWarning("Le document PDF " + quoted(path) + " ne peut pas être lu : " +
                          files::frenchSystemError(e.errorNumber) + ".",
                      e.what());
    } catch (const QPDFExc& e) {
        if (e.getErrorCode() == qpdf_e_password) {
            reportWarning("Le document PDF " + quoted(path) +
                          " est protégé par un mot de passe : il ne peut pas être ouvert.");
        } else {
            reportWarning("Le fichier " + quoted(path) + " n'est pas un PDF ou est endommagé.",
                          e.what());
        }
    } catch (const std::exception& e) {
        reportWarning("Le fichier " + quoted(path) + " n'est pas un PDF ou est endommagé.",
                      e.what());
    }
    impl_->unload();
    return false;
}

bool PdfDocument::isLoaded() const
{
    return impl_->file != nullptr;
}

std::int32_t PdfDocument::FieldCount() const
{
    return impl_->file ? static_cast<std::int32_t>(impl_->fields().size()) : 0;
}

std::string PdfDocument::FieldName(std::int32_t index) const
{
    if (index < 0 || index >= FieldCount()) {
        return {};
    }
    return impl_->fields()[static_cast<std::size_t>(index)].name;
}

std::string PdfDocument::fieldValue(std::int32_t index) const
{
    if (index < 0 || index >= FieldCount()) {
        return {};
    }
    try {
        return impl_->valueOf(index);
    } catch (const std::exception& e) {
        reportWarning("La valeur du champ " + quoted(FieldName(index)) + " ne peut pas être lue.",
                      e.what());
        return {};
    }
}

void PdfDocument::SetFieldValue(const std::string& name, const std::string& value)
{
    if (!isLoaded()) {
        return;
    }
    for (const int i : impl_->file->index.find(text::strip(name))) {
        try {
            impl_->set(i, value);
        } catch (const std::exception& e) {
            impl_->reusable = false;
            reportWarning("Le champ " + quoted(FieldName(i)) + " n'a pas pu être rempli.",
                          e.what());
        }
    }
}

bool PdfDocument::SaveDocument(const std::string& path)
{
    std::optional<std::string> failure = saveDocumentOrExplain(path);
    if (failure) {
        reportWarning(text::capitalized(*failure) + ".");
    }
    return !failure;
}

std::optional<std::string> PdfDocument::saveDocumentOrExplain(const std::string& path)
{
    if (!isLoaded()) {
        return "aucun document PDF n'est chargé : rien n'est enregistré sous " + quoted(path);
    }
    if (path.empty()) {
        return std::string("le document PDF n'est pas enregistré : aucun nom de fichier n'est donné");
    }
    try {
        impl_->writeDueAppearances();
        const auto method = impl_->file->writer.write(impl_->pdf(), impl_->file->changes, path);
        if (method == DocumentWriter::Method::FullRewrite) {
            impl_->reusable = false;
        }
        reportRepairs(impl_->pdf(), "à l'enregistrement");
        return std::nullopt;
    } catch (const files::WriteError& e) {
        impl_->reusable = false;
        reportDetail(e.what());
        return "le document PDF n'est pas enregistré sous " + quoted(path) + " : " +
               files::frenchWriteError(e.errorNumber, path);
    } catch (const std::exception& e) {
        impl_->reusable = false;
        reportDetail(e.what());
        return "le document PDF ne peut pas être enregistré sous " + quoted(path);
    }
}

bool PdfDocument::loadCopyOf(const PdfDocument& other)
{
    if (!other.isLoaded()) {
        impl_->unload();
        return false;
    }
    LoadedPdf& original = other.impl_->pdf();
    try {
        impl_->unload();
        impl_->file = std::make_unique<ParsedFile>(
            std::nullopt, std::make_unique<LoadedPdf>(original.path(), std::string(original.bytes())));
        impl_->file->pdf->takeRepairs(); // said when the original was loaded
        impl_->startDocument();
        return true;
    } catch (const std::exception& e) {
        reportWarning("Le document PDF " + quoted(original.path()) + " ne peut pas être copié.",
                      e.what());
    }
    impl_->unload();
    return false;
}

std::optional<std::string> PdfDocument::savedBytes()
{
    if (!isLoaded()) {
        return std::nullopt;
    }
    try {
        impl_->writeDueAppearances();
        return std::string(impl_->file->writer.make(impl_->pdf(), impl_->file->changes).second);
    } catch (const std::exception& e) {
        impl_->reusable = false;
        reportWarning("Le document PDF ne peut pas être préparé.", e.what());
        return std::nullopt;
    }
}

std::optional<std::string> PdfDocument::flattenedBytes()
{
    if (!isLoaded()) {
        return std::nullopt;
    }
    try {
        impl_->writeDueAppearances();
        impl_->reusable = false; // its pages change for good
        QPDFPageDocumentHelper(impl_->pdf().qpdf()).flattenAnnotations();
        return DocumentWriter::rewritten(impl_->pdf().qpdf());
    } catch (const std::exception& e) {
        reportWarning("Le document PDF ne peut pas être aplati.", e.what());
        return std::nullopt;
    }
}

std::vector<PdfDocument::WidgetPlace> PdfDocument::widgetPlaces() const
{
    std::vector<WidgetPlace> places;
    if (!isLoaded()) {
        return places;
    }
    try {
        // Each widget's page, from the pages' annotation lists, and each page's visible origin.
        std::map<QPDFObjGen, int> pageOf;
        std::vector<std::pair<double, double>> origins;
        const auto pages = impl_->pdf().qpdf().getAllPages();
        for (std::size_t p = 0; p < pages.size(); ++p) {
            QPDFObjectHandle annotations = entry(pages[p], "/Annots");
            if (annotations.isArray()) {
                for (auto& annotation : annotations.aitems()) {
                    if (annotation.isIndirect()) {
                        pageOf.emplace(annotation.getObjGen(), static_cast<int>(p));
                    }
                }
            }
            const auto crop = QPDFPageObjectHelper(pages[p]).getCropBox().getArrayAsRectangle();
            origins.emplace_back(std::min(crop.llx, crop.urx), std::min(crop.lly, crop.ury));
        }
        for (const FormField& field : impl_->fields()) {
            for (QPDFObjectHandle widget : field.widgets) {
                const auto page = widget.isIndirect() ? pageOf.find(widget.getObjGen()) : pageOf.end();
                QPDFObjectHandle rect = widget.getKey("/Rect");
                if (page == pageOf.end() || !rect.isRectangle()) {
                    continue; // on no page: nothing shows it
                }
                const auto r = rect.getArrayAsRectangle();
                const auto [x, y] = origins[static_cast<std::size_t>(page->second)];
                places.push_back({std::string(text::strip(field.name)), page->second,
                                  std::min(r.llx, r.urx) - x, std::min(r.lly, r.ury) - y,
                                  std::max(r.llx, r.urx) - x, std::max(r.lly, r.ury) - y});
            }
        }
    } catch (const std::exception& e) {
        reportWarning("La place des champs ne peut pas être lue.", e.what());
    }
    return places;
}

} // namespace formalys::pdf
