// Results of the program's message boxes, numbered as the rest of the program uses them,
// and the mapping from the system's button ids. Portable so it can be tested natively.
#pragma once

namespace glimwell {

enum class MessageResult { Ok = 0, Cancel = 1, Abort = 2, Retry = 3, Ignore = 4, Yes = 5, No = 6 };

// IDOK (1) .. IDNO (7) give Ok .. No; anything else (0 when the box could not be shown, or
// a button the program never offers) counts as Cancel, the answer that changes nothing.
MessageResult MessageResultFromButton(int buttonId);

}  // namespace glimwell
