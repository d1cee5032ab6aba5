// Settings normalisation, row sizes, the row generator, the palettes and the BMP headers.
#include <gtest/gtest.h>

#include "platform/byte_io.h"
#include "record/capture_settings.h"
#include "record/palettes.h"
#include "record/region_layout.h"
#include "record/row_random.h"

namespace glimwell {
namespace {

TEST(CaptureSettingsTest, OutOfRangeOptionsFallBackToDefaults) {
    struct QualityCase { std::optional<std::int32_t> given; std::int32_t stored; };
    for (const auto& c : {QualityCase{std::nullopt, 30}, QualityCase{-1, 30}, QualityCase{101, 30},
                          QualityCase{0, 0}, QualityCase{100, 100}, QualityCase{90, 90}})
        EXPECT_EQ(NormalizeQuality(c.given), c.stored) << c.given.value_or(-999);

    struct IntCase { std::int32_t given, stored; };
    for (const auto& c : {IntCase{0, 17}, IntCase{31, 17}, IntCase{-5, 17}, IntCase{1, 1}, IntCase{15, 15},
                          IntCase{30, 30}})
        EXPECT_EQ(NormalizeRowStep(c.given), c.stored) << c.given;
    for (const auto& c : {IntCase{12, 8}, IntCase{0, 8}, IntCase{2, 8}, IntCase{1, 1}, IntCase{4, 4},
                          IntCase{16, 16}, IntCase{24, 24}, IntCase{32, 32}})
        EXPECT_EQ(NormalizeBitsPerPixel(c.given), c.stored) << c.given;
    for (const auto& c : {IntCase{0, 2}, IntCase{4, 2}, IntCase{1, 1}, IntCase{2, 2}, IntCase{3, 3}})
        EXPECT_EQ(static_cast<std::int32_t>(NormalizeCompression(c.given)), c.stored) << c.given;
}

TEST(CaptureSettingsTest, RowAndBlockSizes) {
    EXPECT_EQ(RowBytesFor(1366, 32), 5464);
    EXPECT_EQ(BlockBytesFor(32), 64);
    EXPECT_EQ(1366 / kBlockPixels, 85);
    EXPECT_EQ(RowBytesFor(1366, 24), 4100);  // 4098 padded to 4
    EXPECT_EQ(RowBytesFor(1366, 1), 172);
    EXPECT_EQ(RowBytesFor(3, 4), 4);
}

TEST(RowRandomTest, SeededSequenceIsFixed) {
    SeedRowRandom(kRowRandomSeed);
    const std::int32_t expected[] = {29063, 20835, 4266, 433, 32696, 14652};
    for (std::int32_t value : expected) EXPECT_EQ(NextRowRandom(), value);
    SeedRowRandom(kRowRandomSeed);
    EXPECT_EQ(NextRowRandom(), 29063);
}

std::uint32_t EntryRgb(ByteView table, std::size_t i) {
    return (table[i * 4 + 2] << 16) | (table[i * 4 + 1] << 8) | table[i * 4];
}

TEST(PalettesTest, TablesHoldTheFixedColours) {
    const Palettes p = MakePalettes();
    const ByteView eight = p.TableFor(8);
    ASSERT_EQ(eight.size(), 1024u);
    EXPECT_EQ(EntryRgb(eight, 1), 0x800000u);
    EXPECT_EQ(EntryRgb(eight, 9), 0xA6CAF0u);
    EXPECT_EQ(EntryRgb(eight, 10), 0x402000u);   // red 32*2, green 32*1, blue 0
    EXPECT_EQ(EntryRgb(eight, 200), 0x0020C0u);  // red 0, green 32, blue 64*3
    EXPECT_EQ(EntryRgb(eight, 245), 0xA0C0C0u);
    EXPECT_EQ(EntryRgb(eight, 246), 0xFFFBF0u);
    EXPECT_EQ(EntryRgb(eight, 255), 0xFFFFFFu);
    for (std::size_t i = 0; i < 256; ++i) EXPECT_EQ(eight[i * 4 + 3], 0) << i;
    // Stored blue first.
    EXPECT_EQ(eight[1 * 4 + 2], 0x80);
    EXPECT_EQ(eight[1 * 4 + 0], 0x00);

    const ByteView four = p.TableFor(4);
    ASSERT_EQ(four.size(), 64u);
    EXPECT_EQ(EntryRgb(four, 7), 0x808080u);
    EXPECT_EQ(EntryRgb(four, 8), 0xC0C0C0u);
    EXPECT_EQ(EntryRgb(four, 12), 0x0000FFu);
    const Bytes one(p.TableFor(1).begin(), p.TableFor(1).end());
    EXPECT_EQ(one, (Bytes{0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0}));
    EXPECT_TRUE(p.TableFor(32).empty());
    EXPECT_TRUE(p.TableFor(24).empty());
}

TEST(RegionLayoutTest, BitmapHeadersAreByteExact) {
    const auto layout = LayoutRegion({16, 100, 48, 132}, 32, 1080, RowBytesFor(1920, 32));
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->pixelBytes, 4096);
    // Bottom row 131 is bitmap row 132, stored at (2H - 132) rows from the start.
    EXPECT_EQ(layout->sourceStart, (2160 - 132) * 7680 + 64);
    Bytes out;
    AppendBmpHeaders(out, *layout, 32, MakePalettes());
    const Bytes expected = {'B', 'M', 0x00, 0x10, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,      // file header
                            40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 1, 0, 32, 0,          // size, w, h, planes, bits
                            0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(out, expected);
}

TEST(RegionLayoutTest, PaletteDepthsCarryTheirTable) {
    struct Case { std::int32_t bits, offset; std::size_t headerBytes; };
    for (const auto& c : {Case{8, 1078, 1078}, Case{4, 118, 118}, Case{1, 62, 62}, Case{16, 54, 54},
                          Case{24, 54, 54}}) {
        const auto layout = LayoutRegion({8, 0, 24, 3}, c.bits, 10, RowBytesFor(64, c.bits));
        Bytes out;
        AppendBmpHeaders(out, *layout, c.bits, MakePalettes());
        EXPECT_EQ(out.size(), c.headerBytes) << c.bits;
        EXPECT_EQ(ReadU32At(out, 10), static_cast<std::uint32_t>(c.offset)) << c.bits;
        EXPECT_EQ(ReadU32At(out, 2), static_cast<std::uint32_t>(RowBytesFor(16, c.bits) * 3)) << c.bits;
    }
}

TEST(RegionLayoutTest, RectanglesWithoutPixelsHaveNoLayout) {
    for (const PixelRect& r : {PixelRect{5, 5, 5, 9}, PixelRect{5, 5, 9, 5}, PixelRect{0, 0, -32, -32},
                               PixelRect{10, 10, 4, 4}})
        EXPECT_FALSE(LayoutRegion(r, 32, 100, 400)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
}

}  // namespace
}  // namespace glimwell
