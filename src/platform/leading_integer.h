// The integer value of a text as the settings read it: optional blanks and sign, then the
// digits at its start; 0 when there are none. Values beyond the int range are clamped.
#pragma once

#include <string_view>

namespace glimwell {

int LeadingInteger(std::wstring_view text);

}  // namespace glimwell
