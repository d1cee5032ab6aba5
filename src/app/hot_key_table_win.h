// HotKeyTable: the system-wide hot keys of the program and the link in the main window's
// procedure chain that turns WM_HOTKEY into the action of the key's entry. Entries are only
// ever appended; a key code registered again first unregisters its earlier entries, so a
// second click on "设置" with the same keys succeeds.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

namespace glimwell {

// What a hot key does; it gets the WM_HOTKEY message and its answer is the message's result.
using HotKeyAction = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

struct HotKeyEntry {
    HWND window;         // receives the hot key
    UINT modifiers;      // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, added
    UINT keyCode;        // virtual-key code
    int id;              // the id given to the system: the entry's position + 1
    HotKeyAction action;
};

class HotKeyTable {
public:
    HotKeyTable() = default;
    // Takes its link out of a window that still exists. Registered keys stay with the window,
    // which drops them when it is destroyed.
    ~HotKeyTable();
    HotKeyTable(const HotKeyTable&) = delete;
    HotKeyTable& operator=(const HotKeyTable&) = delete;

    // Unregisters every earlier entry with the same key code (whatever its modifiers; the
    // entries stay), then registers the key with the id registrations + 1. On success appends
    // the entry, links into `window`'s procedure at the first success, and returns the id;
    // returns 0 and changes nothing when the system refuses the key.
    int RegisterRecordingHotKey(HWND window, UINT modifiers, UINT keyCode, HotKeyAction action);

    const std::vector<HotKeyEntry>& Entries() const { return entries_; }
    int Registrations() const { return static_cast<int>(entries_.size()); }

private:
    static LRESULT CALLBACK Link(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);

    std::vector<HotKeyEntry> entries_;
    HWND linkedWindow_ = nullptr;
};

}  // namespace glimwell
