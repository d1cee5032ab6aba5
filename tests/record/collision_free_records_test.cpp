// A fake encoder whose payload spells a boundary sequence whenever its rectangle holds a
// poisoned pixel and is larger than a limit.
#include "record/collision_free_records.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "platform/byte_io.h"
#include "record/frame_format.h"

namespace glimwell {
namespace {

struct Poison {
    std::int32_t x, y;
    std::int64_t collidesAbove;  // rectangles with more pixels than this collide
    bool delimiter;
};

RecordEncoder FakeEncoder(Poison poison) {
    return [poison](const PixelRect& r, Bytes& out) {
        if (!r.HasPixels()) return;
        Bytes payload;
        ByteWriter w(payload);
        w.I32(r.Width());
        w.I32(r.Height());
        const bool holds = poison.x >= r.left && poison.x < r.right && poison.y >= r.top && poison.y < r.bottom;
        if (holds && static_cast<std::int64_t>(r.Width()) * r.Height() > poison.collidesAbove) {
            if (poison.delimiter) w.Raw(FrameDelimiter);
            else w.Raw(RegionTrailer);
        }
        AppendRegionRecord(out, r.left, r.top, payload);
    };
}

// Every pixel covered by the records read back, counting repeats.
std::multiset<std::pair<int, int>> Coverage(const Bytes& frame) {
    std::multiset<std::pair<int, int>> pixels;
    for (const DecodedRecord& rec : ReadFrameRecords(frame)) {
        const auto w = static_cast<std::int32_t>(*ReadU32At(rec.payload, 0));
        const auto h = static_cast<std::int32_t>(*ReadU32At(rec.payload, 4));
        for (int y = rec.y; y < rec.y + h; ++y)
            for (int x = rec.x; x < rec.x + w; ++x) pixels.insert({x, y});
    }
    return pixels;
}

TEST(CollisionFreeRecordsTest, CleanRecordIsWrittenUnchanged) {
    Bytes viaSplitter, direct;
    const PixelRect rect{16, 4, 48, 20};
    AppendCollisionFreeRecords(rect, 1, viaSplitter, FakeEncoder({0, 0, 0, false}));
    FakeEncoder({0, 0, 0, false})(rect, direct);
    EXPECT_EQ(viaSplitter, direct);
}

TEST(CollisionFreeRecordsTest, CollidingRectangleIsSplitUntilCleanAndCoversEachPixelOnce) {
    const PixelRect rect{16, 4, 48, 20};  // 32 x 16
    for (const Poison& poison : {Poison{20, 10, 4, false}, Poison{47, 19, 1, true}, Poison{16, 4, 100, false}}) {
        Bytes frame;
        AppendCollisionFreeRecords(rect, 1, frame, FakeEncoder(poison));
        EXPECT_EQ(FindBytes(frame, FrameDelimiter), frame.size());
        std::multiset<std::pair<int, int>> expected;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x) expected.insert({x, y});
        EXPECT_EQ(Coverage(frame), expected) << poison.x << "," << poison.y;
        for (const DecodedRecord& rec : ReadFrameRecords(frame)) EXPECT_FALSE(PayloadCollides(rec.payload));
    }
}

TEST(CollisionFreeRecordsTest, ColumnCutsKeepTheByteAlignmentAndHopelessPixelsAreLeftOut) {
    Bytes frame;
    // One row at 1 bit per pixel: cuts fall on multiples of 8 from the left edge. A poison
    // that collides even alone costs only its own 8-pixel group.
    AppendCollisionFreeRecords({8, 0, 72, 1}, 8, frame, FakeEncoder({30, 0, 0, false}));
    const auto records = ReadFrameRecords(frame);
    std::int64_t covered = 0;
    for (const DecodedRecord& rec : records) {
        EXPECT_EQ(rec.x % 8, 0);
        covered += *ReadU32At(rec.payload, 0);
    }
    EXPECT_EQ(covered, 64 - 8);
    EXPECT_EQ(Coverage(frame).count({30, 0}), 0u);
}

}  // namespace
}  // namespace glimwell
