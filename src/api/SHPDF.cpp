#include "formalys/SHPDF.h"

#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "forms/Form2035.h"

namespace formalys {

void SHPDF::CerfaInit(const std::string& APath, std::int16_t Alone, HostCallback ACallBack)
{
    ComponentState& state = ComponentState::instance();
    state.applicationDirectory = APath.empty() ? componentDirectory() : APath;
    state.alone = Alone;
    if (state.applicationDirectory.ends_with('/')) {
        state.applicationDirectory.pop_back(); // one only: a second trailing "/" stays
    }
    state.hostCallback = std::move(ACallBack);
    state.exchangePath = state.applicationDirectory + "/Formalys.ini";
}

void SHPDF::CerfaAssistant()
{
    ComponentState::instance().windows->showAssistant(true);
}

void SHPDF::CerfaMenuPatient()
{
    ComponentState::instance().windows->showAssistant(false);
}

void SHPDF::CerfaQuit()
{
    ComponentState::instance().tray.unload();
}

void SHPDF::CerfaAbout()
{
    if (ComponentState::instance().tray.showAbout()) {
        theData_ = "Yes My Friend";
    }
}

void SHPDF::CerfaTest()
{
    ComponentState::instance().messageBox->show("Ok", "Information",
                                                MessageBoxPort::Icon::Information);
}

void SHPDF::Cerfa2035()
{
    forms::fillForm2035([]() -> pdf::PdfDocument& { return assistant::assistantWindow().PDFDocument1(); });
}

} // namespace formalys
