// A night batch as a host runs it through the C interface of libformalys: for 1,000 (or 10,000)
// different patients, the host writes the exchange file, then formalys_generate fills MT and writes the
// patient's document. Reports documents per second and the process's peak resident memory.
#include "BenchDirectory.h"
#include "formalys/formalys.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

void writePatient(const fs::path& directory, int number)
{
    std::ofstream out(directory / "Formalys.ini", std::ios::binary | std::ios::trunc);
    out << "[PATIENT]\r\nNUMPA=" << number << "\r\nNOM=Lefèvre" << number
        << "\r\nPRENOM=Zoé\r\nNOMASS=Lefèvre\r\nPRENOMASS=Jérôme\r\nNUMSS=17503691"
        << 10000 + number << "\r\nCLENUMSS=87\r\nDATEN=14/06/2012\r\n"
        << "ADR1=" << number << " rue de l'Église\r\nADR2=Bâtiment C\r\nCP=69003\r\nVILLE=Lyon\r\n"
        << "DIAG1=Diabète de type 1\r\nDIAG2=Hypothyroïdie\r\n"
        << "[MEDECIN]\r\nNOM=Béranger\r\nPRENOM=Cécile\r\nIDNAT=691234567\r\n";
}

void BM_GenerateBatch(benchmark::State& state)
{
    const BenchDirectory bench;
    const fs::path directory = bench.path();
    const fs::path documents = directory / "documents";
    fs::create_directory(documents);
    const int patients = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int patient = 1; patient <= patients; ++patient) {
            writePatient(directory, patient);
            const std::string out = (documents / ("MT " + std::to_string(patient) + ".pdf")).string();
            if (formalys_generate(directory.c_str(), "MT", nullptr, out.c_str()) != 0) {
                state.SkipWithError(formalys_last_error());
                break;
            }
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.counters["documents_per_second"] = patients / seconds;
    }
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_resident_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    // Of the resident memory, what is the process's own (heap, stacks) rather than pages of the
    // shared libraries' files, which every process that loads Qt or QPDF shares.
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("RssAnon:", 0) == 0) {
            state.counters["own_resident_MB"] = std::stod(line.substr(8)) / 1024.0;
        }
    }
}
// 1,000 documents for the rate; 10,000 to see that the resident memory stays flat (run one with
// --benchmark_filter=BM_GenerateBatch/1000/ or /10000/).
BENCHMARK(BM_GenerateBatch)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
