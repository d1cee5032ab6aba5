// Structure-first splitting of frames and records, with plain splitting as the fallback.
// Both run in time linear in the input, also on hostile data: searches for the trailer and the
// delimiter reuse their last answer, and walking images is held to a budget of bytes, beyond
// which splitting is plain.
#include "play/frame_splitter.h"

#include <algorithm>
#include <optional>

#include "platform/byte_io.h"
#include "play/image_extent.h"

namespace glimwell {

namespace {

// Bytes of image structure walked per byte of input before splitting turns plain; a recording
// walks each image once, so only failed walks over foreign data use the reserve.
constexpr std::size_t kWalkBudgetFactor = 2;
constexpr std::size_t kWalkBudgetReserve = 1 << 20;

// First occurrence of a byte sequence at or after a position, remembering the last answer:
// it holds for every position between the last start and the hit.
class Finder {
public:
    Finder(ByteView bytes, ByteView needle) : bytes_(bytes), needle_(needle) {}
    std::size_t From(std::size_t pos) {
        if (!(from_ <= pos && pos <= hit_)) {
            from_ = pos;
            hit_ = FindBytes(bytes_, needle_, pos);
        }
        return hit_;
    }

private:
    ByteView bytes_;
    ByteView needle_;
    std::size_t from_ = 1;
    std::size_t hit_ = 0;
};

bool HasRecordHeader(ByteView bytes, std::size_t pos) {
    if (pos > bytes.size() || bytes.size() - pos < kRecordHeaderSize) return false;
    for (std::size_t mark : {0, 4, 8})
        if (bytes[pos + mark] != 0xFF || bytes[pos + mark + 1] != 0xFF) return false;
    return true;
}

struct RecordSpan {
    std::size_t imageEnd;
    std::size_t trailer;  // where the trailer starts; bytes.size() when none follows
};

// The record at `pos` read by its structure: the end of its image and the first trailer from
// there on. Nothing when the header or the image does not parse within the budget.
std::optional<RecordSpan> ReadRecordSpan(ByteView bytes, std::size_t pos, std::size_t& budget, Finder& trailers) {
    if (!HasRecordHeader(bytes, pos)) return std::nullopt;
    const std::size_t imageStart = pos + kRecordHeaderSize;
    const ByteView window = bytes.subspan(imageStart, std::min(bytes.size() - imageStart, budget));
    const std::optional<ImageExtent> image = MeasureImage(window);
    budget -= image ? image->length : window.size();
    if (!image) return std::nullopt;
    const std::size_t imageEnd = imageStart + image->length;
    return RecordSpan{imageEnd, trailers.From(imageEnd)};
}

std::size_t WalkBudget(ByteView bytes) { return bytes.size() * kWalkBudgetFactor + kWalkBudgetReserve; }

DecodedRecord MakeRecord(ByteView piece) {
    DecodedRecord record;
    record.x = static_cast<std::int16_t>(*ReadU16At(piece, 2));
    record.y = static_cast<std::int16_t>(*ReadU16At(piece, 6));
    record.payload = piece.subspan(kRecordHeaderSize);
    return record;
}

}  // namespace

std::vector<ByteView> SplitFrames(ByteView entry) {
    std::vector<ByteView> frames;
    Finder delimiters(entry, FrameDelimiter);
    Finder trailers(entry, RegionTrailer);
    std::size_t budget = WalkBudget(entry);
    std::size_t frameStart = 0;
    std::size_t pos = 0;
    while (pos < entry.size()) {
        if (delimiters.From(pos) == pos) {
            frames.push_back(entry.subspan(frameStart, pos - frameStart));
            pos += FrameDelimiter.size();
            frameStart = pos;
            continue;
        }
        // A record counts when its trailer comes before the delimiter that ends the frame;
        // delimiter bytes inside its image do not end the frame.
        if (const auto record = ReadRecordSpan(entry, pos, budget, trailers);
            record && record->trailer < entry.size() && record->trailer < delimiters.From(record->imageEnd)) {
            pos = record->trailer + RegionTrailer.size();
            continue;
        }
        // No record here: the frame ends at the next delimiter, as plain splitting has it.
        pos = delimiters.From(pos);
    }
    if (frameStart < entry.size()) frames.push_back(entry.subspan(frameStart));
    return frames;
}

std::vector<DecodedRecord> ReadRecords(ByteView frame) {
    std::vector<DecodedRecord> records;
    if (frame.size() < RegionTrailer.size()) return records;
    Finder trailers(frame, RegionTrailer);
    std::size_t budget = WalkBudget(frame);
    std::size_t pos = 0;
    while (pos < frame.size()) {
        const std::optional<RecordSpan> record = ReadRecordSpan(frame, pos, budget, trailers);
        if (!record) {
            const std::vector<DecodedRecord> rest = ReadFrameRecords(frame.subspan(pos));
            records.insert(records.end(), rest.begin(), rest.end());
            break;
        }
        // A last record without a trailer runs to the end of the frame.
        records.push_back(MakeRecord(frame.subspan(pos, record->trailer - pos)));
        pos = record->trailer + RegionTrailer.size();
    }
    return records;
}

}  // namespace glimwell
