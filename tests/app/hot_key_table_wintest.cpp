// HotKeyTable under Wine: registration with the unregistering of a repeated key code, and the
// procedure link that dispatches WM_HOTKEY to the entry's action.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <memory>
#include <vector>

#include "app/hot_key_table_win.h"

namespace glimwell {
namespace {

constexpr UINT kF8 = VK_F8, kF9 = VK_F9;

HWND MakeTestWindow() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"GlimwellHotKeyTest";
        return RegisterClassW(&windowClass) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"GlimwellHotKeyTest", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Whether the key combination is free: only one window in the system can hold it.
bool KeyFree(UINT modifiers, UINT keyCode) {
    HWND probe = MakeTestWindow();
    const bool free = RegisterHotKey(probe, 0x7000, modifiers, keyCode);
    if (free) UnregisterHotKey(probe, 0x7000);
    DestroyWindow(probe);
    return free;
}

// An earlier link of the chain, recording the hot-key messages that reach it.
LRESULT CALLBACK EarlierLink(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR seen) {
    if (message == WM_HOTKEY) reinterpret_cast<std::vector<WPARAM>*>(seen)->push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

// Presses the keys in order and lets them go in reverse order.
bool PressKeys(std::initializer_list<WORD> keyCodes) {
    std::vector<INPUT> inputs;
    for (WORD key : keyCodes) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto key = std::rbegin(keyCodes); key != std::rend(keyCodes); ++key) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *key;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

struct Action {
    std::vector<WPARAM> calls;
    LRESULT result = 0;
    HotKeyAction Get() {
        return [this](HWND, UINT message, WPARAM wParam, LPARAM) {
            if (message == WM_HOTKEY) calls.push_back(wParam);
            return result;
        };
    }
};

class HotKeyTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = MakeTestWindow();
        ASSERT_TRUE(window);
        SetWindowSubclass(window, EarlierLink, 1, reinterpret_cast<DWORD_PTR>(&earlier));
    }
    void TearDown() override {
        table.reset();
        DestroyWindow(window);
    }
    HWND window = nullptr;
    std::vector<WPARAM> earlier;
    std::unique_ptr<HotKeyTable> table = std::make_unique<HotKeyTable>();
};

TEST_F(HotKeyTableTest, SameKeyCodeUnregistersTheEarlierEntries) {
    Action pause, startStop;
    // Set 2 first, then set 1 with the same key code: only Ctrl+F9 stays.
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_SHIFT, kF9, pause.Get()), 1);
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_CONTROL, kF9, startStop.Get()), 2);
    EXPECT_TRUE(KeyFree(MOD_SHIFT, kF9));
    EXPECT_FALSE(KeyFree(MOD_CONTROL, kF9));
    ASSERT_EQ(table->Registrations(), 2);  // the unregistered entry stays in the table
    EXPECT_EQ(table->Entries()[0].modifiers, static_cast<UINT>(MOD_SHIFT));
    EXPECT_EQ(table->Entries()[1].id, 2);

    // The same two keys again (a second click on "设置"): both work.
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_SHIFT, kF8, pause.Get()), 3);
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_CONTROL, kF9, startStop.Get()), 4);
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_SHIFT, kF8, pause.Get()), 5);
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_CONTROL, kF9, startStop.Get()), 6);
    EXPECT_FALSE(KeyFree(MOD_SHIFT, kF8));
    EXPECT_FALSE(KeyFree(MOD_CONTROL, kF9));
}

TEST_F(HotKeyTableTest, RefusedKeyChangesNothing) {
    HWND holder = MakeTestWindow();
    ASSERT_TRUE(RegisterHotKey(holder, 1, MOD_ALT | MOD_SHIFT, kF8));
    Action action;
    EXPECT_EQ(table->RegisterRecordingHotKey(window, MOD_ALT | MOD_SHIFT, kF8, action.Get()), 0);
    EXPECT_EQ(table->Registrations(), 0);
    // No link either: a hot-key message goes on down the chain.
    SendMessageW(window, WM_HOTKEY, 1, 0);
    EXPECT_EQ(earlier, std::vector<WPARAM>{1});
    EXPECT_TRUE(action.calls.empty());
    DestroyWindow(holder);
}

TEST_F(HotKeyTableTest, HotKeyMessageRunsTheEntrysActionOnly) {
    Action first, second;
    second.result = 42;
    ASSERT_EQ(table->RegisterRecordingHotKey(window, MOD_CONTROL | MOD_ALT, kF8, first.Get()), 1);
    ASSERT_EQ(table->RegisterRecordingHotKey(window, MOD_CONTROL | MOD_ALT, kF9, second.Get()), 2);

    EXPECT_EQ(SendMessageW(window, WM_HOTKEY, 2, MAKELPARAM(MOD_CONTROL | MOD_ALT, kF9)), 42);
    EXPECT_EQ(second.calls, std::vector<WPARAM>{2});
    EXPECT_TRUE(first.calls.empty());
    EXPECT_TRUE(earlier.empty());  // consumed, not passed on

    // Ids that are not the table's (posted by anyone, or the system's negative ones) go on.
    for (WPARAM stray : {WPARAM(0), WPARAM(3), WPARAM(-2)}) SendMessageW(window, WM_HOTKEY, stray, 0);
    EXPECT_EQ(earlier, (std::vector<WPARAM>{0, 3, WPARAM(-2)}));
    EXPECT_EQ(first.calls.size() + second.calls.size(), 1u);

    // A real key press reaches the action through the system.
    ASSERT_TRUE(PressKeys({VK_CONTROL, VK_MENU, kF8}));
    const DWORD until = GetTickCount() + 2000;
    MSG msg;
    while (first.calls.empty() && GetTickCount() < until) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_EQ(first.calls, std::vector<WPARAM>{1});
}

}  // namespace
}  // namespace glimwell
