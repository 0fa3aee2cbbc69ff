#include "assistant/Assistant.h"

#include "assistant/FormTable.h"
#include "assistant/Generation.h"
#include "grid/GridFile.h"
#include "assistant/GridMerge.h"
#include "assistant/PauseFile.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "assistant/FillProcedure.h"
#include "text/Letters.h"


namespace formalys::assistant {

// The controls as the window's design leaves them: an empty form list, a visible mapping grid and
// a hidden field grid, both with two columns titled "Champ" and "Valeur", no document.
struct Assistant::Controls
{
    FormList Combo1;
    grid::Sheet SSData;
    grid::Sheet SSPdf;
    grid::GridView SSDataView{true};
    grid::GridView SSPdfView{false};
    pdf::PdfDocument PDFDocument1;
};

Assistant& assistantWindow()
{
    // Never destroyed: its document is a QPDF object, which must not outlive QPDF's own statics
    // at the end of the process, and closing the process is not closing the window anyway.
    static Assistant* const window = new Assistant;
    return *window;
}

Assistant::Assistant() = default;

// Destroying the object (at the end of the process) is not closing the window: no file is touched.
Assistant::~Assistant() = default;

void Assistant::ensureLoaded()
{
    if (!isLoaded()) {
        Load();
    }
}

FormList& Assistant::Combo1()
{
    ensureLoaded();
    return controls_->Combo1;
}

grid::Sheet& Assistant::SSData()
{
    ensureLoaded();
    return controls_->SSData;
}

grid::Sheet& Assistant::SSPdf()
{
    ensureLoaded();
    return controls_->SSPdf;
}

grid::GridView& Assistant::SSDataView()
{
    ensureLoaded();
    return controls_->SSDataView;
}

grid::GridView& Assistant::SSPdfView()
{
    ensureLoaded();
    return controls_->SSPdfView;
}

pdf::PdfDocument& Assistant::PDFDocument1()
{
    ensureLoaded();
    return controls_->PDFDocument1;
}

std::string Assistant::sheetHint()
{
    return Combo1().selectedIndex() < 0 ? "Choisissez un formulaire dans la liste ci-dessus."
                                        : "";
}

std::string Assistant::closeQuestion() const
{
    return isLoaded() && userEdits_
               ? "Fermer sans générer le document ? Les modifications seront perdues."
               : "";
}

std::string Assistant::changeFormQuestion()
{
    return isLoaded() && userEdits_ && Combo1().selectedIndex() >= 0
               ? "Changer de formulaire ? Les modifications de la feuille seront perdues."
               : "";
}

void Assistant::buildControls()
{
    controls_ = std::make_unique<Controls>();
    userEdits_ = false;
    controls_->Combo1.onClick = [this](std::int16_t index) { ChargeCerfaPatient(index); };
}

void Assistant::openWithoutResuming()
{
    buildControls();
    patientNumber_ = ReadExchange("PATIENT", "NUMPA", "0");
    controls_->Combo1.setEntries(formTitles());
}

void Assistant::Load()
{
    buildControls();
    unsavedDocument_.clear();
    ComponentState& state = ComponentState::instance();

    if (state.pauseFlag == flagTrue) {
        state.tray.hideResumeItem();
    }
    state.pauseFlag = flagFalse;
    patientNumber_ = ReadExchange("PATIENT", "NUMPA", "0");
    const std::string last = ReadExchange("RESULTAT", "LASTNUMPA", "0");

    controls_->Combo1.setEntries(formTitles());

    const std::string patient(text::strip(patientNumber_));
    if (patient == last) {
        if (pauseFileExists(patient)) {
            SetIndex(ReadExchange("RESULTAT", "TITRE", ""), controls_->Combo1);
            userEdits_ = grid::LoadGridFile(controls_->SSData, *pauseFilePath(patient));
            deletePauseFile(patient);
        }
    } else if (pauseFileExists(last)) {
        deletePauseFile(last);
    }
}

void Assistant::Unload()
{
    if (!isLoaded()) {
        return;
    }
    if (ComponentState::instance().pauseFlag != flagTrue) {
        deletePauseFile(patientNumber_);
    }
    controls_.reset();
}

void Assistant::ChargeCerfaPatient(std::int16_t Index)
{
    FormList& list = Combo1();
    userEdits_ = false;
    if (Index >= 0 && Index < list.count()) {
        WriteExchange("RESULTAT", "TITRE", list.entry(Index));
    }
    switch (Index) {
    case 0:
        MT_Fill(formTable[0].sourcePdf);
        break;
    case 1:
        DEPAT_Fill(formTable[1].sourcePdf);
        break;
    case 2:
        PIRES_FILL(formTable[2].sourcePdf);
        break;
    case 3:
        DSI_Fill(formTable[3].sourcePdf);
        break;
    default:
        break;
    }
}

void Assistant::SetIndex(const std::string& AText, FormList& aList)
{
    for (std::int32_t i = 0; i < aList.count(); ++i) {
        if (aList.entry(i).starts_with(AText)) {
            aList.select(static_cast<std::int16_t>(i));
            return;
        }
    }
}

void Assistant::MT_Fill(const std::string& SourcePdf)
{
    runFill(*this, SourcePdf, forms::mtMap());
}

void Assistant::DEPAT_Fill(const std::string& SourcePdf)
{
    runFill(*this, SourcePdf, forms::depatMap());
}

void Assistant::PIRES_FILL(const std::string& SourcePdf)
{
    runFill(*this, SourcePdf, forms::piresMap());
}

void Assistant::DSI_Fill(const std::string& SourcePdf)
{
    runFill(*this, SourcePdf, forms::dsiMap());
}

void Assistant::DataToPdf()
{
    assistant::DataToPdf(SSPdf(), SSData(), SSDataView());
}

void Assistant::Command2_Click()
{
    if (!sheetHint().empty()) { // no form chosen: there is no document to generate
        ComponentState::instance().messageBox->show(
            "Choisissez d'abord un formulaire dans la liste : aucun document n'est généré.",
            "Formalys", MessageBoxPort::Icon::Information);
        return;
    }
    const GenerationResult result = generateDocument(*this);
    if (result.saved || result.cancelled) {
        unsavedDocument_.clear();
        return;
    }
    // Not saved: the window stays open with the sheet as the user left it.
    unsavedDocument_ = result.failure;
    ComponentState::instance().messageBox->show(
        text::capitalized(result.failure) +
            ". La fenêtre reste ouverte : rien de ce qui a été saisi n'est perdu.",
        "Formalys", MessageBoxPort::Icon::Critical);
}

void Assistant::Command4_Click()
{
    ComponentState& state = ComponentState::instance();
    state.tray.showResumeItem();
    WriteExchange("RESULTAT", "TITRE", Combo1().text());
    const std::string patient(text::strip(patientNumber_));
    WriteExchange("RESULTAT", "LASTNUMPA", patient);
    const auto path = pauseFilePath(patient);
    std::string refused;
    if (!path) {
        refused = patient.empty() ? "aucun numéro de patient n'est donné (PATIENT/NUMPA)"
                                  : "le numéro de patient « " + patient +
                                        " » ne peut pas servir de nom de fichier";
    } else if (!grid::saveGridFile(SSData(), *path)) {
        refused = "le fichier de pause « " + *path + " » n'a pas pu être enregistré";
    }
    if (!refused.empty()) {
        // Closing now would lose what the user typed: the window stays open instead.
        state.tray.hideResumeItem();
        state.messageBox->show("La saisie n'a pas pu être mise en pause : " + refused +
                                   ". La fenêtre reste ouverte.",
                               "Formalys", MessageBoxPort::Icon::Critical);
        return;
    }
    state.pauseFlag = flagTrue;
    unsavedDocument_.clear();
    if (state.tray.shouldTellNoNotificationArea()) {
        state.messageBox->show("La saisie est en pause. Ce bureau n'affiche pas d'icône dans la zone "
                               "de notification : pour reprendre la saisie, rouvrez l'assistant pour ce "
                               "patient depuis votre logiciel.",
                               "Formalys", MessageBoxPort::Icon::Information);
    }
    Unload();
}

void Assistant::Command1_Click()
{
    // Opening the about window from here first keeps the tray icon from ever appearing.
    ComponentState& state = ComponentState::instance();
    state.alone = flagTrue;
    state.tray.showAbout();
}

} // namespace formalys::assistant
