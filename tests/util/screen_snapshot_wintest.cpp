// The snapshot is a complete 24-bit BMP file of the primary screen and shows what the screen shows.
#include "util/screen_snapshot_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/byte_io.h"

namespace glimwell {
namespace {

constexpr COLORREF kColour = RGB(200, 40, 90);

LRESULT CALLBACK FillProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT area;
        GetClientRect(window, &area);
        HBRUSH brush = CreateSolidBrush(kColour);
        FillRect(reinterpret_cast<HDC>(wParam), &area, brush);
        DeleteObject(brush);
        return 1;
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

TEST(ScreenSnapshotTest, FullScreenBmpFileWithTheScreenContent) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = FillProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GlimwellSnapshotTestWindow";
    RegisterClassW(&cls);
    HWND window = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 300, 200, 50, 40,
                                  nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    Pump(400);

    const Bytes bmp = TakeScreenSnapshot();
    DestroyWindow(window);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const std::uint32_t stride = (width * 3 + 3) & ~3;
    ASSERT_EQ(bmp.size(), 54u + stride * height);
    if (width == 1920 && height == 1080) {
        EXPECT_EQ(bmp.size(), 6220854u);
    }
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(ReadU32At(bmp, 2), bmp.size());
    EXPECT_EQ(ReadU32At(bmp, 6), 0u);
    EXPECT_EQ(ReadU32At(bmp, 10), 54u);
    EXPECT_EQ(ReadU32At(bmp, 14), 40u);
    EXPECT_EQ(ReadU32At(bmp, 18), static_cast<std::uint32_t>(width));
    EXPECT_EQ(ReadU32At(bmp, 22), static_cast<std::uint32_t>(height));
    EXPECT_EQ(ReadU16At(bmp, 26), 1);
    EXPECT_EQ(ReadU16At(bmp, 28), 24);
    EXPECT_EQ(ReadU32At(bmp, 30), 0u);
    for (std::size_t i = 38; i < 54; ++i) EXPECT_EQ(bmp[i], 0) << i;

    // Rows are bottom-up, pixels blue, green, red.
    auto pixel = [&](int x, int y) {
        const std::size_t at = 54 + static_cast<std::size_t>(height - 1 - y) * stride + x * 3;
        return RGB(bmp[at + 2], bmp[at + 1], bmp[at]);
    };
    EXPECT_EQ(pixel(300, 200), kColour);
    EXPECT_EQ(pixel(349, 239), kColour);
    EXPECT_NE(pixel(351, 241), kColour);
}

}  // namespace
}  // namespace glimwell
