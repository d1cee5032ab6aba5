// Mapping of message box buttons to the program's result numbers.
#include "platform/message_box.h"

namespace glimwell {

MessageResult MessageResultFromButton(int buttonId) {
    constexpr int kFirst = 1;  // IDOK
    constexpr int kLast = 7;   // IDNO
    if (buttonId < kFirst || buttonId > kLast) return MessageResult::Cancel;
    return static_cast<MessageResult>(buttonId - kFirst);
}

}  // namespace glimwell
