// Splitting frames and records by structure: the same answer as plain splitting wherever no
// image holds a boundary's bytes, the right answer where one does.
#include <gtest/gtest.h>

#include "play/frame_splitter.h"
#include "play/test_images.h"

namespace glimwell {
namespace {

using namespace testing;

std::vector<Bytes> Copies(const std::vector<ByteView>& views) {
    std::vector<Bytes> out;
    for (ByteView v : views) out.emplace_back(v.begin(), v.end());
    return out;
}

struct RecordCopy {
    std::int16_t x, y;
    Bytes payload;
    bool operator==(const RecordCopy&) const = default;
};

std::vector<RecordCopy> Copies(const std::vector<DecodedRecord>& records) {
    std::vector<RecordCopy> out;
    for (const DecodedRecord& r : records) out.push_back({r.x, r.y, Bytes(r.payload.begin(), r.payload.end())});
    return out;
}

// Frames without collisions: structure and plain splitting agree, record for record.
TEST(FrameSplitterTest, AgreesWithPlainSplittingWithoutCollisions) {
    const Bytes bmp = MakeBmp(4, 3);
    const Bytes png = MakePng(2, 2, Bytes(30, 0x55));
    const Bytes jpeg = Concat({MakeJpeg(8, 8, Bytes{1, 2, 0xFF, 0x00, 3}), Bytes{0, 0, 0}});  // slack after EOI
    const Bytes twoRecords = Concat({Record(16, 0, bmp), Record(-3, 700, jpeg)});
    struct Case {
        const char* label;
        Bytes entry;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"only delimiters", Concat({kDelimiter, kDelimiter, kDelimiter})},
        {"records", Concat({twoRecords, kDelimiter, Record(0, 0, png), kDelimiter})},
        {"no final delimiter", Concat({kDelimiter, twoRecords})},
        {"last record without trailer", Concat({Record(1, 1, bmp), ByteView(Record(2, 2, png)).first(10 + png.size()), kDelimiter})},
        {"foreign bytes", Concat({ToBytesForTest("not a record"), kDelimiter, ToBytesForTest("\xFF\xFFxy\xFF\xFFzw\xFF\xFFnot an image")})},
        {"adjacent trailers", Concat({Record(5, 5, bmp), RegionTrailer, kDelimiter})},
        {"short frames", Concat({ToBytesForTest("0123456789"), kDelimiter, ToBytesForTest("x"), kDelimiter})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        const std::vector<ByteView> frames = SplitFrames(c.entry);
        EXPECT_EQ(Copies(frames), Copies(SplitAt(c.entry, FrameDelimiter)));
        for (ByteView frame : frames) EXPECT_EQ(Copies(ReadRecords(frame)), Copies(ReadFrameRecords(frame)));
    }
}

TEST(FrameSplitterTest, StepsOverBoundaryBytesInsideImages) {
    const Bytes colliding = CollidingBytes();
    for (const Bytes& image : {MakeBmp(3, 3, colliding), MakePng(9, 9, colliding), MakeJpeg(9, 9, colliding)}) {
        const Bytes first = Record(16, 32, image);
        const Bytes second = Record(48, 0, MakeBmp(1, 1));
        const Bytes entry = Concat({first, second, kDelimiter, kDelimiter, second, kDelimiter});
        const std::vector<ByteView> frames = SplitFrames(entry);
        ASSERT_EQ(frames.size(), 3u);
        EXPECT_EQ(Bytes(frames[0].begin(), frames[0].end()), Concat({first, second}));
        EXPECT_TRUE(frames[1].empty());
        const std::vector<DecodedRecord> records = ReadRecords(frames[0]);
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].x, 16);
        EXPECT_EQ(records[0].y, 32);
        EXPECT_EQ(Bytes(records[0].payload.begin(), records[0].payload.end()), image);
        EXPECT_EQ(records[1].x, 48);
        // Plain splitting cuts this recording in the wrong places.
        EXPECT_NE(SplitAt(entry, FrameDelimiter).size(), 3u);
    }
}

TEST(FrameSplitterTest, UnparsableImagesFallBackToPlainSplitting) {
    // A BMP whose rows would run past the end of the entry, a GIF, and a PNG without IEND:
    // their structure gives no end, so frames and records end where plain splitting ends them.
    Bytes cut = MakeBmp(40, 40);
    cut.resize(200);
    Bytes noEnd = MakePng(2, 2, Bytes(8, 1));
    noEnd.resize(noEnd.size() - 12);
    for (const Bytes& payload : {cut, ToBytesForTest("GIF89a\x02\x00\x02\x00"), noEnd}) {
        const Bytes colliding = Concat({payload, CollidingBytes()});
        const Bytes entry = Concat({Record(0, 0, colliding), Record(3, 3, MakeBmp(1, 1)), kDelimiter,
                                    Record(1, 1, MakeBmp(1, 1)), kDelimiter});
        const std::vector<ByteView> frames = SplitFrames(entry);
        EXPECT_EQ(Copies(frames), Copies(SplitAt(entry, FrameDelimiter)));
        for (ByteView frame : frames) EXPECT_EQ(Copies(ReadRecords(frame)), Copies(ReadFrameRecords(frame)));
    }
}

}  // namespace
}  // namespace glimwell
