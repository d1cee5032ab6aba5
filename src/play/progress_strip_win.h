// The progress line on the control window's pause button: a two-pixel line near the bottom
// edge, background colour under it and progress colour over the played part, drawn straight
// onto the window's surface with plain GDI (a repaint of the button erases it).
#pragma once

#include <windows.h>

namespace glimwell {

class ProgressStrip {
public:
    ProgressStrip() = default;
    ~ProgressStrip() { Release(); }
    ProgressStrip(const ProgressStrip&) = delete;
    ProgressStrip& operator=(const ProgressStrip&) = delete;

    // Takes the window and its current size; the two colours are kept as the pixels of a 2 x 1
    // bitmap that Draw stretches.
    void Bind(HWND window, COLORREF progress = RGB(0, 255, 0), COLORREF background = RGB(255, 0, 0));
    // Draws the background line from x 4, width - 8 pixels wide, at height - 8, and, for a
    // positive percentage (at most 100 counted), the progress part over its left end.
    void Draw(int percent);
    void Release();

private:
    HWND window_ = nullptr;
    HDC memoryDc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace glimwell
