// The hot-key page of the main window: key capture from real key presses, the "设置" button,
// and WM_HOTKEY running the command that the control menu offers in each recording state.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/hot_key_table_win.h"
#include "app/main_window_layout_win.h"
#include "app/main_window_win.h"
#include "app/menu_commands.h"
#include "platform/controls_win.h"
#include "platform/layout_win.h"
#include "platform/wait_pumping_win.h"
#include "record/screen_capturer_win.h"

namespace glimwell {
namespace {

// A main window with a hot-key table and recording fakes; notices are counted, not shown.
struct Fixture {
    TrayIcon tray{[](DWORD, const NOTIFYICONDATAW&) {}};
    ScreenCapturer capturer;
    FrameStore frames;
    CommonDialogs dialogs;
    HotKeyTable hotKeys;
    int writes = 0;
    std::vector<std::wstring> notices;
    std::unique_ptr<MainWindow> window;

    Fixture() {
        MainWindowHooks hooks;
        hooks.proposeFileName = [](const std::wstring&) { return std::wstring(L"录像1"); };
        hooks.takeSnapshot = [] { return ScopedBitmap(); };
        hooks.captureFrame = [] { return Bytes{}; };
        hooks.writeRecordingFile = [this] {
            ++writes;
            frames.Clear();
        };
        MainWindowServices services{tray, capturer, frames, dialogs};
        services.hotKeys = &hotKeys;
        window = std::make_unique<MainWindow>(services, hooks);
        EXPECT_TRUE(window->Create());
        if (HotKeyPage* page = window->HotKeys())
            page->showNotice = [this](std::wstring_view text) { notices.emplace_back(text); };
    }
    ~Fixture() {
        window.reset();
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
    }
    HWND Control(const wchar_t* name) const { return window->Controls().Get(name); }
    void ClickSet() { SendMessageW(Control(kSetHotKeysButton), BM_CLICK, 0, 0); }
    // Fills a set's boxes as a key press would.
    void SetKeys(int set, int keyCode, int modifierState) {
        ASSERT_TRUE(window->HotKeys()->OnKeyPressed(set, keyCode, modifierState));
    }
};

// Presses the keys in order and lets them go in reverse order, then lets the messages arrive.
void PressKeys(std::initializer_list<WORD> keyCodes) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD key, DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = flags;
        inputs.push_back(input);
    };
    for (WORD key : keyCodes) add(key, 0);
    for (auto key = std::rbegin(keyCodes); key != std::rend(keyCodes); ++key) add(*key, KEYEVENTF_KEYUP);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    WaitPumping(150);
}

bool KeyFree(UINT modifiers, UINT keyCode) {
    HWND probe = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    const bool free = RegisterHotKey(probe, 0x7000, modifiers, keyCode);
    if (free) UnregisterHotKey(probe, 0x7000);
    DestroyWindow(probe);
    return free;
}

TEST(HotKeyPageTest, KeyBoxCapturesRealKeyPresses) {
    Fixture f;
    HWND box = f.Control(kKeyCodeEdit1);
    SetForegroundWindow(f.window->Handle());
    TabCtrl_SetCurSel(f.Control(kRecordTab), kHotKeyPage);
    ShowSelectedTabPage(f.Control(kRecordTab));
    SetFocus(box);
    SetChecked(f.Control(kAltCheck1), true);

    PressKeys({VK_SHIFT});  // alone: swallowed
    EXPECT_EQ(ControlText(box), L"");
    EXPECT_TRUE(IsChecked(f.Control(kAltCheck1)));
    EXPECT_FALSE(IsChecked(f.Control(kShiftCheck1)));

    PressKeys({VK_CONTROL, VK_SHIFT, VK_F5});
    EXPECT_EQ(ControlText(box), L"116");
    EXPECT_TRUE(IsChecked(f.Control(kCtrlCheck1)));
    EXPECT_TRUE(IsChecked(f.Control(kShiftCheck1)));
    EXPECT_FALSE(IsChecked(f.Control(kAltCheck1)));
    EXPECT_EQ(GetFocus(), box);  // no menu bar took the keys

    PressKeys({VK_MENU, 'A'});  // Alt combinations arrive as system keys
    EXPECT_EQ(ControlText(box), L"65");
    EXPECT_TRUE(IsChecked(f.Control(kAltCheck1)));
    EXPECT_FALSE(IsChecked(f.Control(kCtrlCheck1)));
    EXPECT_EQ(ControlText(f.Control(kKeyCodeEdit2)), L"");  // the other set is untouched
}

TEST(HotKeyPageTest, SetRegistersBothSetsAndAlwaysShowsSuccess) {
    Fixture f;
    // Ctrl+F9 for start/stop and Shift+F9 for pause/continue: the second registration (set 1)
    // unregisters the first (same key code), so only Ctrl+F9 works.
    f.SetKeys(1, VK_F9, 1);
    f.SetKeys(2, VK_F9, 2);
    f.ClickSet();
    EXPECT_EQ(f.notices, std::vector<std::wstring>{L"设置成功！"});
    EXPECT_FALSE(KeyFree(MOD_CONTROL, VK_F9));
    EXPECT_TRUE(KeyFree(MOD_SHIFT, VK_F9));

    // Two different keys, set twice without changes: both keep working.
    f.SetKeys(1, VK_F7, 1 | 4);
    f.SetKeys(2, VK_F6, 1 | 4);
    f.ClickSet();
    f.ClickSet();
    EXPECT_FALSE(KeyFree(MOD_CONTROL | MOD_ALT, VK_F7));
    EXPECT_FALSE(KeyFree(MOD_CONTROL | MOD_ALT, VK_F6));
    EXPECT_EQ(f.hotKeys.Registrations(), 6);

    // A key that another window holds: not registered, the notice all the same.
    HWND holder = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_SHIFT | MOD_ALT, VK_F11));
    f.SetKeys(2, VK_F11, 2 | 4);
    f.ClickSet();
    EXPECT_EQ(f.hotKeys.Registrations(), 7);  // only set 1 again
    EXPECT_EQ(f.notices.size(), 4u);
    DestroyWindow(holder);

    // The real key reaches the main window: Ctrl+Alt+F7 starts a recording.
    PressKeys({VK_CONTROL, VK_MENU, VK_F7});
    EXPECT_EQ(f.window->Recording().State(), RecordingState::Recording);
    PressKeys({VK_CONTROL, VK_MENU, VK_F7});
    EXPECT_EQ(f.window->Recording().State(), RecordingState::Idle);
    EXPECT_EQ(f.writes, 1);
}

TEST(HotKeyPageTest, HotKeyRunsTheCommandOfTheRecordingState) {
    Fixture f;
    f.SetKeys(1, VK_F8, 1 | 2 | 4);
    f.SetKeys(2, VK_F10, 1 | 2 | 4);
    f.ClickSet();
    ASSERT_EQ(f.hotKeys.Registrations(), 2);
    const WPARAM pauseKey = 1, startStopKey = 2;  // set 2 is registered first

    using S = RecordingState;
    struct Case {
        S before;
        WPARAM key;
        S after;
        int writes;
    };
    const Case cases[] = {
        {S::Idle, pauseKey, S::Idle, 0},  // pause/continue while idle does nothing
        {S::Idle, startStopKey, S::Recording, 0},
        {S::Recording, pauseKey, S::Paused, 0},
        {S::Paused, pauseKey, S::Recording, 0},
        {S::Recording, startStopKey, S::Idle, 1},
        {S::Idle, startStopKey, S::Recording, 1},
        {S::Recording, pauseKey, S::Paused, 1},
        {S::Paused, startStopKey, S::Idle, 2},  // stop while paused writes the file
    };
    for (const Case& c : cases) {
        ASSERT_EQ(f.window->Recording().State(), c.before);
        SendMessageW(f.window->Handle(), WM_HOTKEY, c.key, 0);
        EXPECT_EQ(f.window->Recording().State(), c.after) << static_cast<int>(c.before) << " " << c.key;
        EXPECT_EQ(f.writes, c.writes);
    }
}

}  // namespace
}  // namespace glimwell
