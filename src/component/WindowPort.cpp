#include "component/WindowPort.h"

#include "component/Warnings.h"

namespace formalys {

void HeadlessWindows::showAssistant(bool)
{
    reportWarning(
        "La bibliothèque des fenêtres n'est pas chargée : l'assistant ne peut pas s'ouvrir.");
}

} // namespace formalys
