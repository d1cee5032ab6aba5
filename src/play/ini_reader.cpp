// INI parsing over GBK bytes. A GBK character is one byte below 0x81 or a lead byte 0x81-0xFE
// with one trail byte; trail bytes may look like ASCII letters, brackets or '=', so every
// scan here steps over whole characters.
#include "play/ini_reader.h"

#include <limits>

namespace glimwell {

namespace {

// GetPrivateProfileString fills a buffer of this many characters, terminator included.
constexpr std::size_t kMaxValueBytes = 10239;
constexpr unsigned char kFullWidthLead = 0xA3;  // GBK ０-９ are A3 B0 - A3 B9

std::size_t CharLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x81 || lead > 0xFE || pos + 1 >= text.size()) return 1;
    const auto trail = static_cast<unsigned char>(text[pos + 1]);
    return trail >= 0x40 && trail <= 0xFE && trail != 0x7F ? 2 : 1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Position of the first single-byte `wanted`, or npos; never a trail byte.
std::size_t FindChar(std::string_view text, char wanted) {
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        if (text[pos] == wanted) return pos;
    return std::string_view::npos;
}

char FoldAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t pos = 0; pos < a.size();) {
        const std::size_t length = CharLength(a, pos);
        if (length == 2) {
            if (a.substr(pos, 2) != b.substr(pos, 2)) return false;
        } else if (FoldAscii(a[pos]) != FoldAscii(b[pos])) {
            return false;
        }
        pos += length;
    }
    return true;
}

std::string_view CutToLimit(std::string_view value) {
    if (value.size() <= kMaxValueBytes) return value;
    std::size_t pos = 0;
    while (pos < value.size() && pos + CharLength(value, pos) <= kMaxValueBytes) pos += CharLength(value, pos);
    return value.substr(0, pos);
}

}  // namespace

IniReader::IniReader(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    std::optional<std::string> section;
    while (!text.empty()) {
        std::size_t end = 0;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n') end += CharLength(text, end);
        end = std::min(end, text.size());
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end);
        while (!text.empty() && (text.front() == '\r' || text.front() == '\n')) text.remove_prefix(1);

        if (line.empty()) continue;
        if (line.front() == '[') {
            const std::size_t close = FindChar(line, ']');
            section = std::string(Trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1)));
            continue;
        }
        if (!section) continue;  // keys before the first section belong to none
        const std::size_t equals = FindChar(line, '=');
        const std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = equals == std::string_view::npos ? std::string_view() : Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        if (key.empty()) continue;
        entries_.push_back({*section, std::string(key), std::string(CutToLimit(value))});
    }
}

std::optional<std::string> IniReader::Value(std::string_view section, std::string_view key) const {
    // Only the first section of a name counts, as with the system's profile reader.
    const Entry* first = nullptr;
    for (const Entry& entry : entries_) {
        if (!SameName(entry.section, section)) continue;
        if (!first) first = &entry;
        if (entry.section != first->section) continue;
        if (SameName(entry.key, key)) return entry.value;
    }
    return std::nullopt;
}

std::string IniReader::ValueOr(std::string_view section, std::string_view key, std::string_view fallback) const {
    return Value(section, key).value_or(std::string(fallback));
}

std::int32_t ParseIniNumber(std::string_view valueBytes) {
    std::string text;
    text.reserve(valueBytes.size());
    for (std::size_t pos = 0; pos < valueBytes.size();) {
        const std::size_t length = CharLength(valueBytes, pos);
        const auto lead = static_cast<unsigned char>(valueBytes[pos]);
        const auto trail = length == 2 ? static_cast<unsigned char>(valueBytes[pos + 1]) : 0;
        if (length == 2 && lead == kFullWidthLead && trail >= 0xB0 && trail <= 0xB9)
            text.push_back(static_cast<char>('0' + (trail - 0xB0)));
        else
            text.append(valueBytes.substr(pos, length));
        pos += length;
    }
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    std::int64_t magnitude = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
        magnitude = std::min(kLimit, magnitude * 10 + (text[pos] - '0'));
    const std::int64_t value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    return static_cast<std::int32_t>(value);
}

}  // namespace glimwell
