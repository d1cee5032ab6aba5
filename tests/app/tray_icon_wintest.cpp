// The tray icon's calls to the shell: adding, re-adding after the taskbar returns, removal at
// destroy, and blinking by exactly one worker that leaves the icon visible.
#include <windows.h>

#include <gtest/gtest.h>

#include <mutex>
#include <set>
#include <vector>

#include "app/tray_icon_win.h"
#include "platform/wait_pumping_win.h"

namespace glimwell {
namespace {

struct Call {
    DWORD message;
    DWORD flags;
    HICON icon;
    DWORD thread;
    DWORD tick;
};

class ShellRecorder {
public:
    TrayIcon::NotifyFunction Function() {
        return [this](DWORD message, const NOTIFYICONDATAW& data) {
            std::lock_guard lock(mutex_);
            calls_.push_back({message, data.uFlags, data.hIcon, GetCurrentThreadId(), GetTickCount()});
        };
    }
    std::vector<Call> Calls() {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    std::mutex mutex_;
    std::vector<Call> calls_;
};

HWND MakeWindowWithIcon(HICON icon) {
    HWND window = CreateWindowW(L"STATIC", L"托盘测试", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    return window;
}

TEST(TrayIconTest, AddsReaddsAndRemovesTheIcon) {
    ShellRecorder shell;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    HWND window = MakeWindowWithIcon(icon);
    std::vector<UINT> events;
    {
        TrayIcon tray(shell.Function());
        ASSERT_TRUE(tray.Create(window, [&](UINT mouse) { events.push_back(mouse); }, L"Glimwellv1.1"));
        EXPECT_FALSE(tray.Create(window, nullptr, L"again"));
        const NOTIFYICONDATAW& data = tray.Data();
        EXPECT_EQ(data.uID, 1u);
        EXPECT_EQ(data.uCallbackMessage, 102251u);
        EXPECT_EQ(data.hIcon, icon);
        EXPECT_STREQ(data.szTip, L"Glimwellv1.1");
        ASSERT_EQ(shell.Calls().size(), 1u);
        EXPECT_EQ(shell.Calls()[0].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(shell.Calls()[0].flags, 7u);

        SendMessageW(window, kTrayCallbackMessage, 1, WM_LBUTTONDBLCLK);
        SendMessageW(window, kTrayCallbackMessage, 1, WM_RBUTTONDOWN);
        EXPECT_EQ(events, (std::vector<UINT>{WM_LBUTTONDBLCLK, WM_RBUTTONDOWN}));

        SendMessageW(window, tray.TaskbarCreatedMessage(), 0, 0);
        auto calls = shell.Calls();
        ASSERT_EQ(calls.size(), 3u);
        EXPECT_EQ(calls[1].message, static_cast<DWORD>(NIM_DELETE));
        EXPECT_EQ(calls[2].message, static_cast<DWORD>(NIM_ADD));
        EXPECT_EQ(calls[2].flags, 7u);

        DestroyWindow(window);
        calls = shell.Calls();
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_EQ(calls[3].message, static_cast<DWORD>(NIM_DELETE));
    }
}

TEST(TrayIconTest, BlinkAlternatesAndStopLeavesIconVisible) {
    ShellRecorder shell;
    HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
    HWND window = MakeWindowWithIcon(icon);
    TrayIcon tray(shell.Function());
    ASSERT_TRUE(tray.Create(window, nullptr, L"tip"));
    tray.StartBlink(-1);
    Sleep(1200);  // steps at 0, 500 and 1000 ms: shown, dark, shown
    tray.StopBlink();
    Sleep(100);
    EXPECT_FALSE(tray.BlinkRunning());
    auto calls = shell.Calls();
    ASSERT_GE(calls.size(), 5u);  // add, three steps, the final visible icon
    std::vector<HICON> icons;
    for (std::size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].message, static_cast<DWORD>(NIM_MODIFY));
        EXPECT_EQ(calls[i].flags, static_cast<DWORD>(NIF_ICON));
        icons.push_back(calls[i].icon);
    }
    EXPECT_EQ(icons[0], icon);
    EXPECT_EQ(icons[1], nullptr);
    EXPECT_EQ(icons[2], icon);
    EXPECT_EQ(icons.back(), icon);

    // A positive count ends by itself after count + 1 steps, icon visible.
    const std::size_t before = shell.Calls().size();
    tray.StartBlink(1);
    Sleep(1300);
    EXPECT_FALSE(tray.BlinkRunning());
    calls = shell.Calls();
    ASSERT_EQ(calls.size() - before, 3u);  // shown, dark, final shown
    EXPECT_EQ(calls.back().icon, icon);
    DestroyWindow(window);
}

TEST(TrayIconTest, QuickStopStartLeavesOneWorker) {
    ShellRecorder shell;
    HWND window = MakeWindowWithIcon(LoadIconW(nullptr, IDI_APPLICATION));
    TrayIcon tray(shell.Function());
    ASSERT_TRUE(tray.Create(window, nullptr, L"tip"));
    tray.StartBlink(-1);
    Sleep(100);
    tray.StopBlink();
    tray.StartBlink(-1);  // within the same step as the stop
    const DWORD restarted = GetTickCount();
    Sleep(1300);
    tray.StopBlink();
    Sleep(100);
    std::set<DWORD> threads;
    int steps = 0;
    for (const Call& call : shell.Calls())
        if (call.message == NIM_MODIFY && call.tick > restarted + 50) {
            threads.insert(call.thread);
            ++steps;
        }
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_LE(steps, 4);  // one worker: steps at ~500 and ~1000 ms, then the final one
    DestroyWindow(window);
}

}  // namespace
}  // namespace glimwell
