// A path from UTF-16 (Windows) or UTF-32 (native) text without going through the C library's
// locale, which on the native build may not know anything beyond ASCII and would throw.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace glimwell {

inline std::filesystem::path WidePath(std::wstring_view text) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(text));
#else
    std::u8string utf8;
    for (wchar_t wide : text) {
        auto c = static_cast<char32_t>(wide);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            utf8 += static_cast<char8_t>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char8_t>(0xC0 | c >> 6);
            utf8 += static_cast<char8_t>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            utf8 += static_cast<char8_t>(0xE0 | c >> 12);
            utf8 += static_cast<char8_t>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char8_t>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char8_t>(0xF0 | c >> 18);
            utf8 += static_cast<char8_t>(0x80 | (c >> 12 & 0x3F));
            utf8 += static_cast<char8_t>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char8_t>(0x80 | (c & 0x3F));
        }
    }
    return std::filesystem::path(utf8);
#endif
}

}  // namespace glimwell
