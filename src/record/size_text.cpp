// Kilobyte text with exact decimal rounding (no floating point), half up at the third decimal.
#include "record/size_text.h"

namespace glimwell {

std::wstring FormatKilobytes(std::uint64_t bytes) {
    std::uint64_t whole = bytes / 1024;
    std::uint64_t thousandths = ((bytes % 1024) * 1000 + 512) / 1024;
    if (thousandths == 1000) {
        ++whole;
        thousandths = 0;
    }
    const std::wstring digits = std::to_wstring(whole);
    std::wstring text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += L',';
        text += digits[i];
    }
    const std::wstring fraction = std::to_wstring(thousandths);
    return text + L"." + std::wstring(3 - fraction.size(), L'0') + fraction;
}

}  // namespace glimwell
