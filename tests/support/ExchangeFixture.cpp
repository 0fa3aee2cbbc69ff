#include "support/ExchangeFixture.h"

#include "assistant/Assistant.h"
#include "component/Warnings.h"
#include "exchange/Exchange.h"
#include "formalys/SHPDF.h"
#include "support/Files.h"

namespace formalys::testing {

void ExchangeFixture::SetUp()
{
    ComponentState::instance().reset();
    SHPDF().CerfaInit(dir.path());
    assistant::assistantWindow().Unload(); // closed, as at the start of a process
    state().messageBox = messages;
    state().trayMenu = tray;
    state().clock = std::make_shared<FixedClock>(std::chrono::year_month_day{
        std::chrono::year{2008}, std::chrono::March, std::chrono::day{5}});
    takeWarnings();
}

void ExchangeFixture::TearDown()
{
    ComponentState::instance().reset();
}

void ExchangeFixture::writeExchange(const std::string& content)
{
    writeBytes(dir.file("Formalys.ini"), content);
}

void ExchangeFixture::hostNames(const std::string& output)
{
    state().hostCallback = [output](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
        WriteExchange("RESULTAT", "FICHIER", output);
        return 0;
    };
}

std::string ExchangeFixture::exchangeText() const
{
    return readBytes(dir.file("Formalys.ini"));
}

} // namespace formalys::testing
