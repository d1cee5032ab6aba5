// Layout coordinates are written for 96 DPI; windows are made at the system DPI, so every
// place and size of a layout passes through this once when a window is built.
#pragma once

namespace glimwell {

constexpr int kLayoutDpi = 96;

// `value` (a 96-DPI pixel count, may be negative) in pixels at `dpi`, rounded to nearest.
int ScaleForDpi(int value, int dpi);

}  // namespace glimwell
