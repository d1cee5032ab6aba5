// Player and control windows on real windows: placement and layering, the playback tick driven
// through the buttons' actions (pause, stop, the end of the frames with the control window
// open or closed, a recording without frames) and the caption and progress line it leaves.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gdiplus_session_win.h"
#include "play/player_window_win.h"
#include "play/test_images.h"

namespace glimwell {
namespace {

using namespace testing;

void Pump(int milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    } while (GetTickCount() < end);
}

std::wstring Caption(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

// A frames entry of `count` frames, each one small red record.
Bytes FramesEntry(int count) {
    const Bytes pixel = {0, 0, 255, 0};
    Bytes entry;
    for (int i = 0; i < count; ++i) {
        const Bytes record = Record(4 * i, 0, MakeBmp(2, 2, pixel));
        entry.insert(entry.end(), record.begin(), record.end());
        entry.insert(entry.end(), FrameDelimiter.begin(), FrameDelimiter.end());
    }
    return entry;
}

class PlayerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        player_ = std::make_unique<PlayerWindow>(state_, strip_, [this] {
            ++loads_;
            state_.frames.Assign(FramesEntry(frames_));
            state_.frameCount = frames_;
            state_.currentFrame = 0;
            state_.framePeriod = period_;
        });
        ASSERT_TRUE(player_->Create());
        Pump(50);
    }

    // The colour of the progress line's left end on the pause button: red background, green
    // progress.
    COLORREF StripStart() {
        HWND pause = player_->Control().Controls().Get(kPauseButton);
        RECT rect{};
        GetWindowRect(pause, &rect);
        HDC dc = GetDC(pause);
        const COLORREF color = GetPixel(dc, 4, rect.bottom - rect.top - 8);
        ReleaseDC(pause, dc);
        return color;
    }

    GdiplusSession gdiplus_;
    PlaybackState state_;
    ProgressStrip strip_;
    std::unique_ptr<PlayerWindow> player_;
    int loads_ = 0;
    int frames_ = 3;
    std::int32_t period_ = 20;
};

TEST_F(PlayerWindowTest, OpensOverTheScreenWithTheLayeredControlWindow) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    RECT rect{};
    GetWindowRect(player_->Handle(), &rect);
    EXPECT_TRUE(IsZoomed(player_->Handle()));
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width);
    EXPECT_EQ(rect.bottom, height);
    RECT client{}, canvas{};
    GetClientRect(player_->Handle(), &client);
    GetClientRect(player_->CanvasHandle(), &canvas);
    EXPECT_EQ(canvas.right, client.right);
    EXPECT_EQ(canvas.bottom, client.bottom);
    EXPECT_EQ(Caption(player_->Handle()), L"");
    EXPECT_TRUE(player_->Renderer().Attached());

    HWND control = player_->Control().Handle();
    EXPECT_EQ(Caption(control), L"控制窗口");
    EXPECT_TRUE(IsWindowVisible(control));
    EXPECT_EQ(GetWindow(control, GW_OWNER), player_->Handle());
    // The system adds the edge style of a captioned window itself.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongPtrW(control, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE,
              static_cast<DWORD>(WS_EX_LAYERED));
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(control, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 220);
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
    GetWindowRect(control, &rect);
    EXPECT_EQ(rect.left, width - 400);
    EXPECT_EQ(rect.top, height - 150);
    EXPECT_FALSE(state_.loaded);
}

TEST_F(PlayerWindowTest, TimerPlaysToTheEndAndLeavesCaptionAndFullStrip) {
    player_->Play();
    EXPECT_EQ(player_->TimerPeriod(), 20u);
    EXPECT_TRUE(state_.loaded);
    for (int i = 0; i < 200 && player_->TimerPeriod() != 0; ++i) Pump(10);
    EXPECT_EQ(player_->TimerPeriod(), 0u);
    EXPECT_EQ(Caption(player_->Handle()), L"播放窗口 当前帧:3 总帧数:3   Glimwellv1.1");
    EXPECT_EQ(state_.currentFrame, 4);
    EXPECT_FALSE(state_.loaded);
    EXPECT_EQ(StripStart(), RGB(0, 255, 0));
    // Play after the end loads again and starts at frame 1.
    player_->Play();
    player_->Pause();
    player_->Tick();
    EXPECT_EQ(loads_, 2);
    EXPECT_EQ(Caption(player_->Handle()), L"播放窗口 当前帧:1 总帧数:3   Glimwellv1.1");
}

// Each action list runs Play, Pause, Stop or a tick (the timer stays paused so that only the
// listed ticks run); then the caption, the frame number and the number of loads are checked.
TEST_F(PlayerWindowTest, ButtonSequences) {
    const struct {
        const char* actions;  // P play, A pause, S stop, t tick
        int current, loads;
        bool loaded;
    } cases[] = {
        {"PAtt" "PAt", 3, 1, true},   // pause then play continues with the next frame
        {"PAtt" "SPAt", 1, 2, true},  // stop then play loads again and starts at frame 1
        {"PAtS", 0, 1, false},        // stop rewinds and clears loaded
    };
    for (const auto& c : cases) {
        if (loads_ > 0) SetUp();  // a fresh player for each sequence
        const int before = loads_;
        for (const char* a = c.actions; *a; ++a) {
            if (*a == 'P') player_->Play();
            if (*a == 'A') player_->Pause();
            if (*a == 'S') player_->Stop();
            if (*a == 't') player_->Tick();
        }
        const int loads = loads_ - before;
        SCOPED_TRACE(c.actions);
        EXPECT_EQ(player_->TimerPeriod(), 0u);
        EXPECT_EQ(state_.loaded, c.loaded);
        EXPECT_EQ(state_.currentFrame, c.current);
        EXPECT_EQ(loads, c.loads);
        if (c.current > 0) {
            EXPECT_EQ(Caption(player_->Handle()), PlayerCaption(c.current, 3));
        }
    }
}

TEST_F(PlayerWindowTest, NoFramesWithAPeriodStopAtTheFirstTick) {
    frames_ = 0;
    player_->Play();
    EXPECT_EQ(player_->TimerPeriod(), 20u);
    player_->Tick();
    EXPECT_EQ(player_->TimerPeriod(), 0u);
    EXPECT_EQ(Caption(player_->Handle()), L"");
    EXPECT_EQ(StripStart(), RGB(255, 0, 0));
    EXPECT_TRUE(player_->Exists());
}

TEST_F(PlayerWindowTest, EndWithTheControlWindowClosedClosesThePlayer) {
    player_->Play();
    player_->Pause();
    player_->Control().Destroy();
    for (int i = 0; i < 3; ++i) player_->Tick();
    EXPECT_TRUE(player_->Exists());
    EXPECT_EQ(Caption(player_->Handle()), L"播放窗口 当前帧:3 总帧数:3   Glimwellv1.1");
    player_->Tick();
    EXPECT_FALSE(player_->Exists());
}

TEST(PlayerTextTest, CaptionAndPercent) {
    EXPECT_EQ(PlayerCaption(12, 345), L"播放窗口 当前帧:12 总帧数:345   Glimwellv1.1");
    const struct {
        int current, count, percent;
    } cases[] = {{0, 0, 0}, {1, 0, 0}, {1, 3, 33}, {2, 3, 66}, {3, 3, 100}, {4, 3, 133}};
    for (const auto& c : cases) EXPECT_EQ(PlaybackPercent(c.current, c.count), c.percent) << c.current << "/" << c.count;
}

}  // namespace
}  // namespace glimwell
