#include "component/WindowPort.h"

#include "component/Warnings.h"

namespace formalys {

bool HeadlessWindows::showAssistant(bool)
{
    reportWarning(
        "La bibliothèque des fenêtres n'est pas chargée : l'assistant ne peut pas s'ouvrir.");
    return false;
}

bool HeadlessWindows::processEvents(int)
{
    return false;
}

} // namespace formalys
