// The rules of the hot-key page that need no window: what a key pressed in a key box does to
// the page, and the modifier bits and key code that the "设置" button registers.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace glimwell {

// Bits of the modifier state that comes with a key pressed in a key box.
inline constexpr int kKeyStateCtrl = 1, kKeyStateShift = 2, kKeyStateAlt = 4;
// Modifier bits that RegisterHotKey takes (MOD_ALT, MOD_CONTROL, MOD_SHIFT).
inline constexpr unsigned kHotKeyAlt = 1, kHotKeyControl = 2, kHotKeyShift = 4;
// Virtual-key codes of Shift, Ctrl and Alt on their own.
inline constexpr int kKeyShift = 16, kKeyControl = 17, kKeyMenu = 18;

// What one key press sets on the page: the three check boxes of the set and the key box text.
struct CapturedKey {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    std::wstring keyText;  // the key code in decimal

    bool operator==(const CapturedKey&) const = default;
};

// Shift, Ctrl or Alt alone are swallowed (nothing changes, empty result); any other key sets
// the boxes from `modifierState` (kKeyState* bits) and the key code as text.
std::optional<CapturedKey> CaptureKeyPress(int keyCode, int modifierState);

// The modifiers of a set as the system takes them.
unsigned HotKeyModifiers(bool shift, bool ctrl, bool alt);

// The key code a key box holds: the integer value of its text, 0 when empty (the system then
// judges the key code 0).
unsigned HotKeyCodeFromText(std::wstring_view text);

}  // namespace glimwell
