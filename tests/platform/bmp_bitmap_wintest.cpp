// BMP file bytes to a bitmap: a real picture comes through pixel for pixel; cut or lying
// headers give no bitmap instead of reading past the bytes.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/bmp_bitmap_win.h"
#include "platform/byte_io.h"

namespace glimwell {
namespace {

// A 3 x 2 BMP file, 24 bits per pixel, bottom-up; pixel (x, y) is (x * 80, y * 100, 7) as RGB.
Bytes SmallBmp() {
    const int width = 3, height = 2, stride = 12;
    Bytes bytes;
    ByteWriter out(bytes);
    out.U16(0x4D42);
    out.U32(14 + 40 + stride * height);
    out.U32(0);
    out.U32(14 + 40);
    out.U32(40);
    out.U32(width);
    out.U32(height);
    out.U16(1);
    out.U16(24);
    for (int i = 0; i < 6; ++i) out.U32(0);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x) {
            out.U8(7);
            out.U8(static_cast<std::uint8_t>(row * 100));
            out.U8(static_cast<std::uint8_t>(x * 80));
        }
        for (int pad = width * 3; pad < stride; ++pad) out.U8(0);
    }
    return bytes;
}

TEST(BmpBitmapTest, MakesTheSamePicture) {
    ScopedBitmap bitmap = BitmapFromBmpFile(SmallBmp());
    ASSERT_TRUE(bitmap);
    ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelectObject select(dc.Get(), bitmap.Get());
    EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 7));
    EXPECT_EQ(GetPixel(dc.Get(), 2, 1), RGB(160, 100, 7));
}

TEST(BmpBitmapTest, RefusesBytesThatDoNotHoldThePicture) {
    const Bytes good = SmallBmp();
    auto with = [&](std::size_t offset, std::uint32_t value) {
        Bytes changed = good;
        for (int i = 0; i < 4; ++i) changed[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
        return changed;
    };
    EXPECT_FALSE(BitmapFromBmpFile(Bytes(good.begin(), good.end() - 1)));  // pixels cut short
    EXPECT_FALSE(BitmapFromBmpFile(Bytes(good.begin(), good.begin() + 30)));
    EXPECT_FALSE(BitmapFromBmpFile(with(10, 200)));        // pixels said to start past the end
    EXPECT_FALSE(BitmapFromBmpFile(with(22, 5000)));       // taller than the bytes
    Bytes paletted = good;  // 8 bits per pixel: a 1 KB colour table that is not there
    paletted[28] = 8;
    EXPECT_FALSE(BitmapFromBmpFile(paletted));
    EXPECT_FALSE(BitmapFromBmpFile(Bytes{}));
}

}  // namespace
}  // namespace glimwell
