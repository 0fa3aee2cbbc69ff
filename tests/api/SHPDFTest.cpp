// The operations of SHPDF as a host calls them: CerfaInit sets the process-wide state, CerfaTest
// shows its message, Cerfa2035 fills form 2035 into the current directory.
#include "formalys/SHPDF.h"

#include "support/AppFixture.h"
#include "support/PdfReadBack.h"
#include "support/TestForm.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <qpdf/QPDFWriter.hh>
#include <unistd.h>

using namespace formalys;
using namespace formalys::testing;
namespace fs = std::filesystem;

namespace {

class SHPDFTest : public AppFixture
{
protected:
    // Runs form 2035 with the current directory in `work`; returns the path of what it saves.
    std::string run2035()
    {
        const fs::path before = fs::current_path();
        fs::current_path(work.path());
        SHPDF().Cerfa2035();
        fs::current_path(before);
        return work.file("2035Ok.pdf");
    }

    TempDir work;
};

TEST_F(SHPDFTest, CerfaInitRemovesOneTrailingSeparatorOnly)
{
    for (const auto& [given, directory] : {std::pair{"/srv/cabinet/", "/srv/cabinet"},
                                           {"/srv/cabinet", "/srv/cabinet"},
                                           {"/srv/cabinet//", "/srv/cabinet/"},
                                           {"/", ""},
                                           {"relatif/", "relatif"},
                                           {"/srv/Cabinet Médical", "/srv/Cabinet Médical"}}) {
        SHPDF().CerfaInit(given);
        EXPECT_EQ(state().applicationDirectory, directory) << given;
        EXPECT_EQ(state().exchangePath, std::string(directory) + "/Formalys.ini") << given;
    }
    char exe[4096] = {};
    ASSERT_GT(::readlink("/proc/self/exe", exe, sizeof exe - 1), 0);
    SHPDF().CerfaInit(); // the component is linked into the test program: its directory
    EXPECT_EQ(state().applicationDirectory, fs::path(exe).parent_path().string());
}

TEST_F(SHPDFTest, ALaterCerfaInitOnAnyObjectReplacesEverything)
{
    int calls = 0;
    SHPDF first;
    first.CerfaInit(
        "/a", -1, [&](std::int32_t, std::int32_t, std::int32_t, std::int32_t) { return ++calls; });
    EXPECT_EQ(state().alone, -1);
    state().hostCallback(1, 2, 3, 4);
    EXPECT_EQ(calls, 1);
    SHPDF second;
    second.CerfaInit("/b", 1);
    EXPECT_EQ(state().applicationDirectory, "/b");
    EXPECT_EQ(state().alone, 1);
    EXPECT_FALSE(state().hostCallback);
    first.setTheData("x");
    EXPECT_EQ(second.TheData(), "");
    second.CerfaTest();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Ok");
    EXPECT_EQ(messages->shown[0].title, "Information");
    EXPECT_EQ(messages->shown[0].icon, MessageBoxPort::Icon::Information);
}

// Each field whose stripped name is a key of [2035] with a value takes it; the others, and the
// names that cannot be keys, keep the template's content. Using the assistant's document loads the
// assistant, whose Load discards another patient's paused work.
TEST_F(SHPDFTest, Cerfa2035FillsTheFieldsNamedInItsSection)
{
    writeTemplate(dir.file("2035.pdf"),
                  {textField("a=b", "modèle 1"), textField("[x", "modèle 2"),
                   textField(";y", "modèle 3"), textField("AA"), textField(" BB ", "modèle 4"),
                   textField("NOM", "modèle 5"), checkBoxField("AK")});
    writeExchange("[PATIENT]\nNUMPA=13\n[RESULTAT]\nLASTNUMPA=12\n[2035]\na=b=valeur\n"
                  "[x=valeur\n;y=valeur\nAA=123 456\nBB=  \nnom=Béranger Cécile\nAK=X\n");
    writeBytes(dir.file("12.ss"), "{}");
    PdfReadBack pdf(run2035());
    EXPECT_EQ(pdf.value("a=b"), "modèle 1");
    EXPECT_EQ(pdf.value("[x"), "modèle 2");
    EXPECT_EQ(pdf.value(";y"), "modèle 3");
    EXPECT_EQ(pdf.value("AA"), "123 456");
    EXPECT_EQ(pdf.value(" BB "), "modèle 4");
    EXPECT_EQ(pdf.value("NOM"), "Béranger Cécile");
    EXPECT_EQ(pdf.value("AK"), "Oui");
    EXPECT_FALSE(fs::exists(dir.file("12.ss")));
    EXPECT_TRUE(window().isLoaded());
    EXPECT_TRUE(messages->shown.empty());
}

TEST_F(SHPDFTest, AMissingOrOwnerLockedTemplate)
{
    writeExchange("[PATIENT]\nNUMPA=13\n[RESULTAT]\nLASTNUMPA=12\n[2035]\nAA=1\n");
    writeBytes(dir.file("12.ss"), "{}");
    run2035();
    ASSERT_EQ(messages->shown.size(), 1u);
    EXPECT_EQ(messages->shown[0].text, "Le fichier <2035.pdf> de référence est introuvable !");
    EXPECT_EQ(messages->shown[0].title, "Pb d'installation");
    EXPECT_FALSE(fs::exists(work.file("2035Ok.pdf")));
    EXPECT_FALSE(window().isLoaded()) << "no template: the assistant is left alone";
    EXPECT_TRUE(fs::exists(dir.file("12.ss")));

    TestForm form; // an owner password only: filled and saved readable
    form.text("AA", {30, 700, 150, 20});
    const std::string path = dir.file("2035.pdf");
    QPDFWriter writer(form.pdf(), path.c_str());
    writer.setR6EncryptionParameters("", "propriétaire", true, true, true, true, true, true,
                                     qpdf_r3p_full, true);
    writer.write();
    EXPECT_EQ(PdfReadBack(run2035()).value("AA"), "1");
}

} // namespace
