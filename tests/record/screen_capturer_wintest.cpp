// The screen capturer and region encoder against the real screen under Wine.
#include "record/screen_capturer_win.h"

#include <gtest/gtest.h>

#include "platform/byte_io.h"
#include "record/palettes.h"
#include "screen_fixture_win.h"

namespace glimwell {
namespace {

using namespace testing_support;

class ScreenCapturerTest : public GdiplusTest {};

// Text-like stripes, a gradient and noise: content that each encoder treats differently.
Picture DesktopLikePattern(int w, int h) {
    Picture p(w, h);
    std::uint32_t noise = 12345;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            noise = noise * 1103515245u + 12345u;
            if (y < h / 3) p.At(x, y) = ((x / 3 + y / 5) % 4 == 0) ? 0x101010 : 0xF0F0F0;
            else if (y < 2 * h / 3) p.At(x, y) = (static_cast<std::uint32_t>(x * 255 / w) << 16) | ((y * 255 / h) << 8) | 0x40;
            else p.At(x, y) = (0x804020 + ((noise >> 16) & 0x0F0F0F));
        }
    return p;
}

TEST_F(ScreenCapturerTest, SetupNormalisesOptionsAndRefusesASecondSetup) {
    ScreenCapturer capturer;
    EXPECT_TRUE(capturer.CaptureWholeScreen().empty());  // not set up
    EXPECT_TRUE(capturer.CaptureFrame().empty());
    ASSERT_TRUE(capturer.Setup(12, 0, false, std::nullopt, 0));
    EXPECT_EQ(capturer.BitsPerPixel(), 8);
    EXPECT_EQ(capturer.RowStep(), 17);
    EXPECT_EQ(capturer.Quality(), 30);
    EXPECT_EQ(capturer.Compression(), CompressionMode::Png);
    EXPECT_EQ(capturer.RasterOperation(), static_cast<DWORD>(SRCCOPY));
    EXPECT_EQ(capturer.Width(), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    EXPECT_EQ(capturer.RowBytes(), capturer.Width());

    EXPECT_FALSE(capturer.Setup(32, 15, true, 90, 3));
    EXPECT_EQ(capturer.BitsPerPixel(), 8);
    EXPECT_EQ(capturer.RowStep(), 17);
    EXPECT_EQ(capturer.Quality(), 30);
    EXPECT_EQ(capturer.RasterOperation(), static_cast<DWORD>(SRCCOPY));

    // The 8-bit depth carries the 8-bit palette into its records.
    capturer.SetCompression(3);
    capturer.ResetOutput();
    capturer.EncodeRegion({0, 0, 4, 4});
    const ByteView record = capturer.Output();
    ASSERT_EQ(record.size(), kRecordOverhead + 1078 + 16);
    const ByteView table = record.subspan(kRecordHeaderSize + 54, 1024);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), MakePalettes().eightBit.begin()));

    capturer.SetQuality(100);
    EXPECT_EQ(capturer.Quality(), 100);
    capturer.SetQuality(-1);
    EXPECT_EQ(capturer.Quality(), 30);
    capturer.SetCompression(4);
    EXPECT_EQ(capturer.Compression(), CompressionMode::Bitmap);
    capturer.SetCaptureLayered(true);
    EXPECT_EQ(capturer.RasterOperation(), 0x40CC0020u);

    capturer.Teardown();
    capturer.Teardown();
    EXPECT_FALSE(capturer.IsSetUp());
    EXPECT_TRUE(capturer.CaptureWholeScreen().empty());
    ASSERT_TRUE(capturer.Setup(32, 15, true, 90, 3));
    EXPECT_EQ(capturer.BitsPerPixel(), 32);
    EXPECT_EQ(capturer.RowStep(), 15);
    EXPECT_EQ(capturer.Quality(), 90);
    EXPECT_EQ(capturer.BlockBytes(), 64);
}

TEST_F(ScreenCapturerTest, BitmapRecordOfThirtyTwoSquarePixels) {
    const Picture pattern = DesktopLikePattern(32, 32);
    PictureWindow window(64, 48, pattern);
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 3));
    capturer.CaptureWholeScreen();
    capturer.ResetOutput();
    for (const PixelRect& empty : {PixelRect{64, 48, 64, 80}, PixelRect{64, 48, 96, 48}, PixelRect{40, 40, 10, 10}})
        capturer.EncodeRegion(empty);
    EXPECT_TRUE(capturer.Output().empty());

    capturer.EncodeRegion({64, 48, 96, 80});
    const Bytes record(capturer.Output().begin(), capturer.Output().end());
    ASSERT_EQ(record.size(), 4171u);
    const Bytes head = {0xFF, 0xFF, 64, 0, 0xFF, 0xFF, 48, 0, 0xFF, 0xFF,
                        'B', 'M', 0x00, 0x10, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,
                        40, 0, 0, 0, 32, 0, 0, 0, 32, 0, 0, 0, 1, 0, 32, 0, 0, 0, 0, 0};
    EXPECT_TRUE(std::equal(head.begin(), head.end(), record.begin()));
    EXPECT_TRUE(std::equal(RegionTrailer.begin(), RegionTrailer.end(), record.end() - 11));
    // First stored row is the bottom row of the square.
    const std::uint8_t* firstPixel = record.data() + 10 + 54;
    const std::uint32_t stored = firstPixel[0] | (firstPixel[1] << 8) | (firstPixel[2] << 16);
    EXPECT_EQ(stored, pattern.At(0, 31));
}

TEST_F(ScreenCapturerTest, WholeScreenRebuildsTheScreenInEveryMode) {
    PictureWindow window(200, 150, DesktopLikePattern(320, 240));
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 2));
    const int w = capturer.Width(), h = capturer.Height();
    const Picture screen = GrabScreenDirectly(w, h);
    struct Case { int mode; int tolerance; int allowed; };
    for (const Case& c : {Case{2, 0, 0}, Case{3, 0, 0}, Case{1, 48, 200}}) {
        capturer.SetCompression(c.mode);
        const Bytes frame = capturer.CaptureWholeScreen();
        ASSERT_EQ(ReadFrameRecords(frame).size(), 1u) << c.mode;
        Picture rebuilt(w, h);
        ASSERT_EQ(ApplyFrame(rebuilt, frame), 1) << c.mode;
        EXPECT_LE(CountDifferences(rebuilt, screen, {0, 0, w, h}, c.tolerance), c.allowed) << c.mode;
    }
}

TEST_F(ScreenCapturerTest, PayloadIsExactlyTheEncodedImage) {
    PictureWindow window(0, 0, DesktopLikePattern(256, 256));
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 2));
    capturer.CaptureWholeScreen();
    for (int mode : {1, 2}) {
        capturer.SetCompression(mode);
        capturer.ResetOutput();
        capturer.EncodeRegion({0, 0, 256, 256});
        const auto records = ReadFrameRecords(capturer.Output());
        ASSERT_EQ(records.size(), 1u);
        const ByteView payload = records[0].payload;
        ASSERT_GT(payload.size(), 8u);
        if (mode == 1) {  // ends with the JPEG end-of-image marker
            EXPECT_EQ(payload[payload.size() - 2], 0xFF);
            EXPECT_EQ(payload[payload.size() - 1], 0xD9);
        } else {  // ends with the PNG IEND chunk and its CRC
            const Bytes iend = {'I', 'E', 'N', 'D', 0xAE, 0x42, 0x60, 0x82};
            EXPECT_TRUE(std::equal(iend.begin(), iend.end(), payload.end() - 8));
        }
        const auto image = DecodeImage(payload);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, 256);
    }
}

TEST_F(ScreenCapturerTest, OutputAreaGrowsForAFrameLargerThanItsRoom) {
    PictureWindow window(10, 10, DesktopLikePattern(64, 64));
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 3));
    const int w = capturer.Width(), h = capturer.Height();
    const Bytes single = capturer.CaptureWholeScreen();
    // Three whole screens do not fit in the room for two.
    for (int i = 0; i < 2; ++i) capturer.EncodeRegion({0, 0, w, h});
    const ByteView frame = capturer.Output();
    ASSERT_EQ(frame.size(), 3 * single.size());
    EXPECT_GT(frame.size(), 8u * w * h);
    const auto records = ReadFrameRecords(frame);
    ASSERT_EQ(records.size(), 3u);
    for (const DecodedRecord& r : records)
        EXPECT_TRUE(std::equal(r.payload.begin(), r.payload.end(), single.begin() + kRecordHeaderSize));
}

TEST_F(ScreenCapturerTest, PixelsThatSpellBoundariesStillReadBackRight) {
    // At 24 bits per pixel, these colours put the trailer and the delimiter into the rows.
    Picture pattern = DesktopLikePattern(64, 16);
    const std::uint32_t trailerPixels[] = {0x050402, 0x080504, 0x090608, 0x000000};
    const std::uint32_t delimiterPixels[] = {0x21160B, 0x21160B, 0x4DDE6F, 0x00000A};
    for (int i = 0; i < 4; ++i) {
        pattern.At(20 + i, 5) = trailerPixels[i];
        pattern.At(40 + i, 11) = delimiterPixels[i];
    }
    PictureWindow window(333, 222, pattern);
    const Picture check = GrabScreenDirectly(400, 240);
    ASSERT_EQ(check.At(333 + 20, 222 + 5), 0x050402u) << "screen does not keep exact colours";

    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(24, 15, false, 90, 3));
    capturer.CaptureWholeScreen();
    for (int mode : {3, 2}) {
        capturer.SetCompression(mode);
        capturer.ResetOutput();
        capturer.EncodeRegion({320, 220, 400, 240});
        Bytes frame(capturer.Output().begin(), capturer.Output().end());
        EXPECT_EQ(FindBytes(frame, FrameDelimiter), frame.size()) << mode;
        for (const DecodedRecord& r : ReadFrameRecords(frame)) EXPECT_FALSE(PayloadCollides(r.payload)) << mode;
        if (mode == 3) {
            EXPECT_GT(ReadFrameRecords(frame).size(), 1u);
        }

        Picture rebuilt(400, 240);
        ApplyFrame(rebuilt, frame);
        EXPECT_EQ(CountDifferences(rebuilt, GrabScreenDirectly(400, 240), {320, 220, 400, 240}), 0) << mode;
    }
}

}  // namespace
}  // namespace glimwell
