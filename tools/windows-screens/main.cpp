// Pictures of the Win32 windows for the README, made by the windows themselves under Wine on Xvfb
// (scripts/windows-screenshots.sh): the assistant as it opens and with form MT chosen, the about
// window and the tray menu after a pause, each written as a BMP file that the script turns into PNG.
//     formalys-windows-screens APPLICATION_DIRECTORY OUTPUT_DIRECTORY
#include "assistant/Assistant.h"
#include "component/ComponentState.h"
#include "formalys/SHPDF.h"
#include "text/WideText.h"
#include "win32/MessageLoop.h"
#include "win32/NotificationIcon.h"
#include "win32/ParamWindow.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <windows.h>

namespace {

using namespace formalys;

std::wstring outputDirectory;

// What the screen shows of `area`, written as a 24-bit BMP file.
void capture(RECT area, const wchar_t* name)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    const HBITMAP picture = ::CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ was = ::SelectObject(memory, picture);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, was);
    BITMAPINFOHEADER header{sizeof header, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const int stride = (width * 3 + 3) & ~3;
    std::string pixels(static_cast<std::size_t>(stride * height), '\0');
    ::GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
                reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header + pixels.size()),
                          0, 0, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof header)};
    std::ofstream out(std::filesystem::path(outputDirectory) / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    ::DeleteObject(picture);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
}

void captureWindow(HWND window, const wchar_t* name)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    win32::pumpMessages(300);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    capture(frame, name);
}

std::function<void()> onTimer;
void CALLBACK timerFired(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (onTimer) {
        onTimer();
    }
}

// Runs `step` once the modal loop that the next call starts is running.
void later(std::function<void()> step)
{
    onTimer = std::move(step);
    ::SetTimer(nullptr, 0, 500, timerFired);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3) {
        std::fputs("usage: formalys-windows-screens APPLICATION_DIRECTORY OUTPUT_DIRECTORY\n", stderr);
        return 2;
    }
    outputDirectory = argv[2];
    SHPDF shpdf;
    shpdf.CerfaInit(text::utf8Text(argv[1]));
    ::SetCursorPos(700, 420);

    shpdf.CerfaMenuPatient();
    win32::ParamWindow& param = win32::ParamWindow::instance();
    captureWindow(param.window(), L"windows-assistant-ouverture.bmp");
    const HWND list = ::GetDlgItem(param.window(), win32::idCombo1);
    ::SendMessageW(list, CB_SETCURSEL, 0, 0);
    ::SendMessageW(param.window(), WM_COMMAND, MAKEWPARAM(win32::idCombo1, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(list));
    captureWindow(param.window(), L"windows-assistant-MT.bmp");
    ::SendMessageW(::GetDlgItem(param.window(), win32::idCommand4), BM_CLICK, 0, 0); // the pause

    later([] {
        captureWindow(win32::trayWindow(), L"windows-about.bmp");
        ::PostMessageW(win32::trayWindow(), WM_COMMAND, IDOK, 0);
    });
    shpdf.CerfaAbout();

    later([] {
        POINT at{};
        ::GetCursorPos(&at);
        capture({at.x - 10, at.y - 10, at.x + 260, at.y + 80}, L"windows-tray-menu.bmp");
        ::EndMenu();
    });
    ::SendMessageW(win32::trayWindow(), win32::iconCallbackMessage, 0, WM_RBUTTONUP);
    win32::pumpMessages(200);
    shpdf.CerfaQuit();
    return 0;
}
