#include "cli/HandOver.h"

#include "cli/ExitCode.h"
#include "cli/Warnings.h"

namespace formalys::cli {

// The windows of Formalys on Windows come with formalys.dll, in the host's process: this program
// has none to open.
int handOverToWindowsProgram(const char* const*, std::ostream& err)
{
    printFailure(err, "les fenêtres de Formalys s'ouvrent depuis l'application hôte sous Windows, "
                      "pas depuis formalys.exe");
    return exitFailed;
}

} // namespace formalys::cli
