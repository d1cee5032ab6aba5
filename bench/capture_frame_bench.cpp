// Median time of one CaptureFrame over a 1920 x 1080 desktop-like screen, in each compression
// mode: a still screen, one small change per tick (a blinking caret), and a change of the whole
// screen every tick. The budget of a tick at 25 frames per second is 40 ms.
#include <windows.h>

#include <cstdio>

#include "bench_support.h"
#include "platform/gdiplus_session_win.h"
#include "record/frame_format.h"
#include "record/screen_capturer_win.h"

using namespace glimwell;
using namespace glimwell::bench;

namespace {

// Changes the screen before a tick; not timed.
enum class Scene { Still, Caret, WholeScreen };

void ChangeScreen(HWND window, Scene scene, int width, int height) {
    if (scene == Scene::Still) return;
    ScopedGetDc dc(window);
    const RECT area = scene == Scene::Caret ? RECT{612, 200, 614, 220} : RECT{0, 0, width, height};
    InvertRect(dc.Get(), &area);
    dc.Release();
    GdiFlush();
    // Let Wine hand the window's new pixels to the X screen.
    PumpMessages(40);
}

}  // namespace

int main() {
    GdiplusSession gdiplus;
    const int width = GetSystemMetrics(SM_CXVIRTUALSCREEN), height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    DesktopLikeWindow desktop(width, height);
    std::printf("screen %d x %d, 32 bits per pixel, row step 15, JPEG quality 90\n", width, height);
    std::printf("%-7s %-13s %10s %10s %16s\n", "mode", "scene", "median ms", "ticks", "median bytes");

    struct Mode { int mode; const char* name; };
    struct Case { Scene scene; const char* name; int ticks; };
    for (const Mode& m : {Mode{1, "Jpeg"}, Mode{2, "Png"}, Mode{3, "Bitmap"}}) {
        ScreenCapturer capturer;
        if (!capturer.Setup(32, 15, false, 90, m.mode)) {
            std::printf("set-up failed\n");
            return 1;
        }
        // Send the whole screen first, as the opening ticks of a recording do.
        for (int i = 0, quiet = 0; i < 100 && quiet < 16; ++i) quiet = capturer.CaptureFrame().empty() ? quiet + 1 : 0;
        for (const Case& c : {Case{Scene::Still, "still", 41}, Case{Scene::Caret, "caret", 41},
                              Case{Scene::WholeScreen, "whole screen", 9}}) {
            std::vector<double> times, sizes;
            for (int i = 0; i < c.ticks; ++i) {
                ChangeScreen(desktop.Handle(), c.scene, width, height);
                const double start = NowMilliseconds();
                const Bytes frame = capturer.CaptureFrame();
                times.push_back(NowMilliseconds() - start);
                sizes.push_back(static_cast<double>(frame.size()));
            }
            std::printf("%-7s %-13s %10.2f %10d %16.0f\n", m.name, c.name, Median(times), c.ticks, Median(sizes));
        }
        capturer.Teardown();
    }
    return 0;
}
