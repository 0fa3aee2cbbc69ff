#include "assistant/Generation.h"

#include "assistant/Assistant.h"
#include "assistant/GridMerge.h"
#include "assistant/PauseFile.h"
#include "component/ComponentState.h"
#include "exchange/Exchange.h"
#include "exchange/HostNotification.h"
#include "files/FileSystem.h"
#include "forms/BoxComputation.h"
#include "forms/Templates.h"
#include "text/Letters.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace formalys::assistant {

bool isTicked(const std::string& text)
{
    // The number at the start of the text, as a leading-number reader sees it: a sign, digits, a
    // decimal point and more digits. Only whether it is above 0 matters.
    const std::string_view t = text::strip(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    bool nonZeroDigit = false;
    bool dotSeen = false;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '.' && !dotSeen) {
            dotSeen = true;
        } else if (std::isdigit(static_cast<unsigned char>(c)) != 0) {
            nonZeroDigit = nonZeroDigit || c != '0';
        } else {
            break;
        }
    }
    return nonZeroDigit && !negative;
}

std::optional<std::string> sheetIntoDocument(grid::Sheet& SSData, pdf::PdfDocument& document)
{
    std::optional<std::string> failure;

    // 5. Placeholder cells back to the exchange file: every bracketed key, not only the five that
    //    the merge fills. The practitioner's date and identifier go to MEDECIN, the rest to
    //    PATIENT.
    // Only cells that hold something can carry a binding, and they come in walk order: the walk
    // never visits the empty positions of a sheet that declares many rows.
    SSData.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const grid::Cell&) {
        SSData.setCurrentColumn(column);
        SSData.setCurrentRow(row);
        const std::string_view binding = text::strip(SSData.binding());
        if (!failure && !binding.empty() && binding.front() == '[') {
            const std::string key = bracketedKey(SSData.binding());
            const char* section = (key == "DATE" || key == "IDNAT") ? "MEDECIN" : "PATIENT";
            failure = writeExchangeOrExplain(section, key, text::strip(SSData.text()));
        }
    });
    if (failure) {
        return failure;
    }

    // 6. Bound cells into their fields, in walk order: a field bound twice keeps the later text.
    std::string boundNames;
    SSData.forEachNonEmptyCell([&](std::int32_t column, std::int32_t row, const grid::Cell&) {
        SSData.setCurrentColumn(column);
        SSData.setCurrentRow(row);
        const std::string name(text::strip(SSData.binding()));
        if (name.empty() || name.front() == '[') {
            return;
        }
        if (SSData.cellType() == grid::CellType::CheckBox) {
            if (isTicked(SSData.text())) {
                document.SetFieldValue(name, "X");
                document.SetFieldValue(name, "X");
            } else {
                document.SetFieldValue(name, "");
            }
        } else {
            const std::string value(text::strip(SSData.text()));
            document.SetFieldValue(name, value);
            document.SetFieldValue(name, value);
        }
        boundNames += "," + name;
    });
    boundNames += ",";

    // 7. Every other field gets its box, or the empty text.
    const std::int32_t count = std::min(document.FieldCount(), forms::mostFieldsWalked);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string name(text::strip(document.FieldName(i)));
        if (boundNames.find("," + name + ",") == std::string::npos) {
            const std::string box = forms::PDF_Calc_One(name);
            document.SetFieldValue(name, box);
            document.SetFieldValue(name, box);
        }
    }
    return std::nullopt;
}

GenerationResult generateDocument(Assistant& window, const std::optional<std::string>& namedPath)
{
    ComponentState& state = ComponentState::instance();
    grid::Sheet& SSData = window.SSData();
    pdf::PdfDocument& document = window.PDFDocument1();
    const std::string patient(text::strip(window.patientNumber()));

    // What generation writes before it asks the host for a path must be on disk: otherwise the
    // host reads a stale title, patient number or path, and the document of this patient could
    // be saved over another patient's. The first write that fails stops generation before
    // anything is saved, and the window stays open with the sheet as the user left it.
    std::optional<std::string> failure;
    const auto write = [&failure](std::string_view section, std::string_view key,
                                  std::string_view value) {
        if (!failure) {
            failure = writeExchangeOrExplain(section, key, value);
        }
    };
    const auto stopped = [&failure](std::string outputPath) {
        return GenerationResult{std::move(outputPath), false,
                                *failure + " ; aucun document n'a été enregistré"};
    };

    // 1. The patient's paused work is discarded, whatever happens later.
    deletePauseFile(patient);
    // 2. The test document, unless the host names another path.
    std::string outputPath = files::joinPath(componentDirectory(), "test.pdf");
    // 3, 4. What the host needs to know before it names the path.
    write("RESULTAT", "TITRE", window.Combo1().text());
    write("RESULTAT", "NUMPA", patient);

    // 5 to 7. The sheet into the exchange file and the document.
    if (!failure) {
        failure = sheetIntoDocument(SSData, document);
    }
    if (failure) {
        return stopped(outputPath);
    }

    // 8 to 10. Save under the path the host names, if it gave a callback.
    document.setProperty245(false);
    document.setProperty237(true);
    if (namedPath) {
        // The caller is the host and knows the path already: RESULTAT/FICHIER holds it, as if
        // its callback had written it, and no one waits for it.
        write("RESULTAT", "FICHIER", *namedPath);
        outputPath = *namedPath;
    }
    if (namedPath || !state.hostCallback) {
        // No handshake to put the exchange file on disk: it must be there before the save all
        // the same.
        if (!failure) {
            failure = settleExchange();
        }
        if (failure) {
            return stopped(outputPath);
        }
    } else {
        HostAnswer answer = askHostForPath();
        if (!answer.failure.empty()) {
            failure = std::move(answer.failure);
            return stopped(outputPath);
        }
        if (text::strip(answer.path).empty()) {
            GenerationResult cancelled{outputPath, false, {}};
            cancelled.cancelled = true;
            return cancelled;
        }
        outputPath = std::move(answer.path);
    }
    if (auto unsaved = document.saveDocumentOrExplain(outputPath)) {
        return {outputPath, false, std::move(*unsaved)};
    }

    // 11. The window closes.
    window.Unload();
    return {outputPath, true, {}};
}

} // namespace formalys::assistant
