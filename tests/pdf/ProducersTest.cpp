// Forms written by other producers (tests/fixtures/producers, made by scripts/producer-fixtures.sh):
// every field that a reader of the page finds is listed once, under its name, and a value set by
// name reaches the page: its /V, its widget's state, its drawn appearance.
#include "pdf/PdfDocument.h"

#include "support/Test.h"

#include <fstream>
#include <map>
#include <regex>

namespace {

struct Expected { std::string name, kind, onState; };

// fields.tsv: file → the fields a correct reader finds there.
std::map<std::string, std::vector<Expected>> expectedFields()
{
    std::ifstream in(FORMALYS_FIXTURES_DIR "/producers/fields.tsv");
    std::map<std::string, std::vector<Expected>> byFile;
    std::string file, name, kind, onState;
    std::getline(in, file); // the header
    while (std::getline(in, file, '\t') && std::getline(in, name, '\t') && std::getline(in, kind, '\t') &&
           std::getline(in, onState)) {
        byFile[file].push_back({name, kind, onState});
    }
    return byFile;
}

// The texts an appearance stream shows, joined: "(Z) Tj … (o) Tj" gives "Zo".
std::string drawnText(const std::string& content)
{
    static const std::regex shown(R"(\(((?:[^\\)]|\\.)*)\) Tj)");
    std::string joined;
    for (std::sregex_iterator it(content.begin(), content.end(), shown), end; it != end; ++it) { joined += (*it)[1]; }
    return joined;
}

TEST(ProducersTest, EveryFieldIsListedOnceAndAValueReachesThePage)
{
    const auto files = expectedFields();
    ASSERT_EQ(files.size(), 10u);
    for (const auto& [file, fields] : files) {
        SCOPED_TRACE(file);
        TempDir dir;
        pdf::PdfDocument doc;
        ASSERT_TRUE(doc.LoadDocument(FORMALYS_FIXTURES_DIR "/producers/" + file));
        takeWarnings();
        std::multiset<std::string> listed, wanted;
        for (std::int32_t i = 0; i < doc.FieldCount(); ++i) { listed.insert(doc.FieldName(i)); }
        for (const auto& field : fields) { wanted.insert(field.name); }
        EXPECT_EQ(listed, wanted);

        for (const auto& field : fields) {
            doc.SetFieldValue(field.name, field.kind == "text" ? "Zoé 12" : field.kind == "radio" ? field.onState : "X");
        }
        ASSERT_TRUE(doc.SaveDocument(dir.file("rempli.pdf")));
        PdfReadBack back(dir.file("rempli.pdf")); // read from the widgets on the page
        for (const auto& field : fields) {
            SCOPED_TRACE(field.name);
            if (field.kind == "text") {
                EXPECT_EQ(back.value(field.name), "Zoé 12");
                EXPECT_EQ(drawnText(back.appearance(field.name)), "Zo\xE9 12"); // comb cells draw one by one
            } else {
                EXPECT_EQ(back.value(field.name) + "|" + back.state(field.name), field.onState + "|" + field.onState);
            }
        }
    }
}

} // namespace
