#include "win32/Module.h"

#include "text/WideText.h"

#include <map>
#include <oleacc.h>
#include <tuple>

namespace formalys::win32 {

namespace {

const wchar_t* const nameProperty = L"Formalys.Name";

// The manifest of the component's windows (Windows.rc), as an activation context made once.
HANDLE activationContext()
{
    static const HANDLE context = [] {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(moduleInstance(), path, MAX_PATH);
        ACTCTXW request{};
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = moduleInstance();
        request.lpSource = path;
        request.lpResourceName = MAKEINTRESOURCEW(2);
        return ::CreateActCtxW(&request);
    }();
    return context;
}

} // namespace

HINSTANCE moduleInstance()
{
    static const HINSTANCE instance = [] {
        HMODULE module = nullptr;
        ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(&moduleInstance), &module);
        return module;
    }();
    return instance;
}

int dpiOf(HWND window)
{
    // GetDpiForWindow exists from Windows 10 on; an older system scales every window at 96 dpi.
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    const UINT dpi = getDpi != nullptr && window != nullptr ? getDpi(window) : 0;
    return dpi > 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int pixels(int twips, int dpi)
{
    return ::MulDiv(twips, dpi, 1440);
}

int twips(int pixels, int dpi)
{
    return ::MulDiv(pixels, 1440, dpi);
}

HFONT messageFont(int dpi, bool bold, const wchar_t* face)
{
    static std::map<std::tuple<int, bool, std::wstring>, HFONT> fonts;
    const auto key = std::make_tuple(dpi, bold, std::wstring(face != nullptr ? face : L""));
    if (const auto found = fonts.find(key); found != fonts.end()) {
        return found->second;
    }
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    // The system gives the font at the system's resolution; the window may stand at another one.
    const HDC screen = ::GetDC(nullptr);
    const int systemDpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    font.lfHeight = ::MulDiv(font.lfHeight, dpi, systemDpi > 0 ? systemDpi : 96);
    if (bold) {
        font.lfWeight = FW_BOLD;
    }
    if (face != nullptr) {
        ::lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    }
    return fonts[key] = ::CreateFontIndirectW(&font);
}

void nameControl(HWND control, const char* name, const char* accessibleName)
{
    ::SetPropW(control, nameProperty,
               reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(
                   ::GlobalAddAtomW(text::wideText(name).c_str()))));
    // The screen reader's name, through the accessibility annotations of the system. Where they
    // are not available the reader falls back on the control's text or the label before it.
    IAccPropServices* services = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_IAccPropServices,
                                     reinterpret_cast<void**>(&services)))) {
        services->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                 PROPID_ACC_NAME, text::wideText(accessibleName).c_str());
        services->Release();
    }
}

std::string controlName(HWND control)
{
    const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(::GetPropW(control, nameProperty)));
    wchar_t name[64] = {};
    return atom != 0 && ::GlobalGetAtomNameW(atom, name, 64) > 0 ? text::utf8Text(name) : "";
}

void setText(HWND window, const std::string& text)
{
    ::SetWindowTextW(window, text::wideText(text).c_str());
}

std::string textOf(HWND window)
{
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(),
                                                          static_cast<int>(text.size()))));
    return text::utf8Text(text);
}

ActivationScope::ActivationScope()
{
    const HANDLE context = activationContext();
    active_ = context != INVALID_HANDLE_VALUE && ::ActivateActCtx(context, &cookie_) != FALSE;
}

ActivationScope::~ActivationScope()
{
    if (active_) {
        ::DeactivateActCtx(0, cookie_);
    }
}

} // namespace formalys::win32
