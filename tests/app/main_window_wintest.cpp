// The main window against real windows: the control menu in each recording state, the
// frame-rate box, the duplicate check path, size handling, closing and the creation values.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/main_window_layout_win.h"
#include "app/main_window_win.h"
#include "app/menu_commands.h"
#include "platform/controls_win.h"
#include "platform/wait_pumping_win.h"
#include "record/frame_format.h"
#include "record/screen_capturer_win.h"

namespace glimwell {
namespace {

// A main window with the program-wide objects it needs and recording fakes.
struct Fixture {
    TrayIcon tray{[](DWORD, const NOTIFYICONDATAW&) {}};
    ScreenCapturer capturer;
    ByteBuffer frames;
    CommonDialogs dialogs;
    int writes = 0;
    std::size_t delimitersAtWrite = 0;
    std::vector<int> channels;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        MainWindowHooks hooks;
        hooks.proposeFileName = [](const std::wstring&) { return std::wstring(L"录像1"); };
        hooks.captureFrame = [] { return Bytes{1, 2, 3}; };
        hooks.writeRecordingFile = [this] {
            ++writes;
            delimitersAtWrite = SplitAt(frames.View(), FrameDelimiter).size();
            frames.Clear();
        };
        hooks.setSoundFormat = [this](int c, int, int) { channels.push_back(c); };
        window = std::make_unique<MainWindow>(MainWindowServices{tray, capturer, frames, dialogs}, hooks);
    }
    // Destroying the main window posts WM_QUIT, which would end the next test's waits early.
    ~Fixture() {
        window.reset();
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    HWND Control(const wchar_t* name) const { return window->Controls().Get(name); }
};

// The look of the control menu and the rest of the window in one state.
struct Look {
    bool startShown, stopShown, pauseShown, pauseEnabled, resumeShown, settingsEnabled;
    UINT timerPeriod;
};

Look LookOf(Fixture& f) {
    MenuModel& menu = f.window->Menu();
    // The visible menu must agree with the model.
    HMENU control = menu.Popup(L"控制(&C)");
    std::vector<UINT> shown;
    for (int i = 0; i < GetMenuItemCount(control); ++i) shown.push_back(GetMenuItemID(control, i));
    auto has = [&](UINT id) { return std::find(shown.begin(), shown.end(), id) != shown.end(); };
    EXPECT_EQ(has(kCommandStartRecording), menu.IsShown(kCommandStartRecording));
    EXPECT_EQ(has(kCommandPauseRecording), menu.IsShown(kCommandPauseRecording));
    const bool pauseEnabled = has(kCommandPauseRecording) &&
                              !(GetMenuState(control, kCommandPauseRecording, MF_BYCOMMAND) & MF_GRAYED);
    return {has(kCommandStartRecording), has(kCommandStopRecording), has(kCommandPauseRecording), pauseEnabled,
            has(kCommandResumeRecording), IsWindowEnabled(f.Control(kModeTab)) != FALSE,
            f.window->RecordingTimerPeriod()};
}

constexpr Look kIdle{true, false, true, false, false, true, 0};
constexpr Look kRecording{false, true, true, true, false, false, 125};
constexpr Look kPaused{false, true, false, false, true, false, 0};

bool operator==(const Look& a, const Look& b) {
    return a.startShown == b.startShown && a.stopShown == b.stopShown && a.pauseShown == b.pauseShown &&
           a.pauseEnabled == b.pauseEnabled && a.resumeShown == b.resumeShown &&
           a.settingsEnabled == b.settingsEnabled && a.timerPeriod == b.timerPeriod;
}

TEST(MainWindowTest, ControlMenuFollowsTheRecordingState) {
    Fixture f;
    ASSERT_TRUE(f.window->Create());
    EXPECT_TRUE(LookOf(f) == kIdle);
    EXPECT_EQ(f.channels, std::vector<int>{1});  // mono at start-up

    struct Step { UINT command; Look look; RecordingState state; };
    const Step steps[] = {
        {kCommandStartRecording, kRecording, RecordingState::Recording},
        {kCommandPauseRecording, kPaused, RecordingState::Paused},
        {kCommandResumeRecording, kRecording, RecordingState::Recording},
        {kCommandStopRecording, kIdle, RecordingState::Idle},
        {kCommandStartRecording, kRecording, RecordingState::Recording},
        {kCommandPauseRecording, kPaused, RecordingState::Paused},
        {kCommandStopRecording, kIdle, RecordingState::Idle},  // pause, then stop
        {kCommandStartRecording, kRecording, RecordingState::Recording},
    };
    int step = 0;
    for (const Step& s : steps) {
        f.window->RunCommand(s.command);
        EXPECT_TRUE(LookOf(f) == s.look) << "step " << step;
        EXPECT_EQ(f.window->Recording().State(), s.state) << "step " << step;
        ++step;
    }
    EXPECT_EQ(f.writes, 2);
    f.window->RunCommand(kCommandStopRecording);
}

TEST(MainWindowTest, TicksAppendOneDelimiterEachAndPauseLeavesNoGap) {
    Fixture f;
    ASSERT_TRUE(f.window->Create());
    SetControlText(f.Control(kFrameRateEdit), L"25");  // 40 ms ticks
    f.window->RunCommand(kCommandStartRecording);
    WaitPumping(300);
    f.window->RunCommand(kCommandPauseRecording);
    const int ticksBeforePause = f.window->Recording().Ticks();
    WaitPumping(200);
    EXPECT_EQ(f.window->Recording().Ticks(), ticksBeforePause);  // no ticks while paused
    f.window->RunCommand(kCommandResumeRecording);
    WaitPumping(200);
    const int ticks = f.window->Recording().Ticks();
    f.window->RunCommand(kCommandStopRecording);
    EXPECT_GT(ticksBeforePause, 2);
    EXPECT_GT(ticks, ticksBeforePause);
    // One delimiter per tick: SplitAt gives one piece per delimiter, each the fake frame.
    EXPECT_EQ(f.delimitersAtWrite, static_cast<std::size_t>(ticks));

    // Stopping before the first tick writes an empty store.
    f.window->RunCommand(kCommandStartRecording);
    f.window->RunCommand(kCommandStopRecording);
    EXPECT_EQ(f.delimitersAtWrite, 0u);
    EXPECT_EQ(f.writes, 2);
}

TEST(MainWindowTest, FrameRateBoxNeverKeepsAValueOutsideItsRange) {
    Fixture f;
    ASSERT_TRUE(f.window->Create());
    int beeps = 0;
    f.window->Settings().onFrameRateCorrected = [&] { ++beeps; };
    EXPECT_EQ(ControlText(f.Control(kFrameRateEdit)), L"8");
    struct Case { const wchar_t* typed; const wchar_t* kept; int beeps; };
    const Case cases[] = {{L"", L"1", 1}, {L"0", L"1", 1}, {L"99", L"25", 1}, {L"30", L"25", 1}, {L"12", L"12", 0}};
    for (const Case& c : cases) {
        beeps = 0;
        SetControlText(f.Control(kFrameRateEdit), c.typed);
        EXPECT_EQ(ControlText(f.Control(kFrameRateEdit)), c.kept) << "typed " << c.typed;
        EXPECT_EQ(beeps, c.beeps) << "typed " << c.typed;
    }
    EXPECT_EQ(f.window->Settings().FrameRate(), 12);
}

TEST(MainWindowTest, StartUpValuesSizeLimitsAndClosing) {
    Fixture f;
    ASSERT_TRUE(f.window->Create());
    HWND window = f.window->Handle();
    const std::wstring folder = ExecutableFolderText();
    EXPECT_EQ(f.window->Settings().CacheFolder(), folder + L"\\TempFiles\\");
    EXPECT_EQ(f.window->Settings().SaveFolder(), folder + L"\\SaveFiles\\");
    EXPECT_EQ(f.window->Settings().FileName(), L"录像1");
    EXPECT_EQ(f.window->Settings().CompressionPreset(), 2);
    EXPECT_FALSE(IsWindowEnabled(f.Control(kRecordSoundCheck)));

    MINMAXINFO limits{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 745);
    EXPECT_EQ(limits.ptMinTrackSize.y, 300);
    EXPECT_EQ(limits.ptMaxTrackSize.x, GetSystemMetrics(SM_CXSCREEN));

    // Below an outer height of 320 the preview frame hides; taller, it fills the client area.
    HWND frame = f.Control(kPreviewFrame);
    SetWindowPos(window, nullptr, 0, 0, 760, 310, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindowVisible(frame));
    SetWindowPos(window, nullptr, 0, 0, 900, 600, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(IsWindowVisible(frame));
    RECT client{}, place{};
    GetClientRect(window, &client);
    GetWindowRect(frame, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.right - place.left, client.right - 10);
    EXPECT_EQ(place.bottom, client.bottom - 5);
    GetWindowRect(f.Control(kModeTab), &place);
    EXPECT_EQ(place.right - place.left, client.right - 10);

    // The close box hides; exit destroys.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    f.window->RunCommand(kCommandExit);
    EXPECT_FALSE(IsWindow(window));
    MSG quit;
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(MainWindowTest, DuplicateCheckPathJoinsAsPlainText) {
    EXPECT_EQ(DuplicateCheckPath(L"D:\\app\\SaveFiles\\", L"录像1"), L"D:\\app\\SaveFiles\\\\录像1.vx");
    EXPECT_EQ(DuplicateCheckPath(L"D:\\app\\SaveFiles", L""), L"D:\\app\\SaveFiles\\.vx");
    // The file system accepts the doubled backslash and the bare ".vx".
    const auto folder = std::filesystem::temp_directory_path() / L"glimwell-duplicate";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / L"录像1.vx") << "x";
    std::ofstream(folder / L".vx") << "x";
    const std::wstring withSlash = folder.wstring() + L"\\";
    EXPECT_NE(GetFileAttributesW(DuplicateCheckPath(withSlash, L"录像1").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW(DuplicateCheckPath(folder.wstring(), L"").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesW(DuplicateCheckPath(withSlash, L"录像2").c_str()), INVALID_FILE_ATTRIBUTES);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace glimwell
