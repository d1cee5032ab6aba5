// Builds the INI entry of a recording the way the system's profile writer lays out a new file,
// but always in code page 936.
#include "record/recording_file.h"

#include <string>

#include "platform/text_codec.h"

namespace glimwell {

namespace {

constexpr std::string_view kVideoSection = "\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3";   // 视频设置
constexpr std::string_view kPeriodKey = "\xD6\xDC\xC6\xDA";                       // 周期
constexpr std::string_view kCustomSection = "\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2";  // 自设信息
constexpr std::string_view kContentKey = "\xC4\xDA\xC8\xDD";                      // 内容

void Line(std::string& out, std::string_view a, std::string_view b = {}, std::string_view c = {}) {
    out.append(a).append(b).append(c).append("\r\n");
}

}  // namespace

int FramePeriodMs(int frameRate) { return 1000 / (frameRate < 1 ? 1 : frameRate); }

Bytes BuildRecordingConfig(int periodMs, std::wstring_view x, std::wstring_view y, std::wstring_view content) {
    std::string text;
    Line(text, "[", kVideoSection, "]");
    Line(text, kPeriodKey, "=", std::to_string(periodMs));
    Line(text, "[", kCustomSection, "]");
    Line(text, "X=", WideToGbk(x));
    Line(text, "Y=", WideToGbk(y));
    Line(text, kContentKey, "=", WideToGbk(content));
    return Bytes(text.begin(), text.end());
}

}  // namespace glimwell
