#include "support/AppFixture.h"

#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "formalys/SHPDF.h"

#include <filesystem>

namespace formalys::testing {

void AppFixture::SetUp()
{
    ComponentState::instance().reset();
    SHPDF().CerfaInit(dir.path());
    window().Unload(); // closed, as at the start of a process
    state().messageBox = messages;
    state().trayMenu = tray;
    state().clock = std::make_shared<FixedClock>(
        std::chrono::year_month_day{std::chrono::year{2008}, std::chrono::March, std::chrono::day{5}});
    takeWarnings();
}

void AppFixture::TearDown()
{
    ComponentState::instance().reset();
}

void AppFixture::writeExchange(const std::string& content)
{
    writeBytes(dir.file("Formalys.ini"), content);
}

std::string AppFixture::exchangeText() const
{
    return readBytes(dir.file("Formalys.ini"));
}

void AppFixture::installShippedForms() const
{
    for (const char* folder : {FORMALYS_FORMS_DIR, FORMALYS_GRIDS_DIR}) {
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            std::filesystem::copy(entry.path(), dir.file(entry.path().filename()));
        }
    }
}

void AppFixture::hostNames(const std::string& output)
{
    state().hostCallback = [output](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        WriteExchange("RESULTAT", "FICHIER", output);
        return 0;
    };
}

} // namespace formalys::testing
