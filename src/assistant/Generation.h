#pragma once
// Generation from the mapping grid: writes the data the user corrected back to the exchange file,
// writes every bound cell into its PDF field, computes every other field box by box, saves the
// document under the path the host names (or as "test.pdf" in the component directory when the
// host gave no callback), and closes the assistant.

#include <optional>
#include <string>

namespace formalys::pdf {
class PdfDocument;
}

namespace formalys::grid {
class Sheet;
}

namespace formalys::assistant {

class Assistant;

struct GenerationResult
{
    std::string outputPath;
    bool saved = false;
    std::string failure; // why nothing was saved, in French; empty when saved or cancelled
    bool cancelled = false; // the host answered with an empty name: it wants no document now
};

// Generation as the button runs it. The window closes once the document is saved, and only then:
// when the exchange file cannot be written before the host is asked for a path, or the document
// cannot be written where the host said (a folder that does not exist, a read-only medium, a full
// disk, a file held open), nothing is saved, the window stays loaded with its sheet as the user
// left it, and `failure` says why, naming the path. A host that answers with an empty or blank
// name cancels: nothing is written and the window stays loaded, without a failure.
// With `namedPath`, the caller acts as the host that already knows where the document goes: it is
// written into RESULTAT/FICHIER as the host's answer and the document saved there, without
// calling anyone (the batch road, whose caller is the host).
GenerationResult generateDocument(Assistant& window,
                                  const std::optional<std::string>& namedPath = std::nullopt);

// Steps 5 to 7 of generation: the sheet's placeholder cells written back to the exchange file (the
// file, or the snapshot in use), its bound cells into their fields, and every other field computed
// box by box. The sheet's current cell moves. The reason, in French, when a write of the exchange
// file failed (nothing is put into the document then).
std::optional<std::string> sheetIntoDocument(grid::Sheet& SSData, pdf::PdfDocument& document);

// Whether a check-box cell's text is ticked: the number at the start of the stripped text (0 when
// it does not begin with one) is greater than 0.
bool isTicked(const std::string& text);

} // namespace formalys::assistant
