// Exchange file and handshake timings.
//   BM_ReadExchange: one ReadExchange in a typical exchange file of about 40 keys (goal: < 20 µs).
//   BM_HandshakeLatency: from the host's write of RESULTAT/FICHIER to GetCallbackPDF returning
//     (goal: median < 3 ms); run with --benchmark_repetitions to get the median.
//   BM_HandshakeWaitCpu: processor time of the waiting side over a 100 ms wait (goal: < 5 %).
#include "component/ComponentState.h"
#include "exchange/HostNotification.h"
#include "exchange/Exchange.h"
#include "exchange/ProfileFile.h"

#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <mutex>
#include <random>
#include <thread>

using namespace formalys;

namespace {

std::string benchDirectory()
{
    static const std::string dir = [] {
        std::string pattern = "/tmp/formalys-bench-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return pattern;
    }();
    return dir;
}

void writeTypicalExchangeFile(const std::string& path)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << "[PATIENT]\r\nNOM=DUPONT\r\nPRENOM=Hélène\r\nNOMASS=DUPONT\r\nPRENOMASS=Jean\r\n"
           "NUMSS=1480575123456\r\nCLENUMSS=42\r\nDATEN=05/03/1948\r\nADR1=3 rue Haute\r\n"
           "ADR2=Bâtiment B\r\nCP=69001\r\nVILLE=Lyon\r\nDIAG1=Diabète de type 2\r\n"
           "DIAG2=Hypertension artérielle\r\nDIAG3=\r\nNUMPA=1234\r\n"
           "[MEDECIN]\r\nNOM=MARTIN\r\nPRENOM=Paul\r\nIDNAT=691234567\r\n"
           "[RESULTAT]\r\nTITRE=Déclaration Médecin Traitant\r\nFICHIER=OFF\r\nLASTNUMPA=0\r\n"
           "NUMPA=1234\r\n[2035]\r\n";
    for (int i = 0; i < 18; ++i) {
        out << "L" << i << "=" << i * 1000 << "\r\n";
    }
}

void useBenchExchangeFile()
{
    ComponentState::instance().exchangePath = benchDirectory() + "/Formalys.ini";
    writeTypicalExchangeFile(ComponentState::instance().exchangePath);
}

void BM_ReadExchange(benchmark::State& state)
{
    useBenchExchangeFile();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadExchange("MEDECIN", "IDNAT", ""));
    }
}
BENCHMARK(BM_ReadExchange)->Unit(benchmark::kMicrosecond);

void BM_WriteExchange(benchmark::State& state)
{
    useBenchExchangeFile();
    int i = 0;
    for (auto _ : state) {
        WriteExchange("RESULTAT", "NUMPA", std::to_string(++i));
    }
}
BENCHMARK(BM_WriteExchange)->Unit(benchmark::kMicrosecond);

// A host thread that answers each callback after `delay`, recording when it began to write.
class DelayedHost
{
public:
    explicit DelayedHost(std::chrono::microseconds delay) : delay_(delay)
    {
        thread_ = std::thread([this] { run(); });
    }
    ~DelayedHost()
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }
    void request()
    {
        {
            std::lock_guard lock(mutex_);
            pending_ = true;
        }
        wake_.notify_one();
    }
    std::chrono::steady_clock::time_point writtenAt() const { return writtenAt_.load(); }

private:
    void run()
    {
        for (;;) {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return pending_ || stop_; });
            if (stop_) {
                return;
            }
            pending_ = false;
            lock.unlock();
            // A varying delay, so that the write lands anywhere between two reads of the waiter.
            std::this_thread::sleep_for(delay_ + std::chrono::microseconds(jitter_() % 1000));
            // Stamped before the write, so the stamp is in place when the reader sees the file.
            writtenAt_ = std::chrono::steady_clock::now();
            exchange::writeProfileString(ComponentState::instance().exchangePath, "RESULTAT",
                                         "FICHIER", "/tmp/out.pdf");
        }
    }
    std::chrono::microseconds delay_;
    std::minstd_rand jitter_{42};
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool pending_ = false;
    bool stop_ = false;
    std::atomic<std::chrono::steady_clock::time_point> writtenAt_{};
};

void BM_HandshakeLatency(benchmark::State& state)
{
    useBenchExchangeFile();
    DelayedHost host(std::chrono::microseconds(2000));
    ComponentState::instance().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t,
                                                  std::int32_t) {
        host.request();
        return 0;
    };
    for (auto _ : state) {
        GetCallbackPDF();
        const auto returned = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(returned - host.writtenAt()).count());
    }
    ComponentState::instance().hostCallback = nullptr;
}
BENCHMARK(BM_HandshakeLatency)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

void BM_HandshakeWaitCpu(benchmark::State& state)
{
    useBenchExchangeFile();
    DelayedHost host(std::chrono::milliseconds(100));
    ComponentState::instance().hostCallback = [&](std::int32_t, std::int32_t, std::int32_t,
                                                  std::int32_t) {
        host.request();
        return 0;
    };
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const double cpuStart = threadCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        GetCallbackPDF();
        cpu += threadCpuSeconds() - cpuStart;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    }
    state.counters["cpu_percent_of_a_core"] = 100.0 * cpu / wall;
    ComponentState::instance().hostCallback = nullptr;
}
BENCHMARK(BM_HandshakeWaitCpu)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
