// Median time of one DrawFrame of a whole 1920 x 1080 desktop-like screen, in each compression
// mode, onto a 1280 x 720 canvas with stretch on; then the drawing rate of a typical stretch of
// recording (a blinking caret every tick, a window-sized change every tenth tick). The budget of
// a tick at 25 frames per second is 40 ms.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "platform/gdiplus_session_win.h"
#include "play/frame_renderer_win.h"
#include "record/screen_capturer_win.h"

using namespace glimwell;
using namespace glimwell::bench;

namespace {

constexpr int kRuns = 7;
constexpr int kTypicalTicks = 60;
constexpr const char* kModeNames[] = {"", "Jpeg", "Png", "Bitmap"};

// Captures frames in a mode while the screen changes as in everyday use; not timed.
std::vector<Bytes> RecordTypicalTicks(HWND desktop, int mode) {
    ScreenCapturer capturer;
    std::vector<Bytes> frames;
    if (!capturer.Setup(32, 15, false, 90, mode)) return frames;
    frames.push_back(capturer.CaptureWholeScreen());
    for (int tick = 1; tick < kTypicalTicks; ++tick) {
        {
            ScopedGetDc dc(desktop);
            const RECT caret{612, 200, 614, 220};
            InvertRect(dc.Get(), &caret);
            if (tick % 10 == 0) {
                const RECT window{300 + tick, 300, 900 + tick, 700};
                InvertRect(dc.Get(), &window);
            }
        }
        GdiFlush();
        PumpMessages(40);
        frames.push_back(capturer.CaptureFrame());
    }
    capturer.Teardown();
    return frames;
}

}  // namespace

int main() {
    GdiplusSession gdiplus;
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    DesktopLikeWindow desktop(width, height);
    PumpMessages(300);

    std::vector<Bytes> whole(4);
    std::vector<std::vector<Bytes>> typical(4);
    for (int mode = 1; mode <= 3; ++mode) {
        ScreenCapturer capturer;
        if (capturer.Setup(32, 15, false, 90, mode)) whole[mode] = capturer.CaptureWholeScreen();
        capturer.Teardown();
        typical[mode] = RecordTypicalTicks(desktop.Handle(), mode);
    }

    HWND canvas = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 1280, 720, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessages(200);
    std::printf("picture %d x %d onto a 1280 x 720 canvas, stretch on, high-quality bilinear\n", width, height);
    std::printf("%-7s %12s %16s %18s %14s\n", "mode", "frame bytes", "whole-screen ms", "typical frames/s", "typical ms");
    for (int mode = 1; mode <= 3; ++mode) {
        FrameRenderer renderer;
        renderer.Attach(canvas, width, height, true, Gdiplus::InterpolationModeHighQualityBilinear);
        std::vector<double> times;
        for (int run = 0; run < kRuns; ++run) {
            const double start = NowMilliseconds();
            renderer.DrawFrame(whole[mode]);
            times.push_back(NowMilliseconds() - start);
        }
        std::vector<double> perFrame;
        double total = 0;
        for (const Bytes& frame : typical[mode]) {
            const double start = NowMilliseconds();
            renderer.DrawFrame(frame);
            const double spent = NowMilliseconds() - start;
            perFrame.push_back(spent);
            total += spent;
        }
        renderer.Detach();
        std::printf("%-7s %12zu %16.1f %18.1f %14.2f\n", kModeNames[mode], whole[mode].size(), Median(times),
                    total > 0 ? 1000.0 * static_cast<double>(typical[mode].size()) / total : 0.0, Median(perFrame));
    }
    DestroyWindow(canvas);
    return 0;
}
