// Proves the test bench: a window painted with a known pattern is read back from the
// desktop DC with the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/win_handles.h"

namespace glimwell {
namespace {

constexpr int kSize = 64;

COLORREF PatternAt(int x, int y) { return RGB(x * 4, y * 4, (x ^ y) * 4); }

LRESULT CALLBACK PatternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ScopedPaint paint(window);
        for (int y = 0; y < kSize; ++y)
            for (int x = 0; x < kSize; ++x) SetPixel(paint.Dc(), x, y, PatternAt(x, y));
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
}

TEST(ScreenReadbackTest, DesktopBitBltSeesPaintedWindow) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = PatternProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GlimwellPatternWindow";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 100, 120, kSize,
                                  kSize, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    UpdateWindow(window);
    Pump(500);

    ScopedGetDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    ASSERT_TRUE(bitmap);
    {
        ScopedSelectObject select(memory.Get(), bitmap.Get());
        ASSERT_TRUE(BitBlt(memory.Get(), 0, 0, kSize, kSize, screen.Get(), 100, 120, SRCCOPY | CAPTUREBLT));
    }
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    int mismatches = 0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const COLORREF c = PatternAt(x, y);
            const DWORD expected = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            if ((pixels[y * kSize + x] & 0xFFFFFF) != expected) ++mismatches;
        }
    EXPECT_EQ(mismatches, 0);
    DestroyWindow(window);
}

}  // namespace
}  // namespace glimwell
