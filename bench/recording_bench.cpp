// A recording of a busy screen at 25 frames per second in each compression mode, through the
// same calls as the recording timer: CaptureFrame and one append of frame and delimiter per
// tick. Prints the ticks lost against 25 x seconds, the median and worst tick time, the peak
// memory of the process and the size per minute of the packed recording.
// Usage: recording_bench.exe [seconds per mode, default 180] [modes, default 123]
// (Bitmap frames of a busy screen fill gigabytes in three minutes; packing them takes long.)
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "platform/zip_packer.h"
#include "record/frame_format.h"
#include "record/frame_store.h"
#include "record/recording_file.h"
#include "record/screen_capturer_win.h"

namespace {

using namespace glimwell;

constexpr int kFrameRate = 25;
constexpr UINT_PTR kRecordTimer = 1;
constexpr UINT_PTR kBusyTimer = 2;

// A window that plays a moving picture (bands and a bouncing block), repainted every 40 ms,
// over a desktop-like background: the busy part of the screen.
struct BusyScreen {
    HWND window = nullptr;
    int step = 0;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<BusyScreen*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && self) {
            ++self->step;
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        }
        if (message == WM_PAINT && self) {
            ScopedPaint paint(window);
            RECT area;
            GetClientRect(window, &area);
            for (int band = 0; band < 12; ++band) {
                RECT stripe{0, band * area.bottom / 12, area.right, (band + 1) * area.bottom / 12};
                ScopedBrush brush(CreateSolidBrush(RGB((band * 20 + self->step * 7) % 256, (self->step * 3) % 256,
                                                       (255 - band * 20) % 256)));
                FillRect(paint.Dc(), &stripe, brush.Get());
            }
            const int x = (self->step * 9) % (area.right - 80);
            const int y = (self->step * 5) % (area.bottom - 80);
            RECT block{x, y, x + 80, y + 80};
            FillRect(paint.Dc(), &block, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    BusyScreen() {
        WNDCLASSW cls{};
        cls.lpfnWndProc = Proc;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"GlimwellBenchBusy";
        RegisterClassW(&cls);
        window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_NOACTIVATE, cls.lpszClassName, L"", WS_POPUP, 600, 300, 640,
                                 480, nullptr, nullptr, cls.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        ShowWindow(window, SW_SHOWNOACTIVATE);
        SetTimer(window, kBusyTimer, 40, nullptr);
    }
    ~BusyScreen() { DestroyWindow(window); }
};

struct TickRecorder {
    ScreenCapturer* capturer;
    FrameStore* store;
    std::vector<double> tickMs;

    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TickRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == WM_TIMER && wParam == kRecordTimer && self) {
            const double start = bench::NowMilliseconds();
            const Bytes frame = self->capturer->CaptureFrame();
            self->store->Append({ByteView(frame), ByteView(FrameDelimiter)});
            self->tickMs.push_back(bench::NowMilliseconds() - start);
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
};

std::uintmax_t PackedSize(const FrameStore& store, const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "in");
    {
        std::ofstream out(folder / "in" / kFramesEntryFile, std::ios::binary);
        out.write(reinterpret_cast<const char*>(store.View().data()), static_cast<std::streamsize>(store.Size()));
    }
    ZipPacker packer;
    const auto archive = folder / L"bench.vx";
    const PackResult result = packer.PackFolder(folder / "in", archive);
    std::error_code ec;
    const std::uintmax_t size = result.ok ? std::filesystem::file_size(archive, ec) : 0;
    std::filesystem::remove_all(folder, ec);
    return size;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 180;
    const std::string chosen = argc > 2 ? argv[2] : "123";
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    bench::DesktopLikeWindow desktop(width, height);
    BusyScreen busy;

    WNDCLASSW cls{};
    cls.lpfnWndProc = TickRecorder::Proc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"GlimwellBenchRecorder";
    RegisterClassW(&cls);

    std::printf("busy screen %dx%d, %d s per mode at %d frames per second\n", width, height, seconds, kFrameRate);
    const struct { int mode; const char* name; } modes[] = {{1, "Jpeg"}, {2, "Png"}, {3, "Bitmap"}};
    for (const auto& m : modes) {
        if (chosen.find(static_cast<char>('0' + m.mode)) == std::string::npos) continue;
        ScreenCapturer capturer;
        FrameStore store;
        TickRecorder recorder{&capturer, &store, {}};
        HWND window = CreateWindowW(cls.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&recorder));
        capturer.Setup(32, 15, false, 90, m.mode);
        SetTimer(window, kRecordTimer, static_cast<UINT>(FramePeriodMs(kFrameRate)), nullptr);
        bench::PumpMessages(seconds * 1000);
        KillTimer(window, kRecordTimer);
        DestroyWindow(window);
        capturer.Teardown();

        PROCESS_MEMORY_COUNTERS memory{};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        const std::size_t expected = static_cast<std::size_t>(seconds) * kFrameRate;
        const std::size_t ticks = recorder.tickMs.size();
        double worst = 0;
        for (double t : recorder.tickMs) worst = std::max(worst, t);
        const std::uintmax_t packed = PackedSize(store, std::filesystem::temp_directory_path() / "glimwell-bench");
        std::printf("%-6s ticks %zu of %zu (lost %zu, %.1f%%), tick median %.2f ms, worst %.2f ms, "
                    "frames %.1f MB, packed %.2f MB per minute, peak working set %.1f MB\n",
                    m.name, ticks, expected, expected > ticks ? expected - ticks : 0,
                    expected ? 100.0 * (expected > ticks ? expected - ticks : 0) / expected : 0.0,
                    bench::Median(recorder.tickMs), worst, store.Size() / 1e6, packed / 1e6 * 60.0 / seconds,
                    memory.PeakWorkingSetSize / 1e6);
        std::fflush(stdout);
    }
    return 0;
}
