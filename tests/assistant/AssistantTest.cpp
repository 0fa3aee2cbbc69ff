// The assistant window's own steps: Load with its pause files, the form list, the fills' dispatch.
#include "assistant/Assistant.h"

#include "assistant/PauseFile.h"
#include "component/Warnings.h"
#include "support/ExchangeFixture.h"
#include "support/Files.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace formalys;
using namespace formalys::assistant;
using formalys::testing::writeBytes;

namespace {

class AssistantTest : public formalys::testing::ExchangeFixture
{
protected:
    Assistant& window() { return assistant::assistantWindow(); }
    bool exists(const std::string& name) { return std::filesystem::exists(dir.file(name)); }
};

TEST_F(AssistantTest, LoadListsTheFourFormsWithoutSelection)
{
    window().ensureLoaded();
    FormList& list = window().Combo1();
    ASSERT_EQ(list.count(), 4);
    EXPECT_EQ(list.entry(0), "Déclaration Médecin Traitant");
    EXPECT_EQ(list.entry(1), "Demande d'Entente Préalable AT/MP");
    EXPECT_EQ(list.entry(2), "Protocole de Soins (PIRES)");
    EXPECT_EQ(list.entry(3), "Démarche Soins Infirmiers (DSI)");
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(window().patientNumber(), "0");
    EXPECT_EQ(window().SSData().columnTitle(1), "Champ");
    EXPECT_EQ(window().SSData().columnTitle(2), "Valeur");
    EXPECT_FALSE(window().SSPdfView().visible);
}

TEST_F(AssistantTest, LoadForAnotherPatientDiscardsThePausedWork)
{
    writeExchange("[PATIENT]\nNUMPA=13\n[RESULTAT]\nLASTNUMPA=12\n");
    writeBytes(dir.file("12.ss"), "{}");
    writeBytes(dir.file("13.ss"), "{}");
    window().ensureLoaded();
    EXPECT_FALSE(exists("12.ss"));
    EXPECT_TRUE(exists("13.ss"));
    EXPECT_EQ(window().Combo1().selectedIndex(), -1);
}

TEST_F(AssistantTest, LoadClearsThePauseFlagAndHidesTheResumeItem)
{
    state().pauseFlag = flagTrue;
    tray->resumeItemShown = true;
    window().ensureLoaded();
    EXPECT_EQ(state().pauseFlag, flagFalse);
    EXPECT_FALSE(tray->resumeItemShown);
}

TEST_F(AssistantTest, CloseDiscardsTheCurrentPatientsPauseFileUnlessPaused)
{
    writeExchange("[PATIENT]\nNUMPA= 12 \n[RESULTAT]\nLASTNUMPA=11\n");
    window().ensureLoaded();
    writeBytes(dir.file("12.ss"), "{}");
    window().Unload();
    EXPECT_FALSE(exists("12.ss"));
    EXPECT_FALSE(window().isLoaded());

    window().ensureLoaded();
    writeBytes(dir.file("12.ss"), "{}");
    state().pauseFlag = flagTrue;
    window().Unload();
    EXPECT_TRUE(exists("12.ss"));
}

TEST_F(AssistantTest, ChoosingAFormWritesItsTitleAndAMissingTemplateSaysSo)
{
    window().ensureLoaded();
    window().SSData().setRowCount(3);
    window().SSData().setCell(1, 1, {"Nom", "", CellType::Caption, {}});
    const Sheet before = window().SSData();
    window().Combo1().select(3);
    EXPECT_NE(exchangeText().find("TITRE=Démarche Soins Infirmiers (DSI)"), std::string::npos);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Le fichier <DSI> de référence est introuvable !");
    EXPECT_EQ(messages->shown[0].title, "Pb d'installation");
    EXPECT_EQ(messages->shown[0].icon, MessageBoxPort::Icon::Critical);
    EXPECT_EQ(window().SSData(), before);
    EXPECT_TRUE(window().SSDataView().visible);
}

TEST_F(AssistantTest, ATemplateThatIsADirectoryCountsAsMissing)
{
    std::filesystem::create_directory(dir.file("MT.pdf"));
    window().ChargeCerfaPatient(0);
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Le fichier <MT> de référence est introuvable !");
}

TEST_F(AssistantTest, AnIndexOutsideTheListRunsNoFill)
{
    window().ChargeCerfaPatient(4);
    window().ChargeCerfaPatient(-1);
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(AssistantTest, SetIndexSelectsTheFirstEntryBeginningWithTheText)
{
    FormList list;
    list.setEntries({"Déclaration Médecin Traitant", "Demande d'Entente Préalable AT/MP",
                     "Protocole de Soins (PIRES)"});
    std::vector<std::int16_t> clicks;
    list.onClick = [&](std::int16_t index) { clicks.push_back(index); };

    Assistant::SetIndex("Protocole", list);
    EXPECT_EQ(list.selectedIndex(), 2);
    Assistant::SetIndex("protocole", list); // letter case counts: selection stays
    EXPECT_EQ(list.selectedIndex(), 2);
    Assistant::SetIndex("De", list); // the first one that begins with it
    EXPECT_EQ(list.selectedIndex(), 1);
    Assistant::SetIndex("", list);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(clicks, (std::vector<std::int16_t>{2, 1, 0}));
}

struct PatientNumberCase
{
    const char* number;
    const char* pauseFile; // nullptr: refused
};

TEST_F(AssistantTest, APatientNumberThatCouldNameAnotherFileNamesNoPauseFile)
{
    const std::string longNumber(300, '9');
    const PatientNumberCase cases[] = {
        {"12", "12.ss"},
        {" 12 ", "12.ss"},
        {"DUPONT-é", "DUPONT-é.ss"},
        {"../12", nullptr},
        {"a/b", nullptr},
        {"..", nullptr},
        {".", nullptr},
        {"", nullptr},
        {"  ", nullptr},
        {longNumber.c_str(), nullptr},
    };
    for (const auto& c : cases) {
        const auto path = pauseFilePath(c.number);
        if (c.pauseFile == nullptr) {
            EXPECT_FALSE(path) << c.number;
        } else {
            ASSERT_TRUE(path) << c.number;
            EXPECT_EQ(*path, dir.file(c.pauseFile));
        }
    }
    EXPECT_FALSE(pauseFilePath(std::string("1\0/x", 4)));
}

TEST_F(AssistantTest, LoadNeverDeletesOutsideTheApplicationDirectory)
{
    const std::string outside = dir.file("outside.ss");
    std::filesystem::create_directory(dir.file("app"));
    state().applicationDirectory = dir.file("app");
    state().exchangePath = dir.file("app/Formalys.ini");
    writeBytes(outside, "{}");
    writeBytes(dir.file("app/Formalys.ini"),
               "[PATIENT]\nNUMPA=x\n[RESULTAT]\nLASTNUMPA=../outside\n");
    window().ensureLoaded();
    window().Unload();
    EXPECT_TRUE(std::filesystem::exists(outside));
}

} // namespace
