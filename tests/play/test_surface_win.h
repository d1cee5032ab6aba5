// A top-down 32-bit DIB in a memory DC for reading pixels back, also from a window's DC.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/win_handles.h"

namespace glimwell::testing {

// A top-down 32-bit DIB selected into a memory DC, read back pixel by pixel.
class Surface {
public:
    Surface(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        ScopedGetDc screen(nullptr);
        dc_.Reset(CreateCompatibleDC(screen.Get()));
        bitmap_.Reset(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0));
        select_.emplace(dc_.Get(), bitmap_.Get());
    }
    HDC Dc() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }
    // 0xRRGGBB
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }
    void Set(int x, int y, std::uint32_t rgb) { bits_[y * width_ + x] = rgb; }
    // Copies the window's (or any DC's) pixels from (0, 0).
    void CopyFrom(HDC dc) { BitBlt(dc_.Get(), 0, 0, width_, height_, dc, 0, 0, SRCCOPY); }
    void CopyFrom(HWND window) {
        ScopedGetDc dc(window);
        CopyFrom(dc.Get());
    }

private:
    int width_;
    int height_;
    ScopedMemoryDc dc_;
    ScopedBitmap bitmap_;
    std::uint32_t* bits_ = nullptr;
    std::optional<ScopedSelectObject> select_;
};

}  // namespace glimwell::testing
