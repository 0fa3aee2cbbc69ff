// The PDF document, phase by phase, on the MT template (53 fields): load (read the file in one go
// and parse it; or, for the same file again, compare and undo), walk the field tree, set every
// field by name, write the appearance streams, save (the incremental update in memory, then to a
// file; and the full rewrite for comparison); then whole documents in a batch of 1,000, each saved
// to its own file.
// Run with --benchmark_repetitions=9 --benchmark_report_aggregates_only=true for medians.
#include "pdf/AppearanceWriter.h"
#include "pdf/ButtonState.h"
#include "pdf/ChangeLog.h"
#include "pdf/DocumentWriter.h"
#include "pdf/FieldIndex.h"
#include "pdf/IncrementalUpdate.h"
#include "pdf/LoadedPdf.h"
#include "pdf/PdfDocument.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>

using namespace formalys::pdf;

namespace {

const std::string templatePath = std::string(FORMALYS_FORMS_DIR) + "/MT.pdf";

std::string benchDirectory()
{
    static const std::string dir = [] {
        std::string pattern = "/tmp/formalys-pdf-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return dir;
}

// The values an attending-physician declaration gets for the demo patient.
const std::map<std::string, std::string>& demoValues()
{
    static const std::map<std::string, std::string> values = [] {
        std::map<std::string, std::string> v = {
            {"nom", "LEFÈVRE"},
            {"prénom", "JÉRÔME"},
            {"nom ben", "LEFÈVRE"},
            {"prénom ben", "ZOÉ"},
            {"adresse1", "12 RUE DE L'ÉGLISE"},
            {"adresse2", "BÂTIMENT C, 3E ÉTAGE"},
            {"adresse3", "69003 LYON"},
            {"nom medecin", "BÉRANGER"},
            {"prénom médecin", "CÉCILE"},
            {"adresse cabinet", "8 place Bellecour, 69002 Lyon"},
            {"fait à", "Lyon"},
            {"ben assuré", ""},
            {"ben ayant droit", "X"},
            {"clé1", "8"},
            {"clé2", "7"},
        };
        const std::string numss = "1750369123456";
        v["imm 1"] = numss.substr(0, 1);
        for (int i = 2; i <= 13; ++i) {
            v["imm" + std::to_string(i)] = numss.substr(static_cast<std::size_t>(i - 1), 1);
        }
        const char* birth[] = {"j1",  "1", "j2",  "4", "m1",  "0", "m2",  "6",
                               "an1", "2", "an2", "0", "an3", "1", "an4", "2"};
        const char* today[] = {"dat1", "0", "dat2", "5", "dat3", "0", "dat4", "3",
                               "dat5", "2", "dat6", "0", "dat7", "2", "dat8", "5"};
        for (int i = 0; i < 16; i += 2) {
            v[birth[i]] = birth[i + 1];
            v[today[i]] = today[i + 1];
        }
        const std::string idnat = "691234567";
        for (int i = 1; i <= 9; ++i) {
            v[(i == 5 ? "num iden med" : "num ident med") + std::to_string(i)] =
                idnat.substr(static_cast<std::size_t>(i - 1), 1);
        }
        return v;
    }();
    return values;
}

// The parsed template and its field index, as PdfDocument keeps them between two loads of the
// same file; each phase below starts from the template as it was read (undo).
struct Parsed
{
    LoadedPdf pdf{templatePath};
    FieldIndex index{pdf.qpdf()};
    ChangeLog changes;
    AppearanceWriter appearances{pdf.qpdf(), changes};

    void startOver()
    {
        changes.undo();
        appearances.startOver();
    }

    // What PdfDocument does when a field is set, done directly on the pieces.
    void setAll()
    {
        for (const auto& field : index.fields()) {
            const std::string& value = demoValues().at(field.name);
            if (field.isButton()) {
                setButtonState(field, value, changes);
            } else {
                changes.replaceKey(field.dictionary, "/V",
                                   QPDFObjectHandle::newUnicodeString(value));
            }
        }
    }

    void writeAppearances()
    {
        for (const auto& field : index.fields()) {
            if (!field.isButton()) {
                appearances.write(field, demoValues().at(field.name));
            }
        }
    }
};

// The first load of a file: read in one go, parse the cross-reference table.
void BM_Load(benchmark::State& state)
{
    std::unique_ptr<LoadedPdf> pdf;
    for (auto _ : state) {
        state.PauseTiming();
        pdf.reset();
        state.ResumeTiming();
        pdf = std::make_unique<LoadedPdf>(templatePath);
    }
}
BENCHMARK(BM_Load)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The walk of the field tree after a first load, which parses every field object.
// The documents of the previous iteration are dropped while the clock is paused, so that no
// phase pays for freeing what another made.
void BM_Walk(benchmark::State& state)
{
    std::unique_ptr<LoadedPdf> pdf;
    std::unique_ptr<FieldIndex> index;
    for (auto _ : state) {
        state.PauseTiming();
        index.reset();
        pdf = std::make_unique<LoadedPdf>(templatePath);
        state.ResumeTiming();
        index = std::make_unique<FieldIndex>(pdf->qpdf());
    }
}
BENCHMARK(BM_Walk)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A load of the same file again, after a whole document was set and saved: the file's identity
// is looked at (stat), the parsed file is kept and taken back, and the changes are undone.
void BM_LoadSameFileAgain(benchmark::State& state)
{
    const std::string output = benchDirectory() + "/again.pdf";
    PdfDocument doc;
    doc.LoadDocument(templatePath);
    for (auto _ : state) {
        state.PauseTiming();
        for (const auto& [name, value] : demoValues()) {
            doc.SetFieldValue(name, value);
        }
        doc.SaveDocument(output);
        state.ResumeTiming();
        doc.LoadDocument(templatePath);
    }
}
BENCHMARK(BM_LoadSameFileAgain)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Through the public operation: a lookup by name, then the value, for each of the 53 fields.
void BM_SetAllFields(benchmark::State& state)
{
    PdfDocument doc;
    for (auto _ : state) {
        state.PauseTiming();
        doc.LoadDocument(templatePath);
        state.ResumeTiming();
        for (const auto& [name, value] : demoValues()) {
            doc.SetFieldValue(name, value);
        }
    }
}
BENCHMARK(BM_SetAllFields)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Appearances(benchmark::State& state)
{
    Parsed parsed;
    for (auto _ : state) {
        state.PauseTiming();
        parsed.startOver();
        parsed.setAll();
        state.ResumeTiming();
        parsed.writeAppearances();
    }
}
BENCHMARK(BM_Appearances)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The incremental update made in memory: the template's bytes, the changed objects, the
// cross-reference section.
void BM_IncrementalUpdate(benchmark::State& state)
{
    Parsed parsed;
    parsed.setAll();
    parsed.writeAppearances();
    std::string file;
    ObjectTexts texts;
    for (auto _ : state) {
        IncrementalUpdate::write(parsed.pdf.bytes(), parsed.pdf.qpdf(), parsed.changes, texts,
                                 file);
        benchmark::DoNotOptimize(file);
    }
    state.counters["bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_IncrementalUpdate)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The save as PdfDocument does it: the update made in memory, written beside, renamed.
void BM_Save(benchmark::State& state)
{
    const std::string output = benchDirectory() + "/saved.pdf";
    Parsed parsed;
    parsed.setAll();
    parsed.writeAppearances();
    DocumentWriter writer;
    for (auto _ : state) {
        writer.write(parsed.pdf, parsed.changes, output);
    }
}
BENCHMARK(BM_Save)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same document written anew by QPDF, as a file that cannot take an incremental update is.
void BM_SaveFullRewrite(benchmark::State& state)
{
    const std::string output = benchDirectory() + "/rewritten.pdf";
    Parsed parsed;
    parsed.setAll();
    parsed.writeAppearances();
    for (auto _ : state) {
        DocumentWriter::rewrite(parsed.pdf.qpdf(), output);
    }
}
BENCHMARK(BM_SaveFullRewrite)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A batch as a day of work makes it, each document under its own name: the fill loads the
// template and sets every field, generation sets every field again, each write twice, and saves.
void BM_BatchOf1000Documents(benchmark::State& state)
{
    const std::string directory = benchDirectory() + "/batch";
    std::filesystem::create_directories(directory);
    PdfDocument doc;
    int n = 0;
    for (auto _ : state) {
        doc.LoadDocument(templatePath);
        for (const auto& [name, value] : demoValues()) {
            doc.SetFieldValue(name, value);
        }
        for (const auto& [name, value] : demoValues()) {
            doc.SetFieldValue(name, value);
            doc.SetFieldValue(name, value);
        }
        doc.SaveDocument(directory + "/document" + std::to_string(n++ % 1000) + ".pdf");
    }
    state.SetItemsProcessed(state.iterations());
    std::filesystem::remove_all(directory);
}
BENCHMARK(BM_BatchOf1000Documents)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(1000);

} // namespace
BENCHMARK_MAIN();
