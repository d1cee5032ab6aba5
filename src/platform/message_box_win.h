// Message boxes of the program: owned by no window and task-modal, so every window of the
// program waits for the answer; without a title they are titled "信息：".
#pragma once

#include <windows.h>

#include <string_view>

#include "platform/message_box.h"

namespace glimwell {

inline constexpr wchar_t kDefaultMessageTitle[] = L"信息：";

// `style`: the MB_ buttons and icon, for example MB_YESNO | MB_ICONQUESTION.
MessageResult ShowMessage(std::wstring_view text, std::wstring_view title = kDefaultMessageTitle,
                          UINT style = MB_OK);

}  // namespace glimwell
