// The hot-key page "快捷键" of the main window: its two read-only key boxes capture a key
// press (the key code and the modifier boxes of the set), and "设置" registers both sets as
// system-wide hot keys, pause/continue first, then start/stop.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "app/hot_key_table_win.h"
#include "platform/layout_win.h"

namespace glimwell {

class HotKeyPage {
public:
    // `layout` holds the page's controls (by their layout names); `window` receives the keys.
    HotKeyPage(const Layout& layout, HWND window, HotKeyTable& table, HotKeyAction togglePause,
               HotKeyAction toggleStartStop);
    // Takes the links out of the key boxes.
    ~HotKeyPage();
    HotKeyPage(const HotKeyPage&) = delete;
    HotKeyPage& operator=(const HotKeyPage&) = delete;

    // Runs the handler of a control notification; false when the control is not the page's.
    bool HandleCommand(int id, int notifyCode);

    // A key pressed in the key box of set 1 (start/stop) or 2 (pause/continue) with the
    // modifier state (bits: 1 Ctrl, 2 Shift, 4 Alt). False when the key was swallowed.
    bool OnKeyPressed(int set, int keyCode, int modifierState);

    // "设置": registers set 2, then set 1, then shows "设置成功！".
    void SetHotKeys();

    // Shows the page's notice; replaceable so that tests need not answer a message box.
    std::function<void(std::wstring_view text)> showNotice;

private:
    static LRESULT CALLBACK KeyBoxLink(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR set,
                                       DWORD_PTR self);
    void Register(int set, const HotKeyAction& action);

    const Layout& layout_;
    HWND window_;
    HotKeyTable& table_;
    HotKeyAction togglePause_;
    HotKeyAction toggleStartStop_;
};

// The modifier state of the keyboard now, in the bits that OnKeyPressed takes.
int CurrentModifierState();

}  // namespace glimwell
