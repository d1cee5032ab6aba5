// WindowSizeLimits as a window subclass.
#include "app/window_size_limits_win.h"

#include <commctrl.h>

namespace glimwell {

namespace {

constexpr UINT_PTR kLimitsLinkId = 0x6c69;
// Marks a window whose limits are installed, so that a second request is refused.
constexpr wchar_t kInstalledProperty[] = L"GlimwellSizeLimits";

struct Limits {
    SIZE minimum;
    SIZE maximum;
};

LRESULT CALLBACK LimitsLink(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* limits = reinterpret_cast<Limits*>(data);
    if (message == WM_GETMINMAXINFO) {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize = {limits->minimum.cx, limits->minimum.cy};
        info->ptMaxTrackSize = {limits->maximum.cx, limits->maximum.cy};
        return DefWindowProcW(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, LimitsLink, kLimitsLinkId);
        RemovePropW(window, kInstalledProperty);
        delete limits;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool InstallWindowSizeLimits(HWND window, SIZE minimum) {
    if (!window || GetPropW(window, kInstalledProperty)) return false;
    auto* limits = new Limits{minimum, {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}};
    if (!SetWindowSubclass(window, LimitsLink, kLimitsLinkId, reinterpret_cast<DWORD_PTR>(limits))) {
        delete limits;
        return false;
    }
    SetPropW(window, kInstalledProperty, reinterpret_cast<HANDLE>(1));
    return true;
}

}  // namespace glimwell
