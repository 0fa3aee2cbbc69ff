#include "formalys/SHPDF.h"

#include "api/Operations.h"
#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "forms/Form2035.h"

namespace formalys {

std::string operations::showAssistant(bool modal)
{
    if (!ComponentState::instance().windows->showAssistant(modal)) {
        return "la fenêtre n'a pas pu s'ouvrir";
    }
    if (modal && !assistant::assistantWindow().unsavedDocument().empty()) {
        return "la fenêtre a été fermée sans que le document soit enregistré : " +
               assistant::assistantWindow().unsavedDocument();
    }
    return {};
}

bool operations::showAbout(SHPDF& object)
{
    if (!ComponentState::instance().tray.showAbout()) {
        return false;
    }
    object.setTheData("Yes My Friend");
    return true;
}

std::string operations::fill2035()
{
    return forms::fillForm2035([]() -> pdf::PdfDocument& {
               return assistant::assistantWindow().PDFDocument1();
           }).value_or("");
}

void SHPDF::CerfaInit(const std::string& APath, std::int16_t Alone, HostCallback ACallBack)
{
    ComponentState& state = ComponentState::instance();
    state.setApplicationDirectory(APath);
    state.alone = Alone;
    state.hostCallback = std::move(ACallBack);
}

void SHPDF::CerfaAssistant()
{
    operations::showAssistant(true);
}

void SHPDF::CerfaMenuPatient()
{
    operations::showAssistant(false);
}

void SHPDF::CerfaQuit()
{
    ComponentState::instance().tray.unload();
}

void SHPDF::CerfaAbout()
{
    operations::showAbout(*this);
}

void SHPDF::CerfaTest()
{
    ComponentState::instance().messageBox->show("Ok", "Information",
                                                MessageBoxPort::Icon::Information);
}

void SHPDF::Cerfa2035()
{
    operations::fill2035();
}

} // namespace formalys
