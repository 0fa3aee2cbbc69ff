// The assistant window on the offscreen platform, with the shipped templates and grids.
//   BM_AssistantShown:   from CerfaAssistant (a QApplication already there) to the window shown
//                        with MT chosen and its sheet painted, on the resume path: the patient's
//                        paused work is loaded back, then paused again (goal: median under 100 ms).
//   BM_FormChosen/<i>:   from choosing form i in the list to its sheet painted (goal: under 50 ms).
//   BM_PreviewRefreshed/<i>: with the preview open on form i, from the edit of a cell to page 1
//                        of the preview made again and painted, the delay after typing not counted
//                        (goal: under 150 ms).
//   --first-window:      not a benchmark: starts this program again 9 times and reports, for each
//                        new process, the time from its start to its first window painted,
//                        QApplication creation included (goal: median under 300 ms), then the time
//                        to the first opening of the preview, painted (goal: under 300 ms), and the
//                        memory of a process with the window and its preview open (goal: under
//                        80 MB).
#include "BenchDirectory.h"
#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "formalys/SHPDF.h"
#include "qt/AssistantWindow.h"
#include "qt/PreviewPages.h"
#include "qt/PreviewWindow.h"
#include "qt/QtWindows.h"
#include "qt/SheetView.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace formalys;
namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

namespace {

// An application directory with the shipped templates and grids and the demo patient, on which
// the windows act.
class DemoDirectory : public BenchDirectory
{
public:
    DemoDirectory()
    {
        fs::copy(FORMALYS_DEMO_EXCHANGE, file("Formalys.ini"));
        // No tray icon: offscreen has no notification area, and the first pause would stop on
        // the message that says so.
        SHPDF().CerfaInit(path(), -1);
        qt::install();
    }
};

qt::AssistantWindow& window() { return qt::AssistantWindow::instance(); }

// Paints the sheet now, as the screen would on its next frame.
void paintSheet() { window().SSData->viewport()->repaint(); }

void BM_AssistantShown(benchmark::State& state)
{
    const DemoDirectory dir;
    SHPDF().CerfaMenuPatient(); // the patient's work on MT, paused
    window().Combo1->setCurrentIndex(0);
    emit window().Combo1->activated(0);
    window().Command4->click();
    for (auto _ : state) {
        SteadyClock::time_point shown;
        QTimer::singleShot(0, [&] {
            paintSheet();
            shown = SteadyClock::now();
            window().Command4->click(); // paused again for the next round
        });
        const auto start = SteadyClock::now();
        SHPDF().CerfaAssistant();
        state.SetIterationTime(std::chrono::duration<double>(shown - start).count());
        if (window().Combo1->currentIndex() != 0) {
            state.SkipWithError("the paused form did not come back");
        }
    }
    SHPDF().CerfaMenuPatient();
    window().done(0);
}
BENCHMARK(BM_AssistantShown)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(50);

void BM_FormChosen(benchmark::State& state)
{
    const DemoDirectory dir;
    const auto form = static_cast<int>(state.range(0));
    SHPDF().CerfaMenuPatient();
    for (auto _ : state) {
        emit window().Combo1->activated(form);
        paintSheet();
    }
    window().done(0);
}
BENCHMARK(BM_FormChosen)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

void BM_PreviewRefreshed(benchmark::State& state)
{
    const DemoDirectory dir;
    const auto form = static_cast<int>(state.range(0));
    SHPDF().CerfaMenuPatient();
    emit window().Combo1->activated(form);
    window().showPreview(true);
    QAbstractItemModel* model = window().SSData->model();
    QModelIndex cell; // the first cell the user can type into
    for (int row = 0; row < model->rowCount() && !cell.isValid(); ++row) {
        if (model->flags(model->index(row, 1)) & Qt::ItemIsEditable) {
            cell = model->index(row, 1);
        }
    }
    int round = 0;
    for (auto _ : state) {
        model->setData(cell, QString("DURAND %1").arg(++round));
        window().updatePreview(); // what the delay after typing starts
        window().preview()->pages()->repaint();
    }
    window().showPreview(false);
    window().done(0);
    assistant::assistantWindow().Unload(); // the edits go with it: the next form asks nothing
}
BENCHMARK(BM_PreviewRefreshed)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// In a new process: the first window, painted; writes the milliseconds from the process's start and
// the peak memory in kilobytes to stdout.
int firstWindow(int argc, char** argv, SteadyClock::time_point started)
{
    const DemoDirectory dir;
    QApplication application(argc, argv);
    SHPDF().CerfaMenuPatient();
    window().Combo1->setCurrentIndex(0);
    emit window().Combo1->activated(0);
    paintSheet();
    const auto painted = SteadyClock::now();
    const auto ms = std::chrono::duration<double, std::milli>(painted - started).count();
    window().showPreview(true);
    window().preview()->pages()->repaint();
    const auto preview = std::chrono::duration<double, std::milli>(SteadyClock::now() - painted).count();
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%.1f %ld %.1f\n", ms, usage.ru_maxrss, preview);
    window().done(0);
    return 0;
}

// Runs `--first-window` in 9 new processes, timed from before each fork; prints the median and the
// largest memory.
int firstWindows(const char* self)
{
    std::vector<double> times;
    std::vector<double> previews;
    long memory = 0;
    for (int run = 0; run < 9; ++run) {
        int out[2];
        if (::pipe(out) != 0) {
            return 1;
        }
        const auto start = SteadyClock::now();
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(out[1], STDOUT_FILENO);
            ::execl(self, self, "--in-child", nullptr);
            std::_Exit(127);
        }
        ::close(out[1]);
        char line[64] = {};
        const auto got = ::read(out[0], line, sizeof line - 1);
        const auto painted = SteadyClock::now();
        ::close(out[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        double inside = 0;
        long kilobytes = 0;
        double preview = 0;
        if (got <= 0 || std::sscanf(line, "%lf %ld %lf", &inside, &kilobytes, &preview) != 3) {
            std::fprintf(stderr, "the child process failed\n");
            return 1;
        }
        times.push_back(std::chrono::duration<double, std::milli>(painted - start).count());
        previews.push_back(preview);
        memory = std::max(memory, kilobytes);
    }
    std::sort(times.begin(), times.end());
    std::printf("first window painted, from the fork: median %.0f ms (min %.0f, max %.0f)\n", times[4],
                times.front(), times.back());
    std::sort(previews.begin(), previews.end());
    std::printf("first opening of the preview, painted: median %.0f ms (min %.0f, max %.0f)\n",
                previews[4], previews.front(), previews.back());
    std::printf("peak memory with the window and its preview open: %.1f MB\n",
                static_cast<double>(memory) / 1024.0);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const auto started = SteadyClock::now();
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}); // offscreen's notes
    if (argc > 1 && std::string(argv[1]) == "--in-child") {
        return firstWindow(1, argv, started);
    }
    if (argc > 1 && std::string(argv[1]) == "--first-window") {
        return firstWindows("/proc/self/exe");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
