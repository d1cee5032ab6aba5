// HotKeyTable over RegisterHotKey and a window subclass. The link is installed at the first
// successful registration, after the main window's other links, so it sees WM_HOTKEY first.
#include "app/hot_key_table_win.h"

#include <commctrl.h>

#include <utility>

namespace glimwell {

namespace {
constexpr UINT_PTR kHotKeyLinkId = 0x686b;
}

HotKeyTable::~HotKeyTable() {
    if (linkedWindow_ && IsWindow(linkedWindow_)) RemoveWindowSubclass(linkedWindow_, Link, kHotKeyLinkId);
}

int HotKeyTable::RegisterRecordingHotKey(HWND window, UINT modifiers, UINT keyCode, HotKeyAction action) {
    for (const HotKeyEntry& entry : entries_)
        if (entry.keyCode == keyCode) UnregisterHotKey(entry.window, entry.id);
    const int id = Registrations() + 1;
    if (!RegisterHotKey(window, id, modifiers, keyCode)) return 0;
    entries_.push_back({window, modifiers, keyCode, id, std::move(action)});
    if (!linkedWindow_ && SetWindowSubclass(window, Link, kHotKeyLinkId, reinterpret_cast<DWORD_PTR>(this)))
        linkedWindow_ = window;
    return id;
}

LRESULT CALLBACK HotKeyTable::Link(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) {
    auto* table = reinterpret_cast<HotKeyTable*>(self);
    if (message == WM_HOTKEY) {
        // Only the table's ids are meant to arrive, but any program can post WM_HOTKEY, and the
        // system's own ids are negative: anything else goes on down the chain.
        const WPARAM position = wParam - 1;
        if (wParam >= 1 && position < table->entries_.size()) {
            // A copy: the action may pump messages, and a registration meanwhile grows the table.
            const HotKeyAction action = table->entries_[position].action;
            try {
                return action ? action(window, message, wParam, lParam) : 0;
            } catch (...) {
                return 0;  // no exception leaves a window procedure
            }
        }
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, Link, kHotKeyLinkId);
        table->linkedWindow_ = nullptr;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace glimwell
