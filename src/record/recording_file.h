// The entries of a recording archive (.vx) and the bytes of its INI entry. Entry names and INI
// section and key names are stored as GBK bytes, whatever the system's code page.
#pragma once

#include <string>
#include <string_view>

#include "platform/byte_buffer.h"

namespace glimwell {

// Entry names as files in the folder that is packed (the packer stores them as GBK bytes).
inline constexpr wchar_t kFramesEntryFile[] = L"录制文件Temp";
inline constexpr wchar_t kConfigEntryFile[] = L"Config";
inline constexpr wchar_t kMusicEntryFile[] = L"Music";

// The same names as stored in the archive.
inline constexpr std::string_view kFramesEntryName = "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp";
inline constexpr std::string_view kConfigEntryName = "Config";
inline constexpr std::string_view kMusicEntryName = "Music";

// Milliseconds between frames: the integer part of 1000 / frame rate. The settings panel keeps
// the rate within 1..25; a rate below 1 counts as 1 so that no division by zero can happen.
int FramePeriodMs(int frameRate);

// The INI entry: section 视频设置 with 周期, section 自设信息 with X, Y and 内容, six lines with
// CR LF, values unchanged (an empty value keeps its key line).
Bytes BuildRecordingConfig(int periodMs, std::wstring_view x, std::wstring_view y, std::wstring_view content);

}  // namespace glimwell
