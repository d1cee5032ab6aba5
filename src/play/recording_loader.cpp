// LoadRecording and the frame list it fills.
#include "play/recording_loader.h"

#include <fstream>
#include <string>
#include <system_error>

#include "platform/text_codec.h"
#include "platform/wide_path.h"
#include "platform/zip_extractor.h"
#include "play/frame_splitter.h"
#include "play/ini_reader.h"
#include "record/recording_file.h"

namespace glimwell {

namespace fs = std::filesystem;

namespace {

// INI names as the GBK bytes a recording stores.
constexpr std::string_view kVideoSection = "\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3";   // 视频设置
constexpr std::string_view kPeriodKey = "\xD6\xDC\xC6\xDA";                      // 周期
constexpr std::string_view kCustomSection = "\xD7\xD4\xC9\xE8\xD0\xC5\xCF\xA2";  // 自设信息
constexpr std::string_view kTextKey = "\xC4\xDA\xC8\xDD";                        // 内容

// A settings entry is a few dozen bytes; more than this is not read.
constexpr std::size_t kMaxConfigBytes = 1 << 20;

std::string ReadFilePrefix(const fs::path& path, std::size_t limit) {
    std::ifstream file(path, std::ios::binary);
    std::string text(limit, '\0');
    file.read(text.data(), static_cast<std::streamsize>(limit));
    text.resize(static_cast<std::size_t>(file.gcount()));
    return text;
}

// Removes the unpack folder when loading ends, however it ends.
class FolderRemover {
public:
    explicit FolderRemover(const fs::path& folder) : folder_(folder) {}
    ~FolderRemover() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    FolderRemover(const FolderRemover&) = delete;
    FolderRemover& operator=(const FolderRemover&) = delete;

private:
    fs::path folder_;
};

}  // namespace

void FrameList::Assign(Bytes framesEntry) {
    Clear();
    bytes_ = std::move(framesEntry);  // the views below point into this block, which a move keeps
    frames_ = SplitFrames(bytes_);
}

void FrameList::Clear() {
    Bytes().swap(bytes_);
    std::vector<ByteView>().swap(frames_);
    next_ = 0;
}

void FrameList::PopFront() {
    if (Empty()) return;
    if (++next_ == frames_.size()) Clear();
}

PlaybackSettings ReadPlaybackSettings(std::string_view iniBytes, std::int32_t screenWidth, std::int32_t screenHeight) {
    const IniReader ini(iniBytes);
    PlaybackSettings settings;
    settings.framePeriod = ParseIniNumber(ini.ValueOr(kVideoSection, kPeriodKey, "0"));
    const auto number = [&](std::string_view key, std::int64_t fallback) {
        const std::optional<std::string> value = ini.Value(kCustomSection, key);
        return value ? ParseIniNumber(*value) : static_cast<std::int32_t>(fallback);
    };
    settings.overlayX = number("X", std::int64_t{screenWidth} + 10);
    settings.overlayY = number("Y", std::int64_t{screenHeight} + 10);
    settings.overlayText = ini.ValueOr(kCustomSection, kTextKey, "");
    return settings;
}

void LoadRecording(PlaybackState& state, const fs::path& archive, const fs::path& unpackFolder,
                   std::int32_t screenWidth, std::int32_t screenHeight) {
    state.frames.Clear();
    state.currentFrame = 0;
    state.frameCount = 0;
    std::string config;
    try {
        std::error_code ec;
        fs::remove_all(unpackFolder, ec);  // stale files of an earlier run must not be read as this recording's
        FolderRemover remover(unpackFolder);
        ExtractAll(archive, unpackFolder);
        Bytes framesEntry;
        if (ReadWholeFile(unpackFolder / WidePath(kFramesEntryFile), framesEntry)) state.frames.Assign(std::move(framesEntry));
        config = ReadFilePrefix(unpackFolder / WidePath(kConfigEntryFile), kMaxConfigBytes);
    } catch (const std::exception&) {
        // Out of memory while splitting a huge entry: the recording loads without frames.
        state.frames.Clear();
    }
    const PlaybackSettings settings = ReadPlaybackSettings(config, screenWidth, screenHeight);
    state.framePeriod = settings.framePeriod;
    state.overlayX = settings.overlayX;
    state.overlayY = settings.overlayY;
    state.overlayText = GbkToWide(settings.overlayText);
    state.frameCount = static_cast<std::int32_t>(std::min<std::size_t>(state.frames.Remaining(), INT32_MAX));
}

}  // namespace glimwell
