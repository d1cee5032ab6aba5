// Writing and reading region records.
#include "record/frame_format.h"

#include "platform/byte_io.h"

namespace glimwell {
namespace {

constexpr std::array<std::uint8_t, 2> kFieldMark = {0xFF, 0xFF};

// The player's test for a well-formed record: splitting at FF FF into at most three parts
// gives exactly three, i.e. the pair occurs at least twice without overlapping.
bool HasThreeParts(ByteView record) {
    const std::size_t first = FindBytes(record, kFieldMark);
    if (first == record.size()) return false;
    return FindBytes(record, kFieldMark, first + kFieldMark.size()) != record.size();
}

}  // namespace

void AppendRecordHeader(Bytes& out, std::int32_t x, std::int32_t y) {
    ByteWriter w(out);
    w.Raw(kFieldMark);
    w.I16(static_cast<std::int16_t>(x));
    w.Raw(kFieldMark);
    w.I16(static_cast<std::int16_t>(y));
    w.Raw(kFieldMark);
}

void AppendRegionRecord(Bytes& out, std::int32_t x, std::int32_t y, ByteView payload) {
    out.reserve(out.size() + kRecordOverhead + payload.size());
    AppendRecordHeader(out, x, y);
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), RegionTrailer.begin(), RegionTrailer.end());
}

bool PayloadCollides(ByteView payload) {
    return FindBytes(payload, RegionTrailer) != payload.size() ||
           FindBytes(payload, FrameDelimiter) != payload.size();
}

std::vector<DecodedRecord> ReadFrameRecords(ByteView frame) {
    std::vector<DecodedRecord> records;
    if (frame.size() < RegionTrailer.size()) return records;
    for (ByteView piece : SplitAt(frame, RegionTrailer)) {
        if (piece.size() < kRecordHeaderSize || !HasThreeParts(piece)) continue;
        DecodedRecord record;
        record.x = static_cast<std::int16_t>(*ReadU16At(piece, 2));
        record.y = static_cast<std::int16_t>(*ReadU16At(piece, 6));
        record.payload = piece.subspan(kRecordHeaderSize);
        records.push_back(record);
    }
    return records;
}

}  // namespace glimwell
