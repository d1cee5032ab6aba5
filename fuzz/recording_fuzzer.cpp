// libFuzzer target over the portable loading path: archive bytes -> entries (names checked,
// data read) -> frames -> records -> images; and the settings entry -> INI values -> numbers.
// The input is also fed straight to the frame and INI readers, so that their mutations need
// not pass through deflate.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/text_codec.h"
#include "platform/zip_extractor.h"
#include "play/frame_splitter.h"
#include "play/image_extent.h"
#include "play/ini_reader.h"
#include "play/recording_loader.h"
#include "play/unpack_folder.h"
#include "record/recording_file.h"

namespace {

using namespace glimwell;

// Entries are read into memory up to this size; larger ones only stream through.
constexpr std::size_t kEntryLimit = 4 << 20;

void Check(bool condition) {
    if (!condition) std::abort();
}

void ExerciseRecords(ByteView frame) {
    for (const DecodedRecord& record : ReadRecords(frame)) {
        Check(record.payload.data() >= frame.data() + 10 &&
              record.payload.data() + record.payload.size() <= frame.data() + frame.size());
        if (const auto extent = MeasureImage(record.payload)) Check(extent->length <= record.payload.size());
        ClaimedImageSize(record.payload);
    }
}

void ExerciseFrames(ByteView entry) {
    const std::vector<ByteView> frames = SplitFrames(entry);
    // Frames and the delimiters after them make up the entry exactly, in order.
    const ByteView delimiter(FrameDelimiter);
    std::size_t pos = 0;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        Check(frames[i].data() == entry.data() + pos);
        pos += frames[i].size();
        ExerciseRecords(frames[i]);
        if (pos == entry.size()) {
            Check(i + 1 == frames.size());
            break;
        }
        Check(entry.size() - pos >= delimiter.size() &&
              std::equal(delimiter.begin(), delimiter.end(), entry.begin() + static_cast<std::ptrdiff_t>(pos)));
        pos += delimiter.size();
    }
    Check(pos == entry.size());
}

void ExerciseSettings(ByteView bytes) {
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    ReadPlaybackSettings(text, 1920, 1080);
    ParseIniNumber(text.substr(0, 64));
    UnpackFolderName(L"D:\\cache", GbkToWide(text.substr(0, 64)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const ByteView input(data, size);
    ZipReader reader(input);
    if (reader.IsOpen()) {
        reader.ForEachEntry([&](const ZipEntryInfo& entry) {
            if (const auto path = SafeEntryPath(entry.name)) {
                Check(path->is_relative() && !path->has_root_name() && !path->has_root_directory());
                for (const auto& part : *path) Check(part != ".." && part != ".");
            }
            Bytes content;
            reader.ReadCurrent([&](ByteView chunk) {
                Check(content.size() + chunk.size() <= entry.claimedSize);
                if (content.size() + chunk.size() > kEntryLimit) return false;
                content.insert(content.end(), chunk.begin(), chunk.end());
                return true;
            });
            if (entry.name == kFramesEntryName) ExerciseFrames(content);
            if (entry.name == kConfigEntryName) ExerciseSettings(content);
            return true;
        });
    }
    ExerciseFrames(input);
    ExerciseSettings(input);
    return 0;
}
