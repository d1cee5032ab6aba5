// Reads the settings entry of a recording: INI text in GBK bytes, parsed by our own tolerant
// reader (any line ends, blank lines, spaces around names and values, missing keys) so that the
// result never depends on the system's code page.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glimwell {

class IniReader {
public:
    explicit IniReader(std::string_view text);

    // The value of `key` in `section`; names are compared as GBK bytes with ASCII letters in
    // either case. The first section of that name and its first such key win; one pair of
    // matching quotes around a value is removed. Nothing when the section or key is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;
    std::string ValueOr(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    std::vector<Entry> entries_;
};

// A setting's number: leading white space is skipped, then an optional sign and the decimal
// digits that follow are read (0 when there are none; the rest is ignored). Full-width digits
// count as digits. Values beyond the 32-bit range are held at its ends.
std::int32_t ParseIniNumber(std::string_view valueBytes);

}  // namespace glimwell
