// The hot-key page: key boxes linked (window subclass) to capture keys, and the "设置" button.
#include "app/hot_key_page_win.h"

#include <commctrl.h>

#include <utility>

#include "app/hot_key_rules.h"
#include "app/main_window_layout_win.h"
#include "platform/controls_win.h"
#include "platform/message_box_win.h"

namespace glimwell {

namespace {

// The controls of one set, by layout name.
struct KeySet {
    const wchar_t* keyBox;
    const wchar_t* shift;
    const wchar_t* ctrl;
    const wchar_t* alt;
};

constexpr KeySet kStartStopSet{kKeyCodeEdit1, kShiftCheck1, kCtrlCheck1, kAltCheck1};
constexpr KeySet kPauseResumeSet{kKeyCodeEdit2, kShiftCheck2, kCtrlCheck2, kAltCheck2};

const KeySet& Set(int set) { return set == 1 ? kStartStopSet : kPauseResumeSet; }

}  // namespace

int CurrentModifierState() {
    auto down = [](int key) { return (GetKeyState(key) & 0x8000) != 0; };
    return (down(VK_CONTROL) ? kKeyStateCtrl : 0) | (down(VK_SHIFT) ? kKeyStateShift : 0) |
           (down(VK_MENU) ? kKeyStateAlt : 0);
}

HotKeyPage::HotKeyPage(const Layout& layout, HWND window, HotKeyTable& table, HotKeyAction togglePause,
                       HotKeyAction toggleStartStop)
    : layout_(layout),
      window_(window),
      table_(table),
      togglePause_(std::move(togglePause)),
      toggleStartStop_(std::move(toggleStartStop)) {
    showNotice = [](std::wstring_view text) { ShowMessage(text, kDefaultMessageTitle, MB_OK | MB_ICONINFORMATION); };
    for (int set : {1, 2})
        if (HWND box = layout_.Get(Set(set).keyBox))
            SetWindowSubclass(box, KeyBoxLink, static_cast<UINT_PTR>(set), reinterpret_cast<DWORD_PTR>(this));
}

HotKeyPage::~HotKeyPage() {
    for (int set : {1, 2})
        if (HWND box = layout_.Get(Set(set).keyBox); box && IsWindow(box))
            RemoveWindowSubclass(box, KeyBoxLink, static_cast<UINT_PTR>(set));
}

bool HotKeyPage::HandleCommand(int id, int notifyCode) {
    if (id != layout_.IdOf(kSetHotKeysButton)) return false;
    if (notifyCode == BN_CLICKED) SetHotKeys();
    return true;
}

bool HotKeyPage::OnKeyPressed(int set, int keyCode, int modifierState) {
    const auto captured = CaptureKeyPress(keyCode, modifierState);
    if (!captured) return false;
    const KeySet& controls = Set(set);
    SetChecked(layout_.Get(controls.shift), captured->shift);
    SetChecked(layout_.Get(controls.alt), captured->alt);
    SetChecked(layout_.Get(controls.ctrl), captured->ctrl);
    SetControlText(layout_.Get(controls.keyBox), captured->keyText);
    return true;
}

void HotKeyPage::Register(int set, const HotKeyAction& action) {
    const KeySet& controls = Set(set);
    const unsigned modifiers = HotKeyModifiers(IsChecked(layout_.Get(controls.shift)),
                                               IsChecked(layout_.Get(controls.ctrl)),
                                               IsChecked(layout_.Get(controls.alt)));
    const unsigned keyCode = HotKeyCodeFromText(ControlText(layout_.Get(controls.keyBox)));
    table_.RegisterRecordingHotKey(window_, modifiers, keyCode, action);
}

void HotKeyPage::SetHotKeys() {
    Register(2, togglePause_);
    Register(1, toggleStartStop_);
    // Shown whatever the system answered: a key held by another program stays unregistered.
    if (showNotice) showNotice(L"设置成功！");
}

// Every key pressed in a key box is a capture: the box is read-only, and the keys must not
// reach the default handling either (Alt would open the menu bar, Alt+F4 close the window).
LRESULT CALLBACK HotKeyPage::KeyBoxLink(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR set,
                                        DWORD_PTR self) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        try {
            reinterpret_cast<HotKeyPage*>(self)->OnKeyPressed(static_cast<int>(set), static_cast<int>(wParam),
                                                              CurrentModifierState());
        } catch (...) {
        }
        return 0;
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
        return 0;
    case WM_NCDESTROY:
        RemoveWindowSubclass(box, KeyBoxLink, set);
        break;
    default:
        break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

}  // namespace glimwell
