// MessageBoxW without owner, task-modal.
#include "platform/message_box_win.h"

#include <string>

namespace glimwell {

MessageResult ShowMessage(std::wstring_view text, std::wstring_view title, UINT style) {
    const std::wstring textCopy(text);
    const std::wstring titleCopy(title);
    return MessageResultFromButton(MessageBoxW(nullptr, textCopy.c_str(), titleCopy.c_str(), style | MB_TASKMODAL));
}

}  // namespace glimwell
