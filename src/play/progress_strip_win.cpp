// ProgressStrip: StretchBlt of single pixels onto the bound window's DC.
#include "play/progress_strip_win.h"

#include <algorithm>
#include <utility>

#include "platform/win_handles.h"

namespace glimwell {

namespace {

constexpr int kInset = 4;        // from the left and right edges
constexpr int kFromBottom = 8;   // top of the line, from the bottom edge
constexpr int kLineHeight = 2;

}  // namespace

void ProgressStrip::Bind(HWND window, COLORREF progress, COLORREF background) {
    Release();
    window_ = window;
    RECT rect{};
    GetWindowRect(window, &rect);
    width_ = rect.right - rect.left;
    height_ = rect.bottom - rect.top;
    ScopedGetDc screen(nullptr);
    memoryDc_ = CreateCompatibleDC(screen.Get());
    bitmap_ = CreateCompatibleBitmap(screen.Get(), 2, 1);
    if (!memoryDc_ || !bitmap_) {
        Release();
        return;
    }
    previousBitmap_ = SelectObject(memoryDc_, bitmap_);
    SetPixel(memoryDc_, 0, 0, background);
    SetPixel(memoryDc_, 1, 0, progress);
}

void ProgressStrip::Draw(int percent) {
    if (!memoryDc_) return;
    ScopedGetDc dc(window_);
    if (!dc) return;
    const int lineWidth = width_ - 2 * kInset;
    const int top = height_ - kFromBottom;
    StretchBlt(dc.Get(), kInset, top, lineWidth, kLineHeight, memoryDc_, 0, 0, 1, 1, SRCCOPY);
    if (percent > 0) {
        const int done = static_cast<int>(lineWidth / 100.0 * std::min(percent, 100));
        StretchBlt(dc.Get(), kInset, top, done, kLineHeight, memoryDc_, 1, 0, 1, 1, SRCCOPY);
    }
}

void ProgressStrip::Release() {
    if (memoryDc_ && previousBitmap_) SelectObject(memoryDc_, std::exchange(previousBitmap_, nullptr));
    if (bitmap_) DeleteObject(std::exchange(bitmap_, nullptr));
    if (memoryDc_) DeleteDC(std::exchange(memoryDc_, nullptr));
    window_ = nullptr;
}

}  // namespace glimwell
