// Measuring image files by their own structure, also when their bytes hold the trailer or the
// delimiter, have bytes after their end, or are cut short.
#include <gtest/gtest.h>

#include "play/image_extent.h"
#include "play/test_images.h"

namespace glimwell {
namespace {

using namespace testing;

TEST(MeasureImageTest, FindsTheEndOfEachKind) {
    const Bytes colliding = CollidingBytes();
    // Scan data with a stuffed FF 00 and a restart marker, which do not end the image.
    const Bytes scan = Concat({colliding, Bytes{0xFF, 0x00, 0x12, 0xFF, 0xD3, 0x34, 0xFF, 0xFF, 0xD4}});
    struct Case {
        const char* label;
        Bytes image;
        ImageKind kind;
        std::uint32_t width, height;
    };
    const std::vector<Case> cases = {
        {"bmp", MakeBmp(3, 2, colliding), ImageKind::Bmp, 3, 2},
        {"bmp top-down", MakeBmp(5, -4), ImageKind::Bmp, 5, 4},
        {"png", MakePng(640, 480, colliding), ImageKind::Png, 640, 480},
        {"jpeg", MakeJpeg(32, 16, scan), ImageKind::Jpeg, 32, 16},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // The encoder's memory block may hold a few bytes past the image.
        const Bytes withSlack = Concat({c.image, Bytes{0, 0, 0, 0xFF}});
        const std::optional<ImageExtent> extent = MeasureImage(withSlack);
        ASSERT_TRUE(extent);
        EXPECT_EQ(extent->kind, c.kind);
        EXPECT_EQ(extent->length, c.image.size());
        EXPECT_EQ(extent->width, c.width);
        EXPECT_EQ(extent->height, c.height);
        // Cut anywhere before its end, it is not an image that ends within the bytes.
        for (std::size_t cut : {std::size_t{1}, std::size_t{20}, c.image.size() / 2, c.image.size() - 1})
            EXPECT_FALSE(MeasureImage(ByteView(c.image).first(cut))) << cut;
    }
}

TEST(MeasureImageTest, RefusesOtherBytesAndLyingHeaders) {
    Bytes hugeBmp = MakeBmp(2, 2);
    hugeBmp[18] = 0x60; hugeBmp[19] = 0xEA;  // width 60000
    hugeBmp[22] = 0x60; hugeBmp[23] = 0xEA;  // height 60000
    Bytes badBitCount = MakeBmp(2, 2);
    badBitCount[28] = 7;
    Bytes pngChunkTooLong = MakePng(1, 1, Bytes(4, 0));
    pngChunkTooLong[33 + 3] = 0xFF;  // IDAT length runs past the end
    const std::vector<Bytes> cases = {
        {}, ToBytesForTest("hello"), hugeBmp, badBitCount, pngChunkTooLong,
        Bytes{0xFF, 0xD8, 0xFF, 0xDA, 0x00, 0x02, 0x11, 0x22},  // scan without end marker
        Bytes{0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x01},              // segment length below 2
    };
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_FALSE(MeasureImage(cases[i])) << i;
    // The header alone still tells what size the image claims.
    const std::optional<ImageSize> claimed = ClaimedImageSize(ByteView(hugeBmp).first(54));
    ASSERT_TRUE(claimed);
    EXPECT_EQ(claimed->width, 60000u);
    EXPECT_EQ(claimed->height, 60000u);
    const Bytes png = MakePng(70000, 3, {});
    EXPECT_EQ(ClaimedImageSize(ByteView(png).first(24))->width, 70000u);
    const Bytes jpeg = MakeJpeg(65000, 2, {});
    EXPECT_EQ(ClaimedImageSize(ByteView(jpeg).first(21))->width, 65000u);
    EXPECT_FALSE(ClaimedImageSize(ToBytesForTest("GIF89a.....")));
}

}  // namespace
}  // namespace glimwell
