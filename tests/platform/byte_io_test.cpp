#include "platform/byte_io.h"

#include <gtest/gtest.h>

namespace glimwell {
namespace {

TEST(ByteWriterTest, WritesLittleEndianAtTheEdges) {
    Bytes out;
    ByteWriter w(out);
    w.U8(0xFF);
    w.U16(0xFFFF);
    w.U32(0x01020304);
    w.I16(-1);
    w.I16(-32768);
    w.I32(-2);
    w.U64(0x0102030405060708ull);
    const Bytes expected = {0xFF, 0xFF, 0xFF, 0x04, 0x03, 0x02, 0x01, 0xFF, 0xFF, 0x00, 0x80,
                            0xFE, 0xFF, 0xFF, 0xFF, 8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(out, expected);
    w.PatchU32(3, 0xAABBCCDD);
    EXPECT_EQ(out[3], 0xDD);
    EXPECT_EQ(out[6], 0xAA);
    EXPECT_THROW(w.PatchU32(out.size() - 3, 0), std::out_of_range);
}

TEST(ByteReaderTest, ReadsBackAndFailsPastTheEnd) {
    const Bytes bytes = {0x00, 0x80, 0x04, 0x03, 0x02, 0x01, 0xAA};
    ByteReader r(bytes);
    EXPECT_EQ(r.I16(), -32768);
    EXPECT_EQ(r.U32(), 0x01020304u);
    EXPECT_EQ(r.U16(), std::nullopt);  // one byte left
    EXPECT_TRUE(r.Failed());
    EXPECT_EQ(r.U8(), std::nullopt);   // a failed reader stays failed
}

TEST(ByteReaderTest, TakeSkipAndSeekStayInBounds) {
    const Bytes bytes = {1, 2, 3, 4};
    ByteReader r(bytes);
    ASSERT_TRUE(r.Skip(1));
    const auto piece = r.Take(3);
    ASSERT_TRUE(piece);
    EXPECT_EQ((*piece)[2], 4);
    EXPECT_EQ(r.Remaining(), 0u);
    EXPECT_TRUE(r.Seek(4));
    EXPECT_FALSE(r.Seek(5));
    ByteReader huge(bytes);
    EXPECT_EQ(huge.Take(SIZE_MAX), std::nullopt);
}

TEST(ByteReaderTest, FieldsAtOffsets) {
    const Bytes bytes = {0x34, 0x12, 0x78, 0x56};
    EXPECT_EQ(ReadU16At(bytes, 0), 0x1234);
    EXPECT_EQ(ReadU32At(bytes, 0), 0x56781234u);
    EXPECT_EQ(ReadU16At(bytes, 3), std::nullopt);
    EXPECT_EQ(ReadU32At(bytes, 1), std::nullopt);
    EXPECT_EQ(ReadU32At(bytes, SIZE_MAX), std::nullopt);
}

}  // namespace
}  // namespace glimwell
