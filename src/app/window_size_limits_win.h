// The main window's size limits: a link in its procedure chain that answers WM_GETMINMAXINFO
// with a minimum tracking size and the screen size as the maximum (read when installed).
#pragma once

#include <windows.h>

namespace glimwell {

inline constexpr int kMinimumWindowWidth = 745, kMinimumWindowHeight = 300;  // 96-DPI pixels

// Installs the limits once; false for a second request or when the link cannot be made.
// `minimum` is in device pixels.
bool InstallWindowSizeLimits(HWND window, SIZE minimum);

}  // namespace glimwell
