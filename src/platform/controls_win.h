// Small helpers over standard controls: text, check state, whole numbers in text.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace glimwell {

std::wstring ControlText(HWND control);
void SetControlText(HWND control, std::wstring_view text);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);
// The whole number that the control's text starts with (see LeadingInteger).
int ControlInteger(HWND control);

}  // namespace glimwell
