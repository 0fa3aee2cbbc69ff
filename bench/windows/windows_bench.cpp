// The Win32 assistant's speed under Wine (Google Benchmark has no MinGW build here, so this program
// times with the steady clock and prints medians): the first show of the window in the process,
// then, window after window, CerfaMenuPatient to the window shown and painted, and a form chosen in
// the list to its sheet painted.
//     formalys-windows-bench APPLICATION_DIRECTORY [ROUNDS]
#include "assistant/Assistant.h"
#include "formalys/SHPDF.h"
#include "text/WideText.h"
#include "win32/MessageLoop.h"
#include "win32/ParamWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

using namespace formalys;
using Clock = std::chrono::steady_clock;

double milliseconds(Clock::time_point since)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

void paint(HWND window)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fputs("usage: formalys-windows-bench APPLICATION_DIRECTORY [ROUNDS]\n", stderr);
        return 2;
    }
    const int rounds = argc > 2 ? std::max(1, static_cast<int>(std::wcstol(argv[2], nullptr, 10))) : 20;
    SHPDF shpdf;
    shpdf.CerfaInit(text::utf8Text(argv[1]), -1);
    std::vector<double> shows, picks;
    for (int round = 0; round <= rounds; ++round) {
        const Clock::time_point start = Clock::now();
        shpdf.CerfaMenuPatient();
        win32::ParamWindow& param = win32::ParamWindow::instance();
        paint(param.window());
        const double shown = milliseconds(start);
        const HWND list = ::GetDlgItem(param.window(), win32::idCombo1);
        const Clock::time_point pick = Clock::now();
        ::SendMessageW(list, CB_SETCURSEL, 0, 0);
        ::SendMessageW(param.window(), WM_COMMAND, MAKEWPARAM(win32::idCombo1, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(list));
        paint(param.window());
        const double picked = milliseconds(pick);
        if (round == 0) {
            std::printf("first show in the process: %.1f ms, MT chosen: %.1f ms\n", shown, picked);
        } else {
            shows.push_back(shown);
            picks.push_back(picked);
        }
        assistant::assistantWindow().Unload();
        ::ShowWindow(param.window(), SW_HIDE);
        win32::pumpMessages(0);
    }
    std::printf("CerfaMenuPatient to the window painted: median %.1f ms over %d rounds\n",
                median(shows), rounds);
    std::printf("MT chosen to its sheet painted: median %.1f ms\n", median(picks));
    // The core's share: the fill of MT alone, no window.
    std::vector<double> fills;
    for (int round = 0; round < rounds; ++round) {
        assistant::assistantWindow().ensureLoaded();
        const Clock::time_point start = Clock::now();
        assistant::assistantWindow().Combo1().select(0);
        fills.push_back(milliseconds(start));
        assistant::assistantWindow().Unload();
    }
    std::printf("of which the fill of MT in the core: median %.1f ms\n", median(fills));
    return 0;
}
