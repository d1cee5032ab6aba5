// The system's own text for an error code, for messages that the user must see.
#pragma once

#include <windows.h>

#include <string>

namespace glimwell {

// FormatMessageW text of `code` without the trailing line break; "错误 N" when the system has none.
std::wstring SystemErrorText(DWORD code);

}  // namespace glimwell
