// The sheet model and its grid files: reads and writes through the current cell, the edges of the
// sheet; a saved sheet loads back identical, a file that cannot be trusted is refused as a whole
// with a French reason; the grid check finds the bindings that would silently lose a value.
#include "grid/CellRules.h"
#include "grid/GridCheck.h"
#include "grid/GridFile.h"
#include "grid/GridLayout.h"
#include "grid/InputHints.h"
#include "grid/Sheet.h"
#include "support/Test.h"
#include "text/Letters.h"

#include "files/FileSystem.h"
#include "support/Platform.h"

using namespace formalys::grid;

namespace {

Sheet sheetOf(std::int32_t columns, std::int32_t rows, std::vector<std::pair<int, int>> cells = {})
{
    Sheet sheet;
    sheet.setColumnCount(columns);
    sheet.setRowCount(rows);
    for (const auto& [column, row] : cells) {
        sheet.setCell(column, row, {std::to_string(column * 10 + row), "nom", CellType::Edit, {}});
    }
    return sheet;
}

// The procedures select a cell, then read or write it; walks run column by column, then row by row.
TEST(SheetTest, ReadsAndWritesThroughTheCurrentCellInWalkOrder)
{
    EXPECT_EQ(Sheet().columnTitle(1) + Sheet().columnTitle(2), "ChampValeur");
    Sheet sheet = sheetOf(3, 5, {{3, 1}, {1, 2}, {2, 1}, {1, 1}});
    sheet.setCell(2, 4, {"0", "ben assuré", CellType::CheckBox, {}});
    sheet.setCurrentColumn(2);
    sheet.setCurrentRow(4);
    EXPECT_EQ(formalys::text::strip(sheet.binding()), "ben assuré"); // a view into the sheet
    EXPECT_EQ(sheet.cellType(), CellType::CheckBox);
    sheet.setText("1");
    EXPECT_EQ(sheet.cell(2, 4), (Cell{"1", "ben assuré", CellType::CheckBox, {}}));
    sheet.setCurrentRow(5);
    sheet.setText("  Lyon  ");
    EXPECT_EQ(sheet.text(), "  Lyon  ");
    std::string positions, texts;
    sheet.forEachCellByColumn([&](int c, int r) { positions += std::to_string(c * 10 + r) + " "; });
    sheet.forEachNonEmptyCell([&](int, int, const Cell& c) { texts += c.text + " "; });
    EXPECT_EQ(positions, "11 12 13 14 15 21 22 23 24 25 31 32 33 34 35 ");
    EXPECT_EQ(texts, "11 12 21 1   Lyon   31 ");
    sheet.setText("");
    sheet.setCell(2, 4, {});
    EXPECT_EQ(sheet, sheetOf(3, 5, {{3, 1}, {1, 2}, {2, 1}, {1, 1}})) << "an emptied cell is an absent one";
}

// Outside the sheet a read gives an empty cell and a write, of a cell or of layout, changes
// nothing; counts stay within the limits grid files enforce; shrinking drops what falls outside
// and cuts spans at the new edge, and growing back brings nothing back.
TEST(SheetTest, NothingExistsOutsideTheSheet)
{
    Sheet sheet = sheetOf(3, 4, {{3, 4}});
    const Sheet before = sheet;
    for (const auto& [column, row] : {std::pair{0, 1}, {1, 0}, {4, 1}, {1, 5}, {-1, -1}}) {
        sheet.setCurrentColumn(column);
        sheet.setCurrentRow(row);
        EXPECT_TRUE(sheet.text().empty() && sheet.binding().empty() && sheet.cellType() == CellType::Edit);
        sheet.setText("perdu");
        sheet.setCell(column, row, {"perdu", "prénom", CellType::Edit, {}});
        sheet.setColumnWidth(column == 1 ? 0 : column, 1000);
        sheet.setRowHeight(row == 1 ? 5 : row, 300);
        sheet.setColumnTitle(column == 1 ? 4 : column, "Trop loin");
        sheet.addSpan({column, row, 1, 1});
        EXPECT_EQ(sheet, before) << column << ", " << row;
    }
    for (const Span span : {Span{3, 1, 2, 1}, {1, 4, 1, 2}, {1, 1, 0, 1}, {1, 1, 1, 0}}) { sheet.addSpan(span); }
    EXPECT_EQ(sheet, before);
    sheet.setRowCount(-5);
    sheet.setColumnCount(-1);
    EXPECT_EQ(sheet.rowCount() + sheet.columnCount(), 0);
    sheet.setRowCount(Sheet::maximumRowCount + 1);
    sheet.setColumnCount(2'000'000'000);
    EXPECT_EQ(sheet.rowCount() + sheet.columnCount(), Sheet::maximumRowCount + Sheet::maximumColumnCount);

    sheet = sheetOf(3, 10, {{1, 10}, {3, 1}, {2, 9}});
    sheet.setRowHeight(10, 400);
    sheet.setColumnWidth(3, 1500);
    EXPECT_EQ(sheet.columnWidth(3) + sheet.rowHeight(10), 1900) << "the last column and row take their size";
    sheet.setColumnTitle(3, "Aide");
    sheet.addSpan({1, 8, 3, 3});
    sheet.setRowCount(9);
    sheet.setColumnCount(2);
    EXPECT_EQ(sheet.spans(), (std::vector<Span>{{1, 8, 2, 2}}));
    sheet.setRowCount(10);
    sheet.setColumnCount(3);
    Sheet expected = sheetOf(3, 10, {{2, 9}});
    expected.addSpan({1, 8, 2, 2});
    EXPECT_EQ(sheet, expected);
    sheet.setRowCount(7);
    EXPECT_TRUE(sheet.spans().empty()) << "a span anchored below the edge goes";
}

// A sheet that uses everything a grid file holds: layout, spans, styles, every type, texts with
// blanks, line breaks, NUL, a byte-order mark and characters beyond Windows-1252.
Sheet everythingSheet()
{
    Sheet sheet;
    sheet.setColumnCount(4);
    sheet.setRowCount(500);
    sheet.setColumnTitle(1, "");
    sheet.setColumnTitle(2, "Valeur « corrigée »");
    sheet.setColumnWidth(4, 1);
    sheet.setRowHeight(500, 2'000'000'000);
    sheet.addSpan({1, 1, 4, 1});
    sheet.addSpan({4, 499, 1, 2});
    sheet.setCell(1, 1, {"Déclaration", "", CellType::Caption, {true, Alignment::Center, "#D9E2F3", true}});
    sheet.setCell(3, 23, {"droite", "", CellType::Caption, {false, Alignment::Right, "#abcdef", false}});
    sheet.setCell(4, 500, {"", "", CellType::Edit, {false, Alignment::Left, "#A09F00", false}});
    sheet.setCell(2, 20, {"1", "ben assuré", CellType::CheckBox, {}});
    std::int32_t row = 2;
    for (const std::string& text :
         std::vector<std::string>{"  Lyon  ", "ligne 1\nligne 2\r\nfin", "œ€«»–é É ÿ Ÿ ç", "🩺 Ω Ł 中文",
                                  "tab\t\"\\", std::string("nul\0au milieu", 13), " ",
                                  "\xEF\xBB\xBF"
                                  "BOM en tête"}) {
        sheet.setCell(2, row++, {text, " nom ", CellType::Edit, {}});
    }
    return sheet;
}

class GridFileTest : public ::testing::Test
{
protected:
    void SetUp() override { takeWarnings(); }

    // Either the sheet is replaced, or it is left as it was and the reason, naming the file, is
    // the one warning.
    void expectRefused(const std::string& path, const std::string& reasonPart)
    {
        Sheet sheet = everythingSheet();
        const GridLoad load = loadGridFile(path);
        EXPECT_FALSE(load.accepted()) << reasonPart;
        EXPECT_NE(load.reason.find(reasonPart), std::string::npos) << load.reason;
        EXPECT_NE(load.reason.find("« " + path + " »"), std::string::npos) << load.reason;
        EXPECT_FALSE(LoadGridFile(sheet, path));
        EXPECT_EQ(sheet, everythingSheet());
        EXPECT_EQ(takeWarnings(), std::vector<std::string>{load.reason});
    }

    TempDir dir;
};

TEST_F(GridFileTest, WhatIsSavedLoadsBackIdentical)
{
    ASSERT_TRUE(saveGridFile(everythingSheet(), dir.file("patient.ss")));
    Sheet loaded;
    ASSERT_TRUE(LoadGridFile(loaded, dir.file("patient.ss")));
    EXPECT_EQ(loaded, everythingSheet()) << "a span of a single column too, and an emptied title";
    ASSERT_TRUE(saveGridFile(loaded, dir.file("encore.ss")));
    EXPECT_EQ(readBytes(dir.file("encore.ss")), readBytes(dir.file("patient.ss")));
    for (const auto& [columns, rows] : {std::pair{0, 0}, {2, 0}, {0, 7}}) {
        EXPECT_EQ(gridFromText(gridFileText(sheetOf(columns, rows))).sheet, sheetOf(columns, rows)) << columns << " x " << rows;
    }
    EXPECT_TRUE(gridFromText(R"({"format": "formalys-grid", "version": 1, "columnCount": -0, "rowCount": 0})").accepted());
    const std::string saved = readBytes(dir.file("patient.ss")); // only the heights the sheet sets
    EXPECT_EQ(saved.find("\"height\""), saved.rfind("\"height\""));
    Sheet bytes = sheetOf(2, 1); // typed from an 8-bit source: saved with U+FFFD, so the file always reads back
    bytes.setCell(2, 1, {"Andr\xE9 \xFF", "pr\xE9nom", CellType::Edit, {}});
    const GridLoad load = gridFromText(gridFileText(bytes));
    ASSERT_TRUE(load.accepted()) << load.reason;
    EXPECT_EQ(load.sheet->cell(2, 1).text + "|" + load.sheet->cell(2, 1).binding, "Andr\uFFFD \uFFFD|pr\uFFFDnom");
    EXPECT_TRUE(takeWarnings().empty());
}

// A valid file of 3 columns and 4 rows, with `extra` top-level members and `cells`.
std::string grid(const std::string& extra, const std::string& cells = "[]")
{
    return R"({"format": "formalys-grid", "version": 1, "columnCount": 3, "rowCount": 4, )" + extra + R"("cells": )" + cells + "}";
}

std::string oneCell(const std::string& members) { return grid("", "[{" + members + "}]"); }

const std::string head = R"({"format": "formalys-grid", "version": 1, "columnCount": )";

TEST_F(GridFileTest, RefusesTheWholeFileWithAReason)
{
    const std::pair<std::string, std::string> rows[] = {
        // Not JSON, or not whole.
        {"", "vide"}, {grid("").substr(0, 30), "tronqué"}, {grid("").substr(0, grid("").size() - 1), "tronqué"},
        {grid("") + " }", "JSON valide (ligne 1, colonne 89)"},
        {"{\n\"format\": \"formalys-grid\",\n  oops}", "ligne 3, colonne 3"},
        {"{\"format\": \"formalys-grid\", \"x\": \"\xC3(\"}", "UTF-8 valide (octet 35)"},
        // Not ours, or not this version.
        {"[]", "n'est pas un objet"},
        {R"({"version": 1, "columnCount": 2, "rowCount": 0})", "pas un fichier de grille"},
        {R"({"format": "tableur", "version": 1})", "pas un fichier de grille"},
        {R"({"format": "formalys-grid", "version": 2, "sheets": []})", "version 2, plus récent"},
        {R"({"format": "formalys-grid", "version": 18446744073709551615})", "version 18446744073709551615"},
        {R"({"format": "formalys-grid", "version": 0})", "version de format inconnue (0)"},
        {R"({"format": "formalys-grid", "version": "1"})", "« version »"},
        // Sizes.
        {head + "3}", "la clé « rowCount » manque"},
        {head + R"(3, "rowCount": -1})", "« rowCount » doit être compris entre 0 et 100000 (c'est -1)"},
        {head + R"(3, "rowCount": 4000000000})", "entre 0 et 100000 (c'est 4000000000)"},
        {head + R"(3, "rowCount": 1e30})", "« rowCount » doit être un nombre entier (c'est un nombre à virgule)"},
        {head + R"(1001, "rowCount": 1})", "entre 0 et 1000"},
        // Keys.
        {grid(R"("cels": [], )"), "clé inconnue « cels »"},
        {oneCell(R"("column": 2, "row": 1, "bindng": "nom")"), "clé inconnue « bindng » dans la cellule n° 1"},
        {oneCell(R"("column": 2, "row": 1, "binding": "nom", "binding": "prénom")"), "la clé « binding » apparaît deux fois"},
        // Types.
        {grid("", "{}"), "« cells » doit être un tableau (c'est un objet)"},
        {grid("", "[1]"), "la cellule n° 1 doit être un objet"},
        {oneCell(R"("column": 2, "row": 1, "text": 12)"), "« text » de la cellule n° 1 doit être un texte (c'est un nombre entier)"},
        {oneCell(R"("column": 2, "row": 1, "text": null)"), "(c'est null)"},
        {oneCell(R"("column": 2, "row": 1, "text": true)"), "(c'est un booléen)"},
        {oneCell(R"("column": 2, "row": 1, "type": 10)"), "« type » de la cellule n° 1 doit être un texte"},
        {oneCell(R"("column": 2, "row": 1, "type": "checkbox")"), "type de cellule inconnu « checkbox » pour la cellule n° 1 (colonne 2, ligne 1"},
        {oneCell(R"("column": 2, "row": 1, "style": {"bold": "oui"})"), "« bold » de la mise en forme de la cellule n° 1 doit être un booléen"},
        {oneCell(R"("column": 2, "row": 1, "style": {"alignment": "justify"})"), "alignement inconnu « justify »"},
        {oneCell(R"("column": 2, "row": 1, "style": {"background": "red"})"), "couleur « #RRVVBB »"},
        {oneCell(R"("column": 2, "row": 1, "style": {"background": "#GGGGGG"})"), "couleur"},
        {oneCell(R"("column": 2, "row": 1, "style": {"background": "#1234567"})"), "couleur"},
        {oneCell(R"("column": 2, "row": 1, "style": [])"), "doit être un objet (c'est un tableau)"},
        // Positions.
        {oneCell(R"("column": 4, "row": 1)"), "« column » de la cellule n° 1 doit être compris entre 1 et 3 (c'est 4)"},
        {oneCell(R"("column": 1, "row": 0)"), "(c'est 0)"}, {oneCell(R"("column": 1, "row": 5)"), "(c'est 5)"},
        {oneCell(R"("column": 1)"), "la clé « row » manque dans la cellule n° 1"},
        {grid("", R"([{"column": 2, "row": 1, "text": "a"}, {"column": 2, "row": 1, "text": "b"}])"), "la cellule colonne 2, ligne 1 est décrite deux fois"},
        {grid(R"("spans": [{"column": 2, "row": 1, "columns": 3, "rows": 1}], )"), "« columns » de la fusion n° 1 de « spans » doit être compris entre 1 et 2"},
        {grid(R"("spans": [{"column": 1, "row": 2, "columns": 1, "rows": 4}], )"), "« rows » de la fusion n° 1"},
        {grid(R"("columns": [{"column": 1, "width": 10}, {"column": 1, "title": "x"}], )"), "la colonne 1 est décrite deux fois"},
        {grid(R"("rows": [{"row": 2, "height": 10}, {"row": 2, "height": 20}], )"), "la ligne 2 est décrite deux fois"},
        {grid(R"("columns": [{"column": 4, "title": "Aide"}], )"), "« column » de la colonne n° 1 de « columns »"},
        {grid(R"("columns": [{"column": 1, "width": -15}], )"), "« width »"},
        {grid(R"("rows": [{"row": 5, "height": 15}], )"), "« row » de la ligne n° 1 de « rows »"},
    };
    for (const auto& [content, reasonPart] : rows) {
        writeBytes(dir.file("grille.cil"), content);
        expectRefused(dir.file("grille.cil"), reasonPart);
    }
    const GridLoad edges = gridFromText(grid(R"("rows": [{"row": 2}], )", R"([{"column": 3, "row": 4}])"));
    ASSERT_TRUE(edges.accepted()) << "the last cell is in range";
    EXPECT_EQ(edges.sheet->rowHeight(2), 0) << "a row without a height keeps the usual one";
}

TEST_F(GridFileTest, RefusesWhatIsNotAReadableFile)
{
    expectRefused(dir.file("absent.cil"), "fichier introuvable");
    writeBytes(dir.file("simple"), "x");
    expectRefused(dir.file("simple/MT.cil"), "fichier introuvable");
    std::filesystem::create_directory(dir.file("MT.cil"));
    expectRefused(dir.file("MT.cil"), "c'est un dossier");
    expectRefused(deviceFile, deviceRefusal);
    writeBytes(dir.file("énorme.ss"), "");
    std::filesystem::resize_file(files::nativePath(dir.file("énorme.ss")), maximumGridFileSize + 1);
    expectRefused(dir.file("énorme.ss"), "trop volumineux (67108865 octets, au plus 67108864)");
}

// A save that cannot be carried out leaves the target as it was and nothing beside it; a reader
// racing a writer sees the old sheet or the new one, whole.
TEST_F(GridFileTest, ASaveIsWholeOrNothing)
{
    EXPECT_FALSE(saveGridFile(everythingSheet(), dir.file("absent/12.ss")));
    EXPECT_EQ(takeWarnings(),
              std::vector<std::string>{"Impossible d'enregistrer la grille dans « " + dir.file("absent/12.ss") +
                                       " » : fichier ou dossier introuvable."});
    std::filesystem::create_directory(dir.file("12.ss"));
    EXPECT_FALSE(saveGridFile(everythingSheet(), dir.file("12.ss")));
    EXPECT_NE(takeWarnings().at(0).find("c'est un dossier"), std::string::npos);
    EXPECT_EQ(dir.entryCount(), 1u);
}

const std::vector<std::string> mtFields = {"imm 1", "nom", "prénom", "nom ben", "num iden med5", " fait à "};

// Names are compared stripped, then exactly: letter case, accents, inner blanks and tabs count; the
// five placeholders only letter for letter.
TEST(GridCheckTest, ComparesNamesExactlyOnceStripped)
{
    using enum GridProblemKind;
    const std::pair<GridProblemKind, std::vector<std::string>> rows[] = {
        {BoundTwice, {"nom", "prénom", "imm 1", "num iden med5", "  nom ben ", "fait à", "   ", "[DATE]", "[IDNAT]", "[NUMSS]", "[CLENUMSS]", "[DATEN]"}}, // no problem
        {UnknownField, {"Nom", "prenom", "pre\u0301nom", "imm1", "nom\t", "num ident med5"}},
        {UnknownPlaceholder, {" [DATE]", "[ DATE]", "[ADR1]", "[date]", "[NUMSS"}}};
    for (const auto& [kind, bindings] : rows) {
        for (const auto& binding : bindings) {
            Sheet sheet = sheetOf(2, 3);
            sheet.setCell(2, 2, {"", binding, CellType::Edit, {}});
            const auto problems = checkGrid(sheet, mtFields);
            const std::vector<GridProblem> expected = {{kind, 2, 2, binding}};
            EXPECT_EQ(problems, kind == BoundTwice ? std::vector<GridProblem>() : expected) << binding;
        }
    }
}

// The merge fills only the first cell in walk order (by column, then by row): the repeat reported
// is the later one in that order. A placeholder may be shown twice; without a template, names are
// not checked.
TEST(GridCheckTest, ReportsTheLaterCellOfAFieldBoundTwice)
{
    Sheet sheet = sheetOf(3, 5);
    sheet.setCell(3, 1, {"", "nom", CellType::Edit, {}});
    sheet.setCell(2, 5, {"", "nom ", CellType::Edit, {}});
    sheet.setCell(1, 1, {"", "[NUMSS]", CellType::Edit, {}});
    sheet.setCell(1, 2, {"", "[NUMSS]", CellType::Edit, {}});
    sheet.setCell(1, 3, {"", "pas un champ", CellType::Edit, {}});
    const GridProblem twice{GridProblemKind::BoundTwice, 3, 1, "nom", 2, 5};
    EXPECT_EQ(checkGrid(sheet), std::vector<GridProblem>{twice});
    EXPECT_EQ(checkGrid(sheet, mtFields),
              (std::vector<GridProblem>{{GridProblemKind::UnknownField, 1, 3, "pas un champ"}, twice}));
    EXPECT_EQ(checkGrid(sheet, {}).size(), 4u);
    EXPECT_TRUE(checkGrid(Sheet{}, mtFields).empty());
    EXPECT_EQ(describe(twice), "colonne 3, ligne 1 : le champ « nom » est déjà lié en colonne 2, "
                               "ligne 5 ; seule la première cellule reçoit sa valeur");
    EXPECT_EQ(describe({GridProblemKind::UnknownField, 2, 7, "Nom "}),
              "colonne 2, ligne 7 : « Nom  » ne nomme aucun champ du modèle");
    EXPECT_EQ(describe({GridProblemKind::UnknownPlaceholder, 1, 3, " [DATE]"}),
              "colonne 1, ligne 3 : «  [DATE] » n'est aucune des zones remplies depuis le fichier "
              "d'échange ([DATE], [IDNAT], [NUMSS], [CLENUMSS], [DATEN], sans blanc autour)");
}


// The layout rule, in twips: the grid fills the height below its top but 400 twips (never less than
// nothing), is centred in a wider window and widens a narrower one.
// Tab walks the cells the user can change, row by row, round the sheet, in every window library.
TEST(CellRulesTest, TabGoesToTheNextCellTheUserCanChange)
{
    Sheet sheet = sheetOf(3, 3);
    sheet.setCell(2, 1, {"", "[NUMSS]", CellType::Edit, {}});
    sheet.setCell(1, 2, {"0", "coche", CellType::CheckBox, {}});
    sheet.setCell(3, 2, {"Clé", "", CellType::Caption, {}});
    sheet.setCell(2, 3, {"verrou", "champ", CellType::Edit, CellStyle{false, Alignment::Left, "", true}});
    sheet.setCell(3, 3, {"texte", "", CellType::Edit, {}}); // a plain cell the user typed into
    using P = CellPosition;
    const struct
    {
        std::optional<P> from;
        bool forward;
        std::optional<P> next;
    } rows[] = {
        {std::nullopt, true, P{2, 1}}, {std::nullopt, false, P{3, 3}}, {P{2, 1}, true, P{1, 2}},
        {P{1, 2}, true, P{3, 3}},      {P{3, 3}, true, P{2, 1}},       {P{2, 1}, false, P{3, 3}},
        {P{3, 2}, true, P{3, 3}},      {P{1, 2}, false, P{2, 1}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(nextCellToFill(sheet, row.from, row.forward), row.next)
            << (row.from ? row.from->column * 10 + row.from->row : 0) << " " << row.forward;
    }
    EXPECT_EQ(nextCellToFill(sheetOf(2, 2), P{1, 1}), std::nullopt);
    EXPECT_EQ(nextCellToFill(sheetOf(0, 0), std::nullopt), std::nullopt);
    EXPECT_EQ(checkBoxText(true) + checkBoxText(false), "10");
}

TEST(GridLayoutTest, TheGridIsCentredOrWidensTheWindow)
{
    const std::pair<std::array<int, 5>, std::array<int, 3>> rows[] = { // window w, h, grid top, left, width
        {{12000, 9000, 960, 120, 8000}, {12000, 2000, 7640}},  // narrower: centred
        {{12000, 9000, 960, 120, 12000}, {12000, 0, 7640}},    // as wide: flush
        {{12000, 9000, 960, 120, 15000}, {15000, 120, 7640}},  // wider: the window widens, the grid stays
        {{12000, 1000, 960, 120, 8000}, {12000, 2000, 0}},     // too low: no height
        {{12001, 1360, 960, 0, 8000}, {12001, 2000, 0}}};      // exactly 400 twips below
    for (const auto& [in, out] : rows) {
        const auto placed = grid::placeGrid(in[0], in[1], in[2], in[3], in[4]);
        EXPECT_EQ((std::array<int, 3>{placed.windowWidth, placed.gridLeft, placed.gridHeight}), out) << in[0] << " " << in[4];
    }
}

// The hints help without forbidding: a key that does not match its number (Corsican departments
// counted as 19 and 18), a date that does not exist, an identifier of the wrong length.
TEST(InputHintsTest, WhatLooksWrongIsSaid)
{
    const std::tuple<std::string, std::string, std::string, std::string> rows[] = { // binding, text, the other cell (the key, or the number), hint
        {"[NUMSS]", "2750369123456", "61", ""}, {"[NUMSS]", "2750369123456", "", ""},
        {"[NUMSS]", "2750369123456", "16", "La clé « 16 » ne correspond pas au numéro de sécurité sociale, dont la clé est 61."},
        {"[CLENUMSS]", "16", "2750369123456", "La clé « 16 » ne correspond pas au numéro de sécurité sociale, dont la clé est 61."},
        {"[NUMSS]", "1690872A00110", "", "Le numéro de sécurité sociale compte 13 caractères : des chiffres, avec 2A ou 2B pour un département de Corse."},
        {"[NUMSS]", "169082A001105", "26", ""}, {"[NUMSS]", "169082B001105", "53", ""}, {"[NUMSS]", "1000000000040", "07", ""},
        {" [NUMSS] ", "27503691234", "61", "Le numéro de sécurité sociale compte 13 caractères : des chiffres, avec 2A ou 2B pour un département de Corse."},
        {"[DATEN]", "29/02/2012", "", ""}, {"[DATE]", "29/02/2011", "", "« 29/02/2011 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "31/04/2010", "", "« 31/04/2010 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "5/3/1948", "", "« 5/3/1948 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "05-03-1948", "", "« 05-03-1948 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "00/03/1948", "", "« 00/03/1948 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "05/03/19a8", "", "« 05/03/19a8 » n'est pas une date réelle écrite jj/mm/aaaa."},
        {"[DATEN]", "  ", "", ""}, {"[IDNAT]", "691234567", "", ""},
        {"[IDNAT]", "69123456", "", "L'identifiant du praticien compte 9 caractères ; celui-ci en compte 8."},
        {"[IDNAT]", "69123456é7", "", "L'identifiant du praticien compte 9 caractères ; celui-ci en compte 10."},
        {"nom", "00/00/0000", "", ""}};
    for (const auto& [binding, text, key, hint] : rows) {
        Sheet sheet = sheetOf(2, 2);
        sheet.setCell(2, 1, {text, binding, CellType::Edit, {}});
        sheet.setCell(2, 2, {key, binding == "[CLENUMSS]" ? "[NUMSS]" : "[CLENUMSS]", CellType::Edit, {}});
        EXPECT_EQ(grid::inputHint(sheet, 2, 1), hint) << binding << " " << text << " " << key;
    }
}

} // namespace
