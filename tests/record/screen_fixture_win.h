// Windows test helpers for the capture tests: a top-most window that shows given pixels, the
// screen read back directly, image decoding through GDI+, and rebuilding a picture from frames.
#pragma once

#include <windows.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <vector>

#include "platform/gdiplus_session_win.h"
#include "platform/win_handles.h"
#include "record/frame_format.h"

namespace glimwell::testing_support {

inline void PumpMessages(int milliseconds) {
    const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Pixels as 0xRRGGBB, top row first.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    Picture() = default;
    Picture(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}
    std::uint32_t& At(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline BITMAPINFO TopDownInfo(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// A borderless top-most window that paints a picture of its own size.
class PictureWindow {
public:
    PictureWindow(int x, int y, const Picture& picture) : picture_(picture) {
        WNDCLASSW cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"GlimwellCaptureTestWindow";
        cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        RegisterClassW(&cls);
        // Never activated: under Wine without a window manager, hiding or destroying an active
        // window waits about two seconds for the focus to move.
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, cls.lpszClassName, L"", WS_POPUP,
                                  x, y, picture.width, picture.height, nullptr, nullptr, cls.hInstance, this);
        ShowWindow(window_, SW_SHOWNOACTIVATE);
        UpdateWindow(window_);
        PumpMessages(200);
        WaitUntilOnScreen();
    }
    ~PictureWindow() {
        if (window_) DestroyWindow(window_);
        PumpMessages(100);
    }
    PictureWindow(const PictureWindow&) = delete;
    PictureWindow& operator=(const PictureWindow&) = delete;

    HWND Handle() const { return window_; }
    void Show(const Picture& picture, int settleMilliseconds = 200) {
        picture_ = picture;
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
        PumpMessages(settleMilliseconds);
        WaitUntilOnScreen();
    }

private:
    // Wine hands a window's pixels to the X screen a little later than it paints them; a busy
    // machine can delay that beyond the settling time.
    void WaitUntilOnScreen() {
        RECT place{};
        GetWindowRect(window_, &place);
        const std::uint32_t rgb = picture_.At(0, 0);
        const COLORREF expected = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
        for (int i = 0; i < 100; ++i) {
            ScopedGetDc screen(nullptr);
            if (GetPixel(screen.Get(), place.left, place.top) == expected) return;
            PumpMessages(20);
        }
    }

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<PictureWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_PAINT && self) {
            ScopedPaint paint(window);
            const BITMAPINFO info = TopDownInfo(self->picture_.width, self->picture_.height);
            SetDIBitsToDevice(paint.Dc(), 0, 0, self->picture_.width, self->picture_.height, 0, 0, 0,
                              self->picture_.height, self->picture_.pixels.data(), &info, DIB_RGB_COLORS);
            return 0;
        }
        if (message == WM_ERASEBKGND) return 1;
        return DefWindowProcW(window, message, wParam, lParam);
    }

    Picture picture_;
    HWND window_ = nullptr;
};

// The screen area {0, 0, width, height} as the desktop DC shows it now.
inline Picture GrabScreenDirectly(int width, int height) {
    Picture picture(width, height);
    ScopedGetDc screen(nullptr);
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(screen.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        ScopedSelectObject select(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) picture.pixels[i] = source[i] & 0xFFFFFF;
    return picture;
}

// Decodes a BMP, PNG or JPEG file with GDI+.
inline std::optional<Picture> DecodeImage(ByteView file) {
    using namespace Gdiplus::DllExports;
    IStream* stream = SHCreateMemStream(file.data(), static_cast<UINT>(file.size()));
    if (!stream) return std::nullopt;
    Gdiplus::GpBitmap* bitmap = nullptr;
    const Gdiplus::GpStatus created = GdipCreateBitmapFromStream(stream, &bitmap);
    std::optional<Picture> result;
    if (created == Gdiplus::Ok && bitmap) {
        UINT w = 0, h = 0;
        GdipGetImageWidth(bitmap, &w);
        GdipGetImageHeight(bitmap, &h);
        Gdiplus::BitmapData data{};
        Gdiplus::GpRect area(0, 0, static_cast<INT>(w), static_cast<INT>(h));
        if (GdipBitmapLockBits(bitmap, &area, Gdiplus::ImageLockModeRead, PixelFormat32bppRGB, &data) == Gdiplus::Ok) {
            Picture picture(static_cast<int>(w), static_cast<int>(h));
            for (UINT y = 0; y < h; ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const std::uint8_t*>(data.Scan0) +
                                                                          static_cast<std::ptrdiff_t>(y) * data.Stride);
                for (UINT x = 0; x < w; ++x) picture.At(static_cast<int>(x), static_cast<int>(y)) = row[x] & 0xFFFFFF;
            }
            GdipBitmapUnlockBits(bitmap, &data);
            result = std::move(picture);
        }
        GdipDisposeImage(bitmap);
    }
    stream->Release();
    return result;
}

// Applies the records of a frame to a picture the way the player does: each image drawn unscaled
// at its X, Y, clipped to the picture. Returns how many records decoded.
inline int ApplyFrame(Picture& picture, ByteView frame) {
    int decoded = 0;
    for (const DecodedRecord& record : ReadFrameRecords(frame)) {
        const auto image = DecodeImage(record.payload);
        if (!image) continue;
        ++decoded;
        for (int y = 0; y < image->height; ++y)
            for (int x = 0; x < image->width; ++x) {
                const int px = record.x + x, py = record.y + y;
                if (px >= 0 && py >= 0 && px < picture.width && py < picture.height) picture.At(px, py) = image->At(x, y);
            }
    }
    return decoded;
}

// Pixels whose channels differ by more than `tolerance` within a rectangle.
inline int CountDifferences(const Picture& a, const Picture& b, RECT area, int tolerance = 0) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) {
            const std::uint32_t p = a.At(x, y), q = b.At(x, y);
            for (int shift : {0, 8, 16})
                if (std::abs(static_cast<int>((p >> shift) & 0xFF) - static_cast<int>((q >> shift) & 0xFF)) > tolerance) {
                    ++count;
                    break;
                }
        }
    return count;
}

// Starts GDI+ once for a test suite.
class GdiplusTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = new GdiplusSession(); }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }
    static inline GdiplusSession* session_ = nullptr;
};

}  // namespace glimwell::testing_support
