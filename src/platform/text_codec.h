// Conversion between UTF-16 text and code page 936 (GBK) bytes, the encoding of every text
// that a recording file stores. Never the system's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace glimwell {

// Characters without a GBK form become '?'.
std::string WideToGbk(std::wstring_view text);
// Invalid sequences become U+FFFD or the system's default character.
std::wstring GbkToWide(std::string_view bytes);

}  // namespace glimwell
