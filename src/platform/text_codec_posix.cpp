// Code page 936 conversion for the native build, through iconv. wchar_t is 32 bits here, so
// the wide side is UTF-32; only characters of the Basic Multilingual Plane matter for GBK.
#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "platform/text_codec.h"

namespace glimwell {

namespace {

template <typename Out, typename In>
Out Convert(const char* to, const char* from, const In& input, typename Out::value_type replacement) {
    Out out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    const std::size_t unit = sizeof(typename In::value_type);
    char* in = const_cast<char*>(reinterpret_cast<const char*>(input.data()));
    std::size_t inLeft = input.size() * unit;
    char buffer[256];
    while (inLeft > 0) {
        char* outPtr = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const std::size_t produced = sizeof buffer - outLeft;
        const auto* units = reinterpret_cast<const typename Out::value_type*>(buffer);
        out.append(units, produced / sizeof(typename Out::value_type));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            out.push_back(replacement);
            const std::size_t skip = std::min(inLeft, unit);
            in += skip;
            inLeft -= skip;
        }
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string WideToGbk(std::wstring_view text) {
    return Convert<std::string>("CP936", "WCHAR_T", text, '?');
}

std::wstring GbkToWide(std::string_view bytes) {
    return Convert<std::wstring>("WCHAR_T", "CP936", bytes, L'\uFFFD');
}

}  // namespace glimwell
