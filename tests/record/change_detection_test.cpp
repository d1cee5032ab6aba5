// Change detection and merging on synthetic pictures in memory, 32 bits per pixel.
#include "record/change_detection.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "record/capture_settings.h"
#include "record/cursor_square.h"
#include "record/row_random.h"

namespace glimwell {

std::ostream& operator<<(std::ostream& out, const PixelRect& r) {
    return out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
}

namespace {

struct Point { int x, y; };

// A reference picture and a fresh one that differs at the given pixels.
struct SyntheticScreen {
    SyntheticScreen(int w, int h, int step, const std::vector<Point>& changes)
        : geometry{w, h, step, BlockBytesFor(32)}, rowBytes(static_cast<std::size_t>(RowBytesFor(w, 32))),
          reference(rowBytes * h, 0x40), fresh(reference) {
        for (Point p : changes) fresh[p.y * rowBytes + p.x * 4 + 1] ^= 0xFF;
    }
    std::vector<PixelRect> Find(int firstRow) const {
        return FindDirtyRegions(firstRow, geometry, [this](std::int32_t y) {
            return std::pair<ByteView, ByteView>(ByteView(fresh).subspan(y * rowBytes, rowBytes),
                                                 ByteView(reference).subspan(y * rowBytes, rowBytes));
        });
    }
    SampleGeometry geometry;
    std::size_t rowBytes;
    Bytes reference;
    Bytes fresh;
};

struct DetectCase {
    std::string name;
    int width, height, firstRow;
    std::vector<Point> changes;
    std::vector<PixelRect> expected;
};

void PrintTo(const DetectCase& c, std::ostream* out) { *out << c.name; }

class DetectionTest : public testing::TestWithParam<DetectCase> {};

TEST_P(DetectionTest, FindsTheExpectedRectangles) {
    const DetectCase& c = GetParam();
    EXPECT_EQ(SyntheticScreen(c.width, c.height, 15, c.changes).Find(c.firstRow), c.expected);
}

// Row step 15: a run found on sampled row y covers rows y - 15 .. y + 13 (bottom y + 14).
INSTANTIATE_TEST_SUITE_P(Cases, DetectionTest, testing::Values(
    DetectCase{"FiveUnchangedBlocksBridged", 320, 240, 0, {{0, 30}, {96, 30}}, {{0, 15, 112, 44}}},
    DetectCase{"SixUnchangedBlocksSplit", 320, 240, 0, {{0, 30}, {112, 30}}, {{0, 15, 16, 44}, {112, 15, 128, 44}}},
    DetectCase{"ConversionToPixels", 320, 240, 0, {{40, 45}}, {{32, 30, 48, 59}}},
    DetectCase{"TopAndBottomClamped", 320, 230, 0, {{0, 0}, {280, 225}}, {{0, 0, 16, 14}, {272, 210, 288, 230}}},
    DetectCase{"RightEdgeNearTheScreenEdgeWidened", 1366, 240, 0, {{1350, 15}}, {{1344, 0, 1366, 29}}},
    DetectCase{"RightEdgeFurtherInKept", 1366, 240, 0, {{1330, 15}}, {{1328, 0, 1344, 29}}},
    DetectCase{"OnlyTheLastColumnsGiveAnEmptyRun", 1366, 240, 0, {{1362, 15}}, {{0, 0, 0, 8}}},
    DetectCase{"ChangeBetweenSampledRowsMissed", 320, 240, 0, {{0, 7}}, {}},
    DetectCase{"ChangeOnASampledRowFound", 320, 240, 7, {{0, 7}}, {{0, 0, 16, 21}}},
    DetectCase{"RowsCloseBelowMergeIntoOne", 320, 240, 0, {{0, 30}, {0, 45}, {20, 60}}, {{0, 15, 32, 74}}}),
    [](const testing::TestParamInfo<DetectCase>& info) { return info.param.name; });

struct MergeCase {
    std::string name;
    GroupList groups;
    std::vector<PixelRect> expected;
};

void PrintTo(const MergeCase& c, std::ostream* out) { *out << c.name; }

class MergingTest : public testing::TestWithParam<MergeCase> {};

TEST_P(MergingTest, MergesByTheBoundsOfEachBranch) {
    EXPECT_EQ(MergeRuns(GetParam().groups, SampleGeometry{1920, 1080, 15, 64}), GetParam().expected);
}

// R = {0, 0, 1, 10} in blocks and rows. A second run far to the right makes a group's span much
// wider than R, so its runs are compared one by one (strict bounds); a group as wide as R is
// compared by its span (inclusive bounds).
INSTANTIATE_TEST_SUITE_P(Cases, MergingTest, testing::Values(
    MergeCase{"SingleRunSixtyRowsBelowNotMerged",
              {{{0, 0, 1, 10}}, {{0, 61, 1, 70}, {10, 61, 11, 70}}},
              {{0, 0, 16, 18}, {0, 53, 16, 78}, {160, 53, 176, 78}}},
    MergeCase{"SingleRunFiftyNineRowsBelowMerged",
              {{{0, 0, 1, 10}}, {{0, 60, 1, 69}, {10, 60, 11, 69}}},
              {{0, 0, 16, 77}, {160, 52, 176, 77}}},
    MergeCase{"SpanSixtyRowsBelowMerged", {{{0, 0, 1, 10}}, {{0, 61, 1, 70}}}, {{0, 0, 16, 78}}},
    MergeCase{"SpanSixtyOneRowsBelowNotMerged", {{{0, 0, 1, 10}}, {{0, 62, 1, 71}}}, {{0, 0, 16, 18}, {0, 54, 16, 79}}},
    MergeCase{"RunFiveBlocksRightNotJoined",
              {{{0, 0, 5, 10}}, {{6, 5, 10, 14}, {20, 5, 21, 14}}},
              {{0, 0, 80, 18}, {96, 0, 160, 22}, {320, 0, 336, 22}}},
    MergeCase{"SpanFiveBlocksRightJoined", {{{0, 0, 5, 10}}, {{6, 5, 10, 14}}}, {{0, 0, 160, 22}}},
    MergeCase{"RunInsideIsSwallowed", {{{0, 0, 12, 40}}, {{2, 5, 3, 30}, {11, 5, 12, 30}}}, {{0, 0, 192, 48}}}),
    [](const testing::TestParamInfo<MergeCase>& info) { return info.param.name; });

TEST(ChangeDetectionTest, ChangeBetweenSampledRowsIsFoundInALaterTick) {
    // After seeding, the first rows drawn for step 15 are 8, 0, 6.
    const SyntheticScreen screen(320, 240, 15, {{50, 6}});
    SeedRowRandom(kRowRandomSeed);
    EXPECT_TRUE(screen.Find(DrawFirstRow(15)).empty());
    EXPECT_TRUE(screen.Find(DrawFirstRow(15)).empty());
    EXPECT_EQ(screen.Find(DrawFirstRow(15)), (std::vector<PixelRect>{{48, 0, 64, 20}}));
}

TEST(ChangeDetectionTest, StepOneNeverConsultsTheGenerator) {
    SeedRowRandom(kRowRandomSeed);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(DrawFirstRow(1), 0);
    EXPECT_EQ(DrawFirstRow(0), 0);  // never set up: no division by a zero step
    EXPECT_EQ(NextRowRandom(), 20835);
}

TEST(CursorSquareTest, RegionIsClampedAndByteAligned) {
    struct Case { CursorSquare square; int bits; PixelRect expected; };
    const Case cases[] = {
        {{100, 200}, 32, {100, 200, 132, 232}},
        {{1900, 1070}, 32, {1900, 1070, 1920, 1080}},  // partly off the right and bottom edges
        {{-10, -5}, 32, {0, 0, 22, 27}},
        {{1930, 10}, 32, {1930, 10, 1920, 42}},  // wholly off: no pixels
        {{13, 0}, 1, {8, 0, 45, 32}},
        {{13, 0}, 4, {12, 0, 45, 32}},
        {{100, 200, 48, 48}, 32, {100, 200, 148, 248}},
    };
    for (const Case& c : cases) EXPECT_EQ(CursorRegion(c.square, 1920, 1080, c.bits), c.expected) << c.expected;
    EXPECT_FALSE(CursorRegion({1930, 10}, 1920, 1080, 32).HasPixels());
    EXPECT_TRUE(SquareInside({16, 16}, {16, 16, 48, 48}));
    EXPECT_FALSE(SquareInside({16, 17}, {16, 16, 48, 48}));
    EXPECT_TRUE(SquareNear({100 - 32, 50}, {100, 40, 200, 60}));
    EXPECT_FALSE(SquareNear({100 - 33, 50}, {100, 40, 200, 60}));
    EXPECT_TRUE(SquareNear({200 + 32, 60 + 32}, {100, 40, 200, 60}));
}

}  // namespace
}  // namespace glimwell
