// The image helpers against real GDI and GDI+: decoding, drawing 1:1 and scaled, cloning an
// area of a bitmap, the memory stream, and the progress line's geometry.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/gdiplus_session_win.h"
#include "platform/win_handles.h"
#include "play/gdiplus_wrappers_win.h"
#include "play/hglobal_stream_win.h"
#include "play/progress_strip_win.h"
#include "play/test_images.h"
#include "play/test_surface_win.h"

namespace glimwell {
namespace {

using namespace testing;

// Pixel bytes of a 2 x 2 BMP, bottom row first, B G R x: red green / blue white.
const Bytes kQuad = {0xFF, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0};
constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

class ImageHelpersTest : public ::testing::Test {
protected:
    GdiplusSession gdiplus_;
};

TEST_F(ImageHelpersTest, ImageWrapperLoadsOrRefuses) {
    Bytes huge = MakeBmp(2, 2);
    huge[18] = 0x60; huge[19] = 0xEA; huge[22] = 0x60; huge[23] = 0xEA;  // 60000 x 60000
    struct Case {
        const char* label;
        Bytes bytes;
        bool loads;
        UINT width, height;
    };
    const std::vector<Case> cases = {
        {"bmp with pixel-array bfSize", MakeBmp(3, 2), true, 3, 2},
        {"not an image", ToBytesForTest("plainly not an image file"), false, 0, 0},
        {"empty", {}, false, 0, 0},
        {"claims 60000 x 60000", huge, false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        ImageWrapper image;
        EXPECT_EQ(image.LoadFromBytes(c.bytes), c.loads);
        EXPECT_EQ(LastGdiplusStatus() == Gdiplus::Ok, c.loads);
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), c.height);
        EXPECT_EQ(image.Dispose(), c.loads);
        EXPECT_FALSE(image.Dispose());  // and the destructor releases nothing again
    }
}

TEST_F(ImageHelpersTest, DrawsImagesOneToOneAndScaled) {
    Surface surface(16, 16);
    ImageWrapper image;
    ASSERT_TRUE(image.LoadFromBytes(MakeBmp(2, 2, kQuad)));
    AttributesWrapper attributes;
    ASSERT_TRUE(attributes.Create());
    GraphicsWrapper graphics;
    ASSERT_TRUE(graphics.FromHDC(surface.Dc()));
    ASSERT_TRUE(graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor));
    ASSERT_TRUE(graphics.DrawImageRectRect(image, 3, 4, 2, 2, 0, 0, 2, 2, attributes));
    ASSERT_TRUE(graphics.DrawImageRectRect(image, 8, 8, 4, 4, 0, 0, 2, 2, attributes));
    EXPECT_TRUE(graphics.Delete());
    EXPECT_FALSE(graphics.Delete());

    const struct {
        int x, y;
        std::uint32_t rgb;
    } expected[] = {{3, 4, kRed}, {4, 4, kGreen}, {3, 5, kBlue}, {4, 5, kWhite}, {2, 4, 0}, {5, 5, 0},
                    {8, 8, kRed}, {10, 8, kGreen}, {8, 10, kBlue}, {10, 10, kWhite}, {12, 12, 0}, {7, 7, 0}};
    for (const auto& e : expected) EXPECT_EQ(surface.At(e.x, e.y), e.rgb) << e.x << "," << e.y;
}

TEST_F(ImageHelpersTest, BitmapCloneAreaCopiesTheArea) {
    Surface source(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) source.Set(x, y, static_cast<std::uint32_t>(0x101010 * (y * 4 + x)));
    BitmapWrapper bitmap;
    ASSERT_TRUE(bitmap.FromHBitmap(source.Bitmap()));
    BitmapWrapper clone;
    ASSERT_TRUE(bitmap.CloneArea(1, 2, 2, 2, PixelFormat24bppRGB, clone));
    ASSERT_TRUE(bitmap.CloneArea(0, 0, 1, 1, PixelFormat24bppRGB, clone));  // replaces, no leak
    ASSERT_TRUE(bitmap.CloneArea(1, 2, 2, 2, PixelFormat24bppRGB, clone));
    EXPECT_FALSE(bitmap.CloneArea(3, 3, 4, 4, PixelFormat24bppRGB, clone));  // outside the bitmap

    Surface target(2, 2);
    AttributesWrapper attributes;
    attributes.Create();
    GraphicsWrapper graphics;
    graphics.FromHDC(target.Dc());
    ASSERT_TRUE(graphics.DrawImageRectRect(clone, 0, 0, 2, 2, 0, 0, 2, 2, attributes));
    graphics.Delete();
    EXPECT_EQ(target.At(0, 0), 0x101010u * 9);
    EXPECT_EQ(target.At(1, 1), 0x101010u * 14);
    EXPECT_TRUE(clone.Dispose());
    EXPECT_FALSE(clone.Dispose());
}

TEST(HGlobalStreamTest, HoldsACopyOfTheBytes) {
    HGlobalStream stream;
    EXPECT_EQ(stream.GetStream(), nullptr);
    const Bytes bytes = ToBytesForTest("abc");
    for (std::size_t size : {3u, 6u}) {
        IStream* s = stream.Open(bytes, size);
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(stream.GetStream(), s);
        char read[8] = {};
        ULONG count = 0;
        s->Read(read, sizeof read, &count);
        EXPECT_EQ(count, size);
        EXPECT_EQ(std::string(read, count), std::string("abc\0\0\0", size));
    }
    stream.Release();
    EXPECT_EQ(stream.GetStream(), nullptr);
    stream.Release();
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

TEST(ProgressStripTest, LineGeometryOnPauseButton) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = PlainProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GlimwellStripHost";
    cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterClassW(&cls);
    HWND host = CreateWindowExW(WS_EX_TOPMOST, cls.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 40, 40, 120, 80, nullptr,
                                nullptr, cls.hInstance, nullptr);
    ASSERT_NE(host, nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 56, 31, host, nullptr,
                                  cls.hInstance, nullptr);
    ASSERT_NE(button, nullptr);
    Pump(300);

    ProgressStrip strip;
    strip.Bind(button);
    const struct {
        int percent;
        int progressEnd;  // first x after the green part
    } cases[] = {{0, 4}, {-5, 4}, {50, 28}, {100, 52}, {150, 52}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.percent);
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
        strip.Draw(c.percent);
        Surface shot(56, 31);
        {
            ScopedGetDc dc(button);
            BitBlt(shot.Dc(), 0, 0, 56, 31, dc.Get(), 0, 0, SRCCOPY);
        }
        for (int y : {22, 23, 24, 25}) {
            for (int x = 0; x < 56; ++x) {
                const std::uint32_t pixel = shot.At(x, y);
                if (y == 22 || y == 25 || x < 4 || x > 51) {
                    EXPECT_TRUE(pixel != kGreen && pixel != kRed) << x << "," << y;
                } else {
                    ASSERT_EQ(pixel, x < c.progressEnd ? kGreen : kRed) << x << "," << y;
                }
            }
        }
    }
    strip.Release();
    strip.Release();
    strip.Draw(50);  // unbound: nothing
    DestroyWindow(host);
}

}  // namespace
}  // namespace glimwell
