// Time and payload size of encoding a region of the screen in each compression mode: the whole
// 1920 x 1080 screen and a 256 x 256 square, over desktop-like content. Prints medians.
#include <windows.h>

#include <cstdio>

#include "bench_support.h"
#include "platform/gdiplus_session_win.h"
#include "record/frame_format.h"
#include "record/screen_capturer_win.h"

using namespace glimwell;
using namespace glimwell::bench;

int main() {
    GdiplusSession gdiplus;
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    DesktopLikeWindow desktop(width, height);

    ScreenCapturer capturer;
    if (!capturer.Setup(32, 15, false, 90, 3)) {
        std::printf("set-up failed\n");
        return 1;
    }
    std::vector<double> grabs;
    for (int i = 0; i < 7; ++i) {
        const double start = NowMilliseconds();
        capturer.CaptureWholeScreen();
        grabs.push_back(NowMilliseconds() - start);
    }
    std::printf("screen %d x %d, 32 bits per pixel, JPEG quality 90\n", width, height);
    std::printf("CaptureWholeScreen (grab + BMP record): median %.2f ms\n\n", Median(grabs));
    std::printf("%-7s %-10s %12s %14s\n", "mode", "region", "median ms", "payload bytes");

    struct Mode { CompressionMode mode; const char* name; };
    struct Region { PixelRect rect; const char* name; int runs; };
    // The square straddles the text page and the gradient band.
    const Region regions[] = {{{0, 0, width, height}, "full", 7},
                              {{800, height / 3 - 128, 1056, height / 3 + 128}, "256x256", 25}};
    for (const Mode& m : {Mode{CompressionMode::Jpeg, "Jpeg"}, Mode{CompressionMode::Png, "Png"},
                          Mode{CompressionMode::Bitmap, "Bitmap"}}) {
        capturer.SetCompression(static_cast<std::int32_t>(m.mode));
        for (const Region& r : regions) {
            std::vector<double> times;
            std::size_t payload = 0;
            for (int i = 0; i < r.runs; ++i) {
                capturer.ResetOutput();
                const double start = NowMilliseconds();
                capturer.EncodeRegion(r.rect);
                times.push_back(NowMilliseconds() - start);
                payload = capturer.Output().size() - kRecordOverhead;
            }
            std::printf("%-7s %-10s %12.2f %14zu\n", m.name, r.name, Median(times), payload);
        }
    }
    capturer.Teardown();
    return 0;
}
