// DwmEnableComposition, reached by name in the system's own dwmapi.dll.
#include "app/desktop_composition_win.h"

#include <windows.h>

#include "platform/win_handles.h"

namespace glimwell {

namespace {

using EnableComposition = HRESULT(WINAPI*)(UINT action);

// Calls DwmEnableComposition; false when it fails or is missing. The library is taken from the
// system folder only: a file of that name beside the program is never loaded.
bool CallEnableComposition(UINT action) {
    ScopedModule module(LoadLibraryExW(L"dwmapi.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    if (!module) return false;
    auto enable = reinterpret_cast<EnableComposition>(
        reinterpret_cast<void*>(GetProcAddress(module.Get(), "DwmEnableComposition")));
    return enable && SUCCEEDED(enable(action));
}

DWORD MajorVersion() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return 0;
#pragma GCC diagnostic pop
    return info.dwMajorVersion;
}

constexpr UINT kDisableComposition = 0;  // DWM_EC_DISABLECOMPOSITION
constexpr UINT kEnableComposition = 1;   // DWM_EC_ENABLECOMPOSITION

}  // namespace

void DesktopComposition::SwitchOff() {
    if (MajorVersion() < 6) return;
    switchedOff_ = CallEnableComposition(kDisableComposition);
}

void DesktopComposition::Restore() {
    if (!switchedOff_) return;
    switchedOff_ = false;
    CallEnableComposition(kEnableComposition);
}

}  // namespace glimwell
