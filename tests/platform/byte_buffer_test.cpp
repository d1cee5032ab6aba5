#include "platform/byte_buffer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace glimwell {
namespace {

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::vector<std::string> SplitText(std::string_view text, std::string_view delimiter) {
    const Bytes bytes = B(text);
    const Bytes delim = B(delimiter);
    std::vector<std::string> out;
    for (ByteView piece : SplitAt(bytes, delim)) out.emplace_back(piece.begin(), piece.end());
    return out;
}

struct SplitCase {
    std::string input;
    std::vector<std::string> pieces;
};

void PrintTo(const SplitCase& c, std::ostream* out) { *out << '"' << c.input << '"'; }

class SplitAtTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitAtTest, PiecesFollowThePlayersRule) {
    EXPECT_EQ(SplitText(GetParam().input, "||"), GetParam().pieces);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitAtTest, testing::Values(
    SplitCase{"", {}},
    SplitCase{"||", {""}},
    SplitCase{"a||", {"a"}},
    SplitCase{"a||b||", {"a", "b"}},
    SplitCase{"a||||b||", {"a", "", "b"}},
    SplitCase{"a||tail", {"a", "tail"}},
    SplitCase{"no delimiter", {"no delimiter"}},
    SplitCase{"|x||", {"|x"}},
    SplitCase{"a|||", {"a", "|"}}));

TEST(ByteBufferTest, AppendTakeAllAndClear) {
    ByteBuffer buffer;
    const Bytes frame = B("frame");
    const Bytes delimiter = B("\x0b\x16");
    buffer.Append({frame, delimiter});
    buffer.Append(ByteView(frame));
    EXPECT_EQ(buffer.Size(), 12u);
    EXPECT_EQ(buffer.TakeAll(), B("frame\x0b\x16" "frame"));
    EXPECT_TRUE(buffer.Empty());
    buffer.Append(ByteView(frame));
    buffer.Clear();
    EXPECT_TRUE(buffer.Empty());
}

TEST(ByteBufferTest, ReadWholeFileKeepsZeroBytesAndFailsOnMissingFile) {
    const auto path = std::filesystem::temp_directory_path() / "glimwell_read_whole_file.bin";
    const Bytes content = {0, 1, 0, 255, 0};
    {
        std::ofstream file(path, std::ios::binary);
        file.write(reinterpret_cast<const char*>(content.data()), static_cast<std::streamsize>(content.size()));
    }
    Bytes read;
    EXPECT_TRUE(ReadWholeFile(path, read));
    EXPECT_EQ(read, content);
    std::filesystem::remove(path);
    EXPECT_FALSE(ReadWholeFile(path, read));
    EXPECT_TRUE(read.empty());
}

}  // namespace
}  // namespace glimwell
