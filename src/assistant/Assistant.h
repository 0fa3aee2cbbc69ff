#pragma once
// Assistant: the assistant window (Param) without its pixels. It owns the window's controls (the
// form list Combo1, the mapping grid SSData, the field grid SSPdf, the document PDFDocument1) and
// runs the window's procedures: Load, the form list's dispatch to the fills, the grid merge,
// generation, pause and Close. The Qt window shows this state and forwards the user's actions;
// form 2035 uses the document without showing anything.
//
// The component has one assistant (assistantWindow()). Loading it builds fresh controls and runs
// Load; unloading it runs Close and drops the controls; a later use loads it again.

#include "assistant/FormList.h"
#include "grid/GridView.h"
#include "grid/Sheet.h"
#include "pdf/PdfDocument.h"

#include <cstdint>
#include <memory>
#include <string>

namespace formalys::assistant {

class Assistant
{
public:
    Assistant();
    ~Assistant();

    bool isLoaded() const { return controls_ != nullptr; }

    // Loads the window if it is not loaded (running Load); does nothing otherwise.
    void ensureLoaded();

    // Builds the controls and reads the patient number without the rest of Load, so that paused
    // work is neither resumed nor discarded: for headless checks of a fill from the command line.
    // Replaces the controls of a loaded window.
    void openWithoutResuming();

    // Close: discards the current patient's pause file unless the work was paused, then drops the
    // controls. Does nothing when the window is not loaded.
    void Unload();

    // The controls; the window is loaded first if needed.
    FormList& Combo1();
    grid::Sheet& SSData();
    grid::Sheet& SSPdf();
    grid::GridView& SSDataView();
    grid::GridView& SSPdfView();
    pdf::PdfDocument& PDFDocument1();

    // PATIENT/NUMPA as read when the window loaded.
    const std::string& patientNumber() const { return patientNumber_; }

    // Whether the sheet holds typing of the user's since its form was loaded: a cell the user
    // changed, or a sheet resumed from a pause. Closing the window otherwise than by generating or
    // pausing would throw it away, so the window asks first.
    bool hasUserEdits() const { return userEdits_; }

    // What the window shows in place of the sheet while no form is chosen: the first thing to
    // do. Empty once a form is chosen.
    std::string sheetHint();
    void noteUserEdit() { userEdits_ = true; }

    // The question to ask before the window closes otherwise than by generating or pausing, or
    // before another form replaces the sheet: empty when nothing typed would be lost. The answer
    // "Non" is the default and keeps the sheet.
    std::string closeQuestion() const;
    std::string changeFormQuestion();

    // Writes RESULTAT/TITRE, then runs the fill of form `Index` (0 to 3); another index runs none.
    void ChargeCerfaPatient(std::int16_t Index);

    // Selects the first entry of `aList` that begins with `AText` (exactly, letter case counts),
    // which runs the list's click; no match leaves the selection as it was. "" matches entry 0.
    static void SetIndex(const std::string& AText, FormList& aList);

    // The four fills: the common fill procedure with the form's map.
    void MT_Fill(const std::string& SourcePdf);
    void DEPAT_Fill(const std::string& SourcePdf);
    void PIRES_FILL(const std::string& SourcePdf);
    void DSI_Fill(const std::string& SourcePdf);

    // The grid merge of the window's grids.
    void DataToPdf();

    // Generation ("&Générer le document Cerfa et Quitter"): ends with the window unloaded once the
    // document is saved. When it could not be saved, the user is told why and the window stays
    // open with the sheet; a host that cancelled is not a failure and nothing is said. Before a
    // form is chosen there is nothing to generate: the user is told to choose one first.
    void Command2_Click();

    // Why the document of the last generation was not saved, until a later generation saves one
    // or the work is paused: what a host that waited for the window hears when the user closed it
    // after that. Empty otherwise; each Load starts afresh.
    const std::string& unsavedDocument() const { return unsavedDocument_; }

    // Pause: keeps the sheet in the patient's pause file and closes the window. When the pause
    // file cannot be written (a patient number that cannot name a file, a full disk), the user is
    // told and the window stays open, so nothing typed is lost.
    void Command4_Click();

    // The about button: no tray icon from now on, then the about window, modally.
    void Command1_Click();

private:
    struct Controls;

    void Load();
    void buildControls();

    std::unique_ptr<Controls> controls_;
    std::string patientNumber_;
    bool userEdits_ = false;
    std::string unsavedDocument_;
};

// The one assistant window of the component, created (not loaded) on first use; it lives as long
// as the component is loaded.
Assistant& assistantWindow();

} // namespace formalys::assistant
