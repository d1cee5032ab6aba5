// Key capture and registration values of the hot-key page.
#include "app/hot_key_rules.h"

#include "platform/leading_integer.h"

namespace glimwell {

std::optional<CapturedKey> CaptureKeyPress(int keyCode, int modifierState) {
    if (keyCode == kKeyShift || keyCode == kKeyControl || keyCode == kKeyMenu) return std::nullopt;
    CapturedKey key;
    key.shift = (modifierState & kKeyStateShift) != 0;
    key.ctrl = (modifierState & kKeyStateCtrl) != 0;
    key.alt = (modifierState & kKeyStateAlt) != 0;
    key.keyText = std::to_wstring(keyCode);
    return key;
}

unsigned HotKeyModifiers(bool shift, bool ctrl, bool alt) {
    return (shift ? kHotKeyShift : 0u) + (ctrl ? kHotKeyControl : 0u) + (alt ? kHotKeyAlt : 0u);
}

unsigned HotKeyCodeFromText(std::wstring_view text) {
    const int value = LeadingInteger(text);
    return value < 0 ? 0u : static_cast<unsigned>(value);
}

}  // namespace glimwell
