#include "record/frame_format.h"

#include <gtest/gtest.h>

#include <string>

namespace glimwell {
namespace {

Bytes Text(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string AsText(ByteView bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(FrameFormatTest, RecordBytesAreHeaderPayloadTrailer) {
    Bytes out;
    AppendRegionRecord(out, 0x1234, -2, Text("img"));
    const Bytes expected = {0xFF, 0xFF, 0x34, 0x12, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'i', 'm', 'g',
                            0x02, 0x04, 0x05, 0x04, 0x05, 0x08, 0x08, 0x06, 0x09, 0x00, 0x00};
    EXPECT_EQ(out, expected);
    EXPECT_EQ(out.size(), 3 + kRecordOverhead);
}

TEST(FrameFormatTest, RecordsRoundTripInOrder) {
    Bytes frame;
    AppendRegionRecord(frame, 0, 0, Text("first"));
    AppendRegionRecord(frame, 1920 - 16, 1079, Text("second"));
    AppendRegionRecord(frame, 255, 511, Text(""));  // 255 writes FF 00: the FF FF search still finds three parts
    const auto records = ReadFrameRecords(frame);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].x, 0);
    EXPECT_EQ(AsText(records[0].payload), "first");
    EXPECT_EQ(records[1].x, 1904);
    EXPECT_EQ(records[1].y, 1079);
    EXPECT_EQ(AsText(records[1].payload), "second");
    EXPECT_EQ(records[2].x, 255);
    EXPECT_EQ(records[2].y, 511);
    EXPECT_TRUE(records[2].payload.empty());
}

TEST(FrameFormatTest, ReaderFollowsThePlayersSplittingRules) {
    Bytes frame;
    AppendRegionRecord(frame, 7, 8, Text("a"));
    frame.insert(frame.end(), RegionTrailer.begin(), RegionTrailer.end());  // empty record, skipped
    AppendRecordHeader(frame, -3, 9);  // last record without its trailer still counts
    frame.push_back('z');
    const auto records = ReadFrameRecords(frame);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(AsText(records[0].payload), "a");
    EXPECT_EQ(records[1].x, -3);
    EXPECT_EQ(records[1].y, 9);
    EXPECT_EQ(AsText(records[1].payload), "z");
}

TEST(FrameFormatTest, MalformedPiecesAreSkippedWithoutReadingPastThem) {
    struct Case {
        const char* name;
        Bytes frame;
        std::size_t records;
    };
    Bytes trailerOnly(RegionTrailer.begin(), RegionTrailer.end());
    Bytes shortHeader = {0xFF, 0xFF, 0xFF, 0xFF, 1, 2};  // three parts but shorter than a header
    shortHeader.insert(shortHeader.end(), RegionTrailer.begin(), RegionTrailer.end());
    Bytes oneMark = {0xFF, 0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    oneMark.insert(oneMark.end(), RegionTrailer.begin(), RegionTrailer.end());
    Bytes tenBytes;
    AppendRecordHeader(tenBytes, 1, 1);  // a whole header but shorter than a trailer: nothing
    const Case cases[] = {
        {"empty", {}, 0},
        {"trailer alone", trailerOnly, 0},
        {"short header", shortHeader, 0},
        {"one FF FF", oneMark, 0},
        {"ten bytes", tenBytes, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(ReadFrameRecords(c.frame).size(), c.records) << c.name;
}

TEST(FrameFormatTest, CollisionCheckFindsTrailerAndDelimiterAnywhereInThePayload) {
    Bytes clean = Text("PNG data 0B 16 21");
    EXPECT_FALSE(PayloadCollides(clean));
    for (std::size_t at : {std::size_t{0}, std::size_t{5}, clean.size()}) {
        Bytes withTrailer = clean;
        withTrailer.insert(withTrailer.begin() + at, RegionTrailer.begin(), RegionTrailer.end());
        EXPECT_TRUE(PayloadCollides(withTrailer)) << at;
        Bytes withDelimiter = clean;
        withDelimiter.insert(withDelimiter.begin() + at, FrameDelimiter.begin(), FrameDelimiter.end());
        EXPECT_TRUE(PayloadCollides(withDelimiter)) << at;
    }
    Bytes almost(RegionTrailer.begin(), RegionTrailer.end() - 1);
    EXPECT_FALSE(PayloadCollides(almost));
}

}  // namespace
}  // namespace glimwell
