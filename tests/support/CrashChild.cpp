// A worker that a crash test kills at a random moment: it generates a document, or pauses the
// assistant, over and over in the application directory DIR, alternating between two patient names
// so that each file it writes differs from the one before.   formalys_crash_child generate|pause DIR
#include "assistant/Assistant.h"
#include "assistant/WindowlessRun.h"
#include "exchange/Exchange.h"
#include "formalys/SHPDF.h"

#include <string>

int main(int argc, char** argv)
{
    using namespace formalys;
    if (argc != 3) { return 2; }
    const std::string mode = argv[1], directory = argv[2];
    SHPDF().CerfaInit(directory);
    assistant::Assistant& window = assistant::assistantWindow();
    for (unsigned round = 0;; ++round) {
        const char* name = round % 2 == 0 ? "Lefèvre" : "Martin";
        if (mode == "generate") {
            WriteExchange("PATIENT", "NOM", name);
            assistant::generateWithoutWindow(0, std::nullopt, directory + "/document.pdf");
        } else {
            window.Combo1().select(0); // after the first round, the paused sheet came back
            window.SSData().setCell(2, 1, {name, "", grid::CellType::Edit, {}});
            window.Command4_Click();
        }
    }
}
