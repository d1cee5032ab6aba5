// Shared pieces of the benchmark programs: a stopwatch, medians, message pumping and a
// full-screen window with desktop-like content (text, gradients and a photo-like area).
#pragma once

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/win_handles.h"

namespace glimwell::bench {

inline double NowMilliseconds() {
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

inline double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

inline void PumpMessages(int milliseconds) {
    const double end = NowMilliseconds() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    } while (NowMilliseconds() < end);
}

// A top-most, never activated window over the whole screen, drawn once into a memory bitmap:
// a white page of text at the top, a colour gradient band in the middle, a photo-like area
// of smooth shapes with grain at the bottom.
class DesktopLikeWindow {
public:
    DesktopLikeWindow(int width, int height) : width_(width), height_(height) {
        ScopedGetDc screen(nullptr);
        picture_.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
        pictureDc_.Reset(CreateCompatibleDC(screen.Get()));
        selection_ = SelectObject(pictureDc_.Get(), picture_.Get());
        Draw();

        WNDCLASSW cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"GlimwellBenchDesktop";
        RegisterClassW(&cls);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls.lpszClassName, L"",
                                  WS_POPUP, 0, 0, width, height, nullptr, nullptr, cls.hInstance, this);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        PumpMessages(300);
    }
    ~DesktopLikeWindow() {
        DestroyWindow(window_);
        SelectObject(pictureDc_.Get(), selection_);
    }
    DesktopLikeWindow(const DesktopLikeWindow&) = delete;
    DesktopLikeWindow& operator=(const DesktopLikeWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    void Draw() {
        HDC dc = pictureDc_.Get();
        const int band = height_ / 3;
        RECT page{0, 0, width_, band};
        FillRect(dc, &page, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        SetBkMode(dc, TRANSPARENT);
        HGDIOBJ font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        const wchar_t line[] = L"The quick brown fox jumps over the lazy dog 0123456789 (){}[] ";
        for (int y = 4, n = 0; y < band - 14; y += 16, ++n)
            for (int x = 4 + (n % 3) * 7; x < width_; x += 420) TextOutW(dc, x, y, line, static_cast<int>(wcslen(line)));
        SelectObject(dc, font);

        std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width_) * (height_ - band));
        std::uint32_t grain = 2024;
        for (int y = band; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                std::uint32_t rgb;
                if (y < 2 * band) {
                    rgb = (static_cast<std::uint32_t>(x * 255 / width_) << 16) |
                          (static_cast<std::uint32_t>((y - band) * 255 / band) << 8) | 0x80;
                } else {
                    grain = grain * 1103515245u + 12345u;
                    const double v = 0.5 + 0.25 * std::sin(x / 37.0) * std::cos(y / 23.0) + 0.2 * std::sin((x + y) / 90.0);
                    const int noise = static_cast<int>((grain >> 16) % 13) - 6;
                    auto channel = [&](double scale) {
                        return static_cast<std::uint32_t>(std::clamp(static_cast<int>(v * scale) + noise, 0, 255));
                    };
                    rgb = (channel(230) << 16) | (channel(180) << 8) | channel(120);
                }
                pixels[static_cast<std::size_t>(y - band) * width_ + x] = rgb;
            }
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -(height_ - band);
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        SetDIBitsToDevice(dc, 0, band, width_, height_ - band, 0, 0, 0, height_ - band, pixels.data(), &info,
                          DIB_RGB_COLORS);
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE)
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
        auto* self = reinterpret_cast<DesktopLikeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_PAINT && self) {
            ScopedPaint paint(window);
            BitBlt(paint.Dc(), 0, 0, self->width_, self->height_, self->pictureDc_.Get(), 0, 0, SRCCOPY);
            return 0;
        }
        if (message == WM_ERASEBKGND) return 1;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    int width_;
    int height_;
    ScopedBitmap picture_;
    ScopedMemoryDc pictureDc_;
    HGDIOBJ selection_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace glimwell::bench
