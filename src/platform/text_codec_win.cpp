// Code page 936 conversion through the system's own tables.
#include <windows.h>

#include <climits>

#include "platform/text_codec.h"

namespace glimwell {

namespace {
constexpr UINT kGbkCodePage = 936;
}

std::string WideToGbk(std::wstring_view text) {
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(kGbkCodePage, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kGbkCodePage, 0, text.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::wstring GbkToWide(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), length, nullptr, 0);
    if (needed <= 0) return {};
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, bytes.data(), length, out.data(), needed);
    return out;
}

}  // namespace glimwell
