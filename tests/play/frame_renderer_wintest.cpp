// FrameRenderer on a real window: records drawn 1:1 and scaled onto the canvas and into the
// kept picture, the frame and record edge cases, repaints from the kept picture alone, and the
// canvas's own procedure back after Detach.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/gdiplus_session_win.h"
#include "play/frame_renderer_win.h"
#include "play/frame_splitter.h"
#include "play/image_extent.h"
#include "record/screen_capturer_win.h"
#include "play/test_images.h"
#include "play/test_surface_win.h"

namespace glimwell {
namespace {

using namespace testing;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

Bytes Solid(int width, int height, std::uint32_t rgb) {
    const Bytes pixel = {static_cast<std::uint8_t>(rgb), static_cast<std::uint8_t>(rgb >> 8),
                         static_cast<std::uint8_t>(rgb >> 16), 0};
    return MakeBmp(width, height, pixel);
}

int canvasPaints = 0;

LRESULT CALLBACK CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        ++canvasPaints;
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() < end);
}

class FrameRendererTest : public ::testing::Test {
protected:
    // One top-level window for the suite (creating one under Wine takes seconds); each test
    // draws on a fresh child canvas inside it.
    static void SetUpTestSuite() {
        WNDCLASSW cls{};
        cls.lpfnWndProc = CanvasProc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"GlimwellRendererCanvas";
        cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        RegisterClassW(&cls);
        host_ = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 60, 4 * kWidth, 4 * kHeight,
                                nullptr, nullptr, cls.hInstance, nullptr);
    }
    static void TearDownTestSuite() { DestroyWindow(host_); }
    void SetUp() override {
        ASSERT_NE(host_, nullptr);
        canvas_ = CreateWindowExW(0, L"GlimwellRendererCanvas", L"", WS_CHILD | WS_VISIBLE, 0, 0, kWidth, kHeight, host_,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(canvas_, nullptr);
        Pump(30);
    }
    void TearDown() override {
        renderer_.Detach();
        if (canvas_) DestroyWindow(canvas_);
    }

    static constexpr int kWidth = 64;
    static constexpr int kHeight = 48;
    GdiplusSession gdiplus_;
    static inline HWND host_ = nullptr;
    HWND canvas_ = nullptr;
    FrameRenderer renderer_;
};

TEST_F(FrameRendererTest, AttachRoutesCanvasMessagesUntilDetach) {
    EXPECT_FALSE(renderer_.Attach(nullptr, kWidth, kHeight, false));
    ASSERT_TRUE(renderer_.Attach(canvas_, kWidth, kHeight, false));
    EXPECT_FALSE(renderer_.Attach(canvas_, 10, 10, true));
    const HDC picture = renderer_.PictureDc();
    Surface shot(kWidth, kHeight);
    shot.CopyFrom(renderer_.PictureDc());
    EXPECT_EQ(shot.At(5, 5), 0u);  // starts black

    canvasPaints = 0;
    InvalidateRect(canvas_, nullptr, FALSE);
    UpdateWindow(canvas_);
    EXPECT_EQ(canvasPaints, 0);  // painted by the renderer
    EXPECT_EQ(renderer_.PictureDc(), picture);

    renderer_.Detach();
    renderer_.Detach();
    EXPECT_EQ(renderer_.PictureDc(), nullptr);
    InvalidateRect(canvas_, nullptr, FALSE);
    UpdateWindow(canvas_);
    EXPECT_EQ(canvasPaints, 1);
    renderer_.DrawFrame(Record(0, 0, Solid(2, 2, kRed)));  // unattached: nothing, no crash
}

TEST_F(FrameRendererTest, DrawsRecordsOneToOneWithTheEdgeCases) {
    ASSERT_TRUE(renderer_.Attach(canvas_, kWidth, kHeight, false));
    const Bytes red = Solid(4, 3, kRed);
    Bytes noTrailer = Record(30, 30, Solid(2, 2, kBlue));
    noTrailer.resize(noTrailer.size() - RegionTrailer.size());
    const std::vector<Bytes> frames = {
        Concat({Record(10, 5, red), Record(11, 6, Solid(2, 2, kGreen))}),  // a later record overwrites
        {}, ToBytesForTest("0123456789"), Bytes(10, 0xFF),                   // 0-10 bytes: nothing
        noTrailer,                                                          // last record without trailer
        Concat({Record(40, 10, Solid(1, 1, kWhite)), RegionTrailer, Record(41, 10, Solid(1, 1, kWhite))}),
        Record(-2, -2, Solid(4, 4, kRed)),                                  // clipped at the top left
        Record(62, 46, Solid(4, 4, kGreen)),                                // clipped at the bottom right
        Record(20, 20, ToBytesForTest("not an image")),                     // skipped
        Concat({Record(50, 5, CollidingBytes()), Record(50, 5, Solid(2, 2, kBlue))}),  // bad payload, next draws
    };
    for (const Bytes& frame : frames) renderer_.DrawFrame(frame);

    const struct {
        int x, y;
        std::uint32_t rgb;
    } expected[] = {{10, 5, kRed}, {13, 7, kRed}, {11, 6, kGreen}, {12, 7, kGreen}, {14, 5, 0}, {10, 8, 0},
                    {30, 30, kBlue}, {31, 31, kBlue}, {40, 10, kWhite}, {41, 10, kWhite}, {0, 0, kRed}, {1, 1, kRed},
                    {2, 2, 0}, {62, 46, kGreen}, {63, 47, kGreen}, {61, 45, 0}, {20, 20, 0}, {50, 5, kBlue}};
    Surface canvas(kWidth, kHeight);
    canvas.CopyFrom(canvas_);
    Surface picture(kWidth, kHeight);
    picture.CopyFrom(renderer_.PictureDc());
    for (const auto& e : expected) {
        EXPECT_EQ(canvas.At(e.x, e.y), e.rgb) << "canvas " << e.x << "," << e.y;
        EXPECT_EQ(picture.At(e.x, e.y), e.rgb) << "picture " << e.x << "," << e.y;
    }

    // A repaint without stretch copies the picture 1:1.
    RECT all{0, 0, kWidth, kHeight};
    {
        ScopedGetDc dc(canvas_);
        FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    InvalidateRect(canvas_, nullptr, FALSE);
    UpdateWindow(canvas_);
    Surface repainted(kWidth, kHeight);
    repainted.CopyFrom(canvas_);
    for (const auto& e : expected) EXPECT_EQ(repainted.At(e.x, e.y), e.rgb) << "repaint " << e.x << "," << e.y;
}

TEST_F(FrameRendererTest, StretchesToTheCanvasAndRepaintsFromThePicture) {
    SetWindowPos(canvas_, nullptr, 0, 0, kWidth / 2, kHeight / 2, SWP_NOMOVE | SWP_NOZORDER);
    Pump(50);
    ASSERT_TRUE(renderer_.Attach(canvas_, kWidth, kHeight, true, Gdiplus::InterpolationModeNearestNeighbor));
    renderer_.DrawFrame(Record(16, 8, Solid(8, 8, kRed)));
    Surface half(kWidth / 2, kHeight / 2);
    half.CopyFrom(canvas_);
    EXPECT_EQ(half.At(9, 5), kRed);
    EXPECT_EQ(half.At(10, 6), kRed);
    EXPECT_EQ(half.At(5, 2), 0u);
    EXPECT_EQ(half.At(14, 10), 0u);
    Surface picture(kWidth, kHeight);
    picture.CopyFrom(renderer_.PictureDc());
    EXPECT_EQ(picture.At(16, 8), kRed);
    EXPECT_EQ(picture.At(23, 15), kRed);
    EXPECT_EQ(picture.At(24, 16), 0u);

    // Growing the canvas repaints it, scaled anew, from the kept picture alone.
    SetWindowPos(canvas_, nullptr, 0, 0, kWidth * 2, kHeight * 2, SWP_NOMOVE | SWP_NOZORDER);
    UpdateWindow(canvas_);
    Pump(50);
    Surface doubled(kWidth * 2, kHeight * 2);
    doubled.CopyFrom(canvas_);
    EXPECT_EQ(doubled.At(34, 18), kRed);
    EXPECT_EQ(doubled.At(45, 29), kRed);
    EXPECT_EQ(doubled.At(30, 14), 0u);
    EXPECT_EQ(doubled.At(50, 34), 0u);
}

// Recordings made by our own capturer, in each mode: the frame splits by structure exactly as
// plain splitting splits it, and the kept picture equals the recorded screen (JPEG closely).
TEST_F(FrameRendererTest, RoundTripOfCapturedScreen) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    {
        // Something to see: colour bands in the canvas.
        ScopedGetDc dc(canvas_);
        for (int i = 0; i < 8; ++i) {
            RECT band{i * 8, 0, i * 8 + 8, kHeight};
            ScopedBrush brush(CreateSolidBrush(RGB(i * 32, 255 - i * 32, (i * 77) % 256)));
            FillRect(dc.Get(), &band, brush.Get());
        }
    }
    GdiFlush();
    Surface screen(width, height);
    screen.CopyFrom(static_cast<HWND>(nullptr));
    for (const int mode : {1, 2, 3}) {
        SCOPED_TRACE(mode);
        ScreenCapturer capturer;
        ASSERT_TRUE(capturer.Setup(32, 15, false, 90, mode));
        const Bytes frame = capturer.CaptureWholeScreen();
        capturer.Teardown();
        ASSERT_FALSE(frame.empty());
        const std::vector<DecodedRecord> records = ReadRecords(frame);
        ASSERT_EQ(records.size(), ReadFrameRecords(frame).size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            EXPECT_EQ(records[i].payload.size(), ReadFrameRecords(frame)[i].payload.size());
            EXPECT_TRUE(MeasureImage(records[i].payload)) << "record " << i << " walked by its structure";
        }

        FrameRenderer renderer;
        ASSERT_TRUE(renderer.Attach(canvas_, width, height, false));
        renderer.DrawFrame(frame);
        Surface picture(width, height);
        picture.CopyFrom(renderer.PictureDc());
        const int tolerance = mode == 1 ? 48 : 0;
        int worst = 0;
        for (int y = 0; y < height; y += 3) {
            for (int x = 0; x < width; x += 5) {
                const std::uint32_t a = screen.At(x, y), b = picture.At(x, y);
                for (int shift : {0, 8, 16})
                    worst = std::max(worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
            }
        }
        EXPECT_LE(worst, tolerance);
        renderer.Detach();
    }
}

TEST_F(FrameRendererTest, DestroyedCanvasDetachesRenderer) {
    ASSERT_TRUE(renderer_.Attach(canvas_, kWidth, kHeight, true));
    DestroyWindow(canvas_);
    EXPECT_FALSE(renderer_.Attached());
    canvas_ = nullptr;
}

}  // namespace
}  // namespace glimwell
