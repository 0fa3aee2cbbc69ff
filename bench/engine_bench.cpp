// The fills and generation of the four forms, as the assistant runs them, on the shipped templates
// and grids.
//   BM_Fill/<form>:       the window's load, then the form's fill: template load, field walk,
//                         mapping-grid load, merge (goal for MT: under 5 ms).
//   BM_Generation/<form>: generation from the merged sheet: write-backs, fields, boxes, the
//                         handshake with a host that answers in its callback, the save (goal for
//                         MT: under 5 ms).
//   BM_Batch:             fill and generation for 1,000 different patients in one process;
//                         reports documents per second.
#include "BenchDirectory.h"
#include "assistant/Assistant.h"
#include "assistant/FormTable.h"
#include "component/ComponentState.h"
#include "exchange/ProfileFile.h"
#include "formalys/SHPDF.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace formalys;
namespace fs = std::filesystem;

namespace {

const BenchDirectory& directory()
{
    static const BenchDirectory dir;
    return dir;
}

void writePatient(int number)
{
    std::ofstream out(directory().file("Formalys.ini"), std::ios::binary | std::ios::trunc);
    out << "[PATIENT]\r\nNUMPA=" << number << "\r\nNOM=Lefèvre" << number
        << "\r\nPRENOM=Zoé\r\nNOMASS=Lefèvre\r\nPRENOMASS=Jérôme\r\nNUMSS=17503691"
        << 10000 + number % 90000 << "\r\nCLENUMSS=87\r\nDATEN=14/06/2012\r\n"
        << "ADR1=12 rue de l'Église\r\nADR2=Bâtiment C\r\nCP=69003\r\nVILLE=Lyon\r\n"
        << "DIAG1=Diabète de type 1\r\nDIAG2=Hypothyroïdie\r\n"
        << "[MEDECIN]\r\nNOM=Béranger\r\nPRENOM=Cécile\r\nIDNAT=691234567\r\n"
        << "[RESULTAT]\r\nLASTNUMPA=0\r\n";
}

void setUpComponent()
{
    ComponentState::instance().reset();
    const std::string exchangePath = directory().file("Formalys.ini");
    const std::string output = directory().file("document.pdf");
    SHPDF().CerfaInit(
        directory().path(), 0,
        [exchangePath, output](std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
            exchange::writeProfileString(exchangePath, "RESULTAT", "FICHIER", output);
            return 0;
        });
}

void fill(std::int16_t form)
{
    assistant::Assistant& window = assistant::assistantWindow();
    window.ensureLoaded();
    window.Combo1().select(form);
}

void BM_Fill(benchmark::State& state)
{
    setUpComponent();
    writePatient(1);
    const auto form = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        fill(form);
        state.PauseTiming();
        assistant::assistantWindow().Unload();
        state.ResumeTiming();
    }
    state.SetLabel(assistant::formTable[static_cast<std::size_t>(form)].sourcePdf);
}
BENCHMARK(BM_Fill)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Generation(benchmark::State& state)
{
    setUpComponent();
    writePatient(1);
    const auto form = static_cast<std::int16_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        fill(form);
        state.ResumeTiming();
        assistant::assistantWindow().Command2_Click();
    }
    state.SetLabel(assistant::formTable[static_cast<std::size_t>(form)].sourcePdf);
}
BENCHMARK(BM_Generation)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_Batch(benchmark::State& state)
{
    setUpComponent();
    constexpr int patients = 1000;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int patient = 1; patient <= patients; ++patient) {
            writePatient(patient);
            fill(static_cast<std::int16_t>(patient % 4));
            assistant::assistantWindow().Command2_Click();
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["documents_per_second"] = patients / seconds;
    }
}
BENCHMARK(BM_Batch)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
