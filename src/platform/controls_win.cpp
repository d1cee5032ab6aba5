// Control text and check-state helpers.
#include "platform/controls_win.h"

#include "platform/leading_integer.h"

namespace glimwell {

std::wstring ControlText(HWND control) {
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

void SetControlText(HWND control, std::wstring_view text) {
    const std::wstring copy(text);
    SetWindowTextW(control, copy.c_str());
}

bool IsChecked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
    SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int ControlInteger(HWND control) { return LeadingInteger(ControlText(control)); }

}  // namespace glimwell
