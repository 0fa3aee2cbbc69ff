// Grid files on disk: a saved sheet loads back identical, Unicode and all; every file that cannot
// be trusted is refused as a whole with a French reason and leaves the sheet as it was; a save
// never leaves half a file.
#include "assistant/GridFile.h"

#include "component/Warnings.h"
#include "support/Files.h"
#include "support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace formalys;
using namespace formalys::assistant;
using formalys::testing::readBytes;
using formalys::testing::TempDir;
using formalys::testing::writeBytes;

namespace {

// A sheet that uses everything a grid file holds.
Sheet everythingSheet()
{
    Sheet sheet;
    sheet.setColumnCount(4);
    sheet.setRowCount(500);
    sheet.setColumnTitle(1, "");
    sheet.setColumnTitle(2, "Valeur « corrigée »");
    sheet.setColumnTitle(4, "Aide");
    sheet.setColumnWidth(1, 4200);
    sheet.setColumnWidth(4, 1);
    sheet.setRowHeight(1, 450);
    sheet.setRowHeight(500, 2'000'000'000);
    sheet.addSpan({1, 1, 4, 1});
    sheet.addSpan({3, 499, 2, 2});

    Cell title{"Déclaration de choix du médecin traitant", "", CellType::Caption, {}};
    title.style = {true, Alignment::Center, "#D9E2F3", true};
    sheet.setCell(1, 1, title);
    const std::string texts[] = {
        "  Lyon  ",                // blanks at both ends
        "ligne 1\nligne 2\r\nfin", // line breaks of both kinds
        "œ€«»–é É ÿ Ÿ ç",          // the Windows-1252 repertoire
        "🩺 Ω Ł 中文",       // beyond it
        "tab\there \"guillemets\" \\ barre",
        std::string("nul\0au milieu", 13),
        " ",
        "\xEF\xBB\xBF"
        "BOM en tête",
    };
    std::int32_t row = 2;
    for (const auto& text : texts) {
        sheet.setCell(2, row++, {text, "", CellType::Edit, {}});
    }
    sheet.setCell(2, 20, {"1", "ben assuré", CellType::CheckBox, {}});
    sheet.setCell(2, 21, {"", " nom ", CellType::Edit, {}});
    sheet.setCell(2, 22, {"", "num iden med5", CellType::Edit, {}});
    sheet.setCell(2, 23, {"01/01/2024", " [DATE]", CellType::Edit, {}});
    Cell right{"droite", "", CellType::Caption, {}};
    right.style.alignment = Alignment::Right;
    right.style.background = "#abcdef";
    sheet.setCell(3, 23, right);
    Cell blankButColoured;
    blankButColoured.style.background = "#FFFFFF";
    sheet.setCell(4, 500, blankButColoured);
    return sheet;
}

class GridFileTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    // Loads `path` into a sheet that already holds something, and checks the all-or-nothing rule:
    // either the sheet is replaced, or it is left as it was and the reason is a warning.
    void expectRefused(const std::string& path, const std::string& reasonPart)
    {
        Sheet sheet = everythingSheet();
        const GridLoad load = loadGridFile(path);
        EXPECT_FALSE(load.accepted());
        EXPECT_NE(load.reason.find(reasonPart), std::string::npos) << load.reason;
        EXPECT_NE(load.reason.find(path), std::string::npos) << "the reason names the file";

        EXPECT_FALSE(LoadGridFile(sheet, path));
        EXPECT_EQ(sheet, everythingSheet()) << "a refused file leaves the sheet as it was";
        const auto warnings = takeWarnings();
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0], load.reason);
    }

    TempDir dir;
};

// What is saved loads back identical, cell by cell, and saving again gives the same bytes.
TEST_F(GridFileTest, SavedSheetLoadsBackIdentical)
{
    const Sheet sheet = everythingSheet();
    ASSERT_TRUE(saveGridFile(sheet, dir.file("patient.ss")));
    Sheet loaded;
    ASSERT_TRUE(LoadGridFile(loaded, dir.file("patient.ss")));
    EXPECT_EQ(loaded, sheet);
    EXPECT_EQ(loaded.cell(2, 7).text, std::string("nul\0au milieu", 13));
    EXPECT_EQ(loaded.cell(2, 3).text, "ligne 1\nligne 2\r\nfin");
    EXPECT_EQ(loaded.columnTitle(1), "") << "the designed title does not come back";

    ASSERT_TRUE(saveGridFile(loaded, dir.file("again.ss")));
    EXPECT_EQ(readBytes(dir.file("again.ss")), readBytes(dir.file("patient.ss")));
    EXPECT_TRUE(takeWarnings().empty());
}

// The smallest sheets survive too: no column, no row.
TEST_F(GridFileTest, EmptySheetsRoundTrip)
{
    for (const auto& [columns, rows] : {std::pair{0, 0}, std::pair{2, 0}, std::pair{0, 7}}) {
        Sheet sheet;
        sheet.setColumnCount(columns);
        sheet.setRowCount(rows);
        ASSERT_TRUE(saveGridFile(sheet, dir.file("empty.cil")));
        const GridLoad load = loadGridFile(dir.file("empty.cil"));
        ASSERT_TRUE(load.accepted()) << load.reason;
        EXPECT_EQ(*load.sheet, sheet) << columns << " x " << rows;
    }
}

// A text that is not valid UTF-8 (typed bytes from an 8-bit source) is saved with U+FFFD in
// place of each bad byte rather than crashing or writing a file that cannot be read back.
TEST_F(GridFileTest, InvalidUtf8IsReplacedOnSave)
{
    Sheet sheet;
    sheet.setRowCount(1);
    sheet.setCell(2, 1, {"Andr\xE9 \xFF", "pr\xE9nom", CellType::Edit, {}});
    ASSERT_TRUE(saveGridFile(sheet, dir.file("bad.ss")));
    const GridLoad load = loadGridFile(dir.file("bad.ss"));
    ASSERT_TRUE(load.accepted()) << load.reason;
    EXPECT_EQ(load.sheet->cell(2, 1).text, "Andr\uFFFD \uFFFD");
    EXPECT_EQ(load.sheet->cell(2, 1).binding, "pr\uFFFDnom");
}

// A hand-written file may leave out what has a default; the layout it gives is kept.
TEST_F(GridFileTest, ReadsAMinimalHandWrittenFile)
{
    writeBytes(dir.file("MT.cil"), R"({
  "format": "formalys-grid", "version": 1, "columnCount": 3, "rowCount": 2,
  "cells": [
    {"column": 2, "row": 1, "binding": "nom"},
    {"column": 2, "row": 2, "text": "0", "binding": "ben assuré", "type": "checkBox",
     "style": {}}
  ]
})");
    Sheet sheet = everythingSheet();
    ASSERT_TRUE(LoadGridFile(sheet, dir.file("MT.cil")));
    EXPECT_EQ(sheet.columnCount(), 3);
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.columnTitle(1), "") << "no titles but the file's";
    EXPECT_EQ(sheet.columnWidth(1), 0);
    EXPECT_TRUE(sheet.spans().empty());
    EXPECT_EQ(sheet.cell(2, 1), (Cell{"", "nom", CellType::Edit, {}}));
    EXPECT_EQ(sheet.cell(2, 2), (Cell{"0", "ben assuré", CellType::CheckBox, {}}));
}

// A grid edited on Windows may start with a byte-order mark and end its lines with CRLF.
TEST_F(GridFileTest, AcceptsAByteOrderMarkAndCrlfLineEndings)
{
    writeBytes(dir.file("DSI.cil"),
               "\xEF\xBB\xBF{\r\n\"format\": \"formalys-grid\",\r\n\"version\": 1,\r\n"
               "\"columnCount\": 2, \"rowCount\": 1,\r\n\"cells\": [{\"column\": 1, "
               "\"row\": 1, \"text\": \"Démarche\"}]\r\n}\r\n");
    const GridLoad load = loadGridFile(dir.file("DSI.cil"));
    ASSERT_TRUE(load.accepted()) << load.reason;
    EXPECT_EQ(load.sheet->cell(1, 1).text, "Démarche");
}

struct RefusedCase
{
    const char* what;
    std::string content;
    std::string reasonPart;
};

std::ostream& operator<<(std::ostream& os, const RefusedCase& c)
{
    return os << c.what;
}

// A valid file of 3 columns and 4 rows with `cells` (and any extra top-level members) spliced in.
std::string grid(const std::string& extra, const std::string& cells = "[]")
{
    return R"({"format": "formalys-grid", "version": 1, "columnCount": 3, "rowCount": 4, )" +
           extra + R"("cells": )" + cells + "}";
}

std::string oneCell(const std::string& members)
{
    return grid("", "[{" + members + "}]");
}

class GridFileRefusalTest : public GridFileTest, public ::testing::WithParamInterface<RefusedCase>
{};

TEST_P(GridFileRefusalTest, RefusesTheWholeFileWithAReason)
{
    writeBytes(dir.file("grille.cil"), GetParam().content);
    expectRefused(dir.file("grille.cil"), GetParam().reasonPart);
}

const RefusedCase refusedCases[] = {
    // Not JSON, or not whole.
    {"empty file", "", "vide"},
    {"cut in a string", grid("").substr(0, 30), "tronqué"},
    {"cut before the last brace", grid("").substr(0, grid("").size() - 1), "tronqué"},
    {"trailing garbage", grid("") + " }", "JSON valide (ligne 1, colonne"},
    {"error on line 3", "{\n\"format\": \"formalys-grid\",\n  oops}", "ligne 3, colonne 3"},
    {"invalid UTF-8", "{\"format\": \"formalys-grid\", \"x\": \"\xC3(\"}",
     "UTF-8 valide (octet 35)"},
    {"Windows-1252 accent", "{\"text\": \"pr\xE9nom\"}", "UTF-8"},
    // Not ours, or not this version.
    {"an array", "[]", "n'est pas un objet"},
    {"no format", R"({"version": 1, "columnCount": 2, "rowCount": 0})", "pas un fichier de grille"},
    {"another format", R"({"format": "spreadgrid", "version": 1})", "pas un fichier de grille"},
    {"newer version", R"({"format": "formalys-grid", "version": 2, "sheets": []})",
     "version 2, plus récent"},
    {"far newer version",
     R"({"format": "formalys-grid", "version": 18446744073709551615, "columnCount": 3})",
     "version 18446744073709551615"},
    {"version 0", R"({"format": "formalys-grid", "version": 0})", "version de format inconnue (0)"},
    {"version as text", R"({"format": "formalys-grid", "version": "1"})", "« version »"},
    // Sizes.
    {"no row count", R"({"format": "formalys-grid", "version": 1, "columnCount": 3})",
     "la clé « rowCount » manque"},
    {"negative row count", R"({"format": "formalys-grid", "version": 1, "columnCount": 3,
     "rowCount": -1})",
     "« rowCount » doit être compris entre 0 et 100000 (c'est -1)"},
    {"huge row count", R"({"format": "formalys-grid", "version": 1, "columnCount": 3,
     "rowCount": 4000000000})",
     "entre 0 et 100000 (c'est 4000000000)"},
    {"row count beyond 64 bits", R"({"format": "formalys-grid", "version": 1, "columnCount": 3,
     "rowCount": 1e30})",
     "« rowCount » doit être un nombre entier (c'est un nombre à virgule)"},
    {"one column too many", R"({"format": "formalys-grid", "version": 1, "columnCount": 1001,
     "rowCount": 1})",
     "entre 0 et 1000"},
    // Keys.
    {"misspelt top-level key", grid(R"("cels": [], )"), "clé inconnue « cels »"},
    {"misspelt cell key", oneCell(R"("column": 2, "row": 1, "bindng": "nom")"),
     "clé inconnue « bindng » dans la cellule n° 1"},
    {"key given twice", oneCell(R"("column": 2, "row": 1, "binding": "nom", "binding": "prénom")"),
     "la clé « binding » apparaît deux fois"},
    // Types.
    {"cells not an array", grid("", "{}"), "« cells » doit être un tableau (c'est un objet)"},
    {"cell not an object", grid("", "[1]"), "la cellule n° 1 doit être un objet"},
    {"text as a number", oneCell(R"("column": 2, "row": 1, "text": 12)"),
     "« text » de la cellule n° 1 doit être un texte (c'est un nombre entier)"},
    {"type as its code", oneCell(R"("column": 2, "row": 1, "type": 10)"),
     "« type » de la cellule n° 1 doit être un texte"},
    {"unknown type", oneCell(R"("column": 2, "row": 1, "type": "checkbox")"),
     "type de cellule inconnu « checkbox » pour la cellule n° 1 (colonne 2, ligne 1"},
    {"bold as text", oneCell(R"("column": 2, "row": 1, "style": {"bold": "oui"})"),
     "« bold » de la mise en forme de la cellule n° 1 doit être un booléen"},
    {"unknown alignment", oneCell(R"("column": 2, "row": 1, "style": {"alignment": "justify"})"),
     "alignement inconnu « justify »"},
    {"colour by name", oneCell(R"("column": 2, "row": 1, "style": {"background": "red"})"),
     "couleur « #RRVVBB »"},
    {"colour not hexadecimal",
     oneCell(R"("column": 2, "row": 1, "style": {"background": "#GGGGGG"})"), "couleur"},
    // Positions.
    {"cell beyond the last column", oneCell(R"("column": 4, "row": 1)"),
     "« column » de la cellule n° 1 doit être compris entre 1 et 3 (c'est 4)"},
    {"row 0", oneCell(R"("column": 1, "row": 0)"), "(c'est 0)"},
    {"cell without a row", oneCell(R"("column": 1)"), "la clé « row » manque dans la cellule n° 1"},
    {"cell given twice",
     grid("", R"([{"column": 2, "row": 1, "text": "a"}, {"column": 2, "row": 1, "text": "b"}])"),
     "la cellule colonne 2, ligne 1 est décrite deux fois"},
    {"span too wide", grid(R"("spans": [{"column": 2, "row": 1, "columns": 3, "rows": 1}], )"),
     "« columns » de la fusion n° 1 de « spans » doit être compris entre 1 et 2"},
    {"column described twice",
     grid(R"("columns": [{"column": 1, "width": 10}, {"column": 1, "title": "x"}], )"),
     "la colonne 1 est décrite deux fois"},
    {"title of a missing column", grid(R"("columns": [{"column": 4, "title": "Aide"}], )"),
     "« column » de la colonne n° 1 de « columns »"},
    {"negative width", grid(R"("columns": [{"column": 1, "width": -15}], )"), "« width »"},
};

INSTANTIATE_TEST_SUITE_P(BadFiles, GridFileRefusalTest, ::testing::ValuesIn(refusedCases));

// Whatever the byte at which a file being written is cut, it is refused, never half-loaded.
TEST_F(GridFileTest, EveryTruncationIsRefused)
{
    ASSERT_TRUE(saveGridFile(everythingSheet(), dir.file("full.ss")));
    const std::string full = readBytes(dir.file("full.ss"));
    for (std::size_t length = 0; length + 2 < full.size(); length += 7) {
        const GridLoad load = gridFromText(std::string_view(full).substr(0, length));
        ASSERT_FALSE(load.accepted()) << "accepted " << length << " of " << full.size() << " bytes";
        ASSERT_FALSE(load.reason.empty());
    }
}

TEST_F(GridFileTest, RefusesWhatIsNotAReadableFile)
{
    expectRefused(dir.file("absent.cil"), "fichier introuvable");
    expectRefused(dir.file("absent/MT.cil"), "fichier introuvable");

    std::filesystem::create_directory(dir.file("MT.cil"));
    expectRefused(dir.file("MT.cil"), "c'est un dossier");

    writeBytes(dir.file("plain"), "x");
    expectRefused(dir.file("plain/MT.cil"), "fichier introuvable");
}

TEST_F(GridFileTest, RefusesAFileTooLargeToBeAGridUnread)
{
    const std::string path = dir.file("huge.ss");
    writeBytes(path, "");
    ASSERT_EQ(::truncate(path.c_str(), maximumGridFileSize + 1), 0);
    expectRefused(path, "trop volumineux (67108865 octets");
}

TEST_F(GridFileTest, RefusesAFileItMayNotRead)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    ASSERT_TRUE(saveGridFile(everythingSheet(), dir.file("locked.ss")));
    ::chmod(dir.file("locked.ss").c_str(), 0);
    expectRefused(dir.file("locked.ss"), "accès refusé");
}

// A save that cannot be carried out leaves what was at the target as it was.
TEST_F(GridFileTest, FailedSaveLeavesTheTargetAsItWas)
{
    EXPECT_FALSE(saveGridFile(everythingSheet(), dir.file("absent/12.ss")));
    auto warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Impossible d'enregistrer la grille dans « " + dir.file("absent/12.ss") +
                               " » : fichier ou dossier introuvable.");
    EXPECT_FALSE(std::filesystem::exists(dir.file("absent")));

    std::filesystem::create_directory(dir.file("12.ss"));
    writeBytes(dir.file("12.ss/inside"), "kept");
    EXPECT_FALSE(saveGridFile(everythingSheet(), dir.file("12.ss")));
    warnings = takeWarnings();
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("c'est un dossier"), std::string::npos) << warnings[0];
    EXPECT_EQ(readBytes(dir.file("12.ss/inside")), "kept");

    // Nothing is left beside the targets either.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

// A pause file saved while another load reads it: the reader sees the old sheet or the new one,
// whole, at every attempt.
TEST_F(GridFileTest, ReaderNeverSeesAHalfWrittenFile)
{
    Sheet small;
    small.setRowCount(1);
    small.setCell(2, 1, {"petit", "nom", CellType::Edit, {}});
    const Sheet large = everythingSheet();
    const std::string path = dir.file("12.ss");
    ASSERT_TRUE(saveGridFile(small, path));

    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; !stop; ++i) {
            saveGridFile(i % 2 == 0 ? large : small, path);
        }
    });
    int refusals = 0;
    int mixed = 0;
    for (int i = 0; i < 300; ++i) {
        const GridLoad load = loadGridFile(path);
        if (!load.accepted()) {
            ++refusals;
        } else if (*load.sheet != small && *load.sheet != large) {
            ++mixed;
        }
    }
    stop = true;
    writer.join();
    EXPECT_EQ(refusals, 0);
    EXPECT_EQ(mixed, 0);
    EXPECT_TRUE(takeWarnings().empty());
}

} // namespace
