// Extracting archives safely: names that would leave the folder, damaged and lying archives.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/byte_buffer.h"
#include "platform/text_codec.h"
#include "platform/wide_path.h"
#include "platform/zip_extractor.h"
#include "support/zip_builder.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;
using testing::BuildZip;
using testing::TempFolder;
using testing::TestZipEntry;
using testing::ToBytes;

struct NameCase {
    const char* name;
    const char* expected;  // relative path with '/' between components; nullptr: refused
};

void PrintTo(const NameCase& c, std::ostream* out) {
    static const char kHex[] = "0123456789ABCDEF";
    *out << '"';
    for (const char* p = c.name; *p; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte > 0x20 && byte < 0x7F && byte != '"') *out << *p;
        else *out << "\\x" << kHex[byte >> 4] << kHex[byte & 15];
    }
    *out << '"';
}

class SafeEntryPathTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(SafeEntryPathTest, KeepsNamesInsideTheFolder) {
    const NameCase& c = GetParam();
    const std::optional<fs::path> path = SafeEntryPath(c.name);
    if (!c.expected) {
        EXPECT_FALSE(path) << c.name << " -> " << path->string();
        return;
    }
    ASSERT_TRUE(path) << c.name;
    fs::path expected;
    for (std::string_view rest = c.expected; !rest.empty();) {
        const std::size_t slash = std::min(rest.find('/'), rest.size());
        expected /= WidePath(GbkToWide(rest.substr(0, slash)));
        rest.remove_prefix(std::min(slash + 1, rest.size()));
    }
    EXPECT_EQ(*path, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SafeEntryPathTest,
    ::testing::Values(NameCase{"Config", "Config"}, NameCase{"\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp", "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp"},
                      NameCase{"sub\\file", "sub/file"}, NameCase{"sub/dir/", "sub/dir"},
                      NameCase{"a//b", "a/b"},
                      // A GBK trail byte of 0x5C is not a separator: 匮 is D8 5C.
                      NameCase{"\xD8\x5C.txt", "\xD8\x5C.txt"},
                      NameCase{"..\\evil", nullptr}, NameCase{"../evil", nullptr}, NameCase{"a/../../evil", nullptr},
                      NameCase{"a\\..", nullptr}, NameCase{"./x", nullptr}, NameCase{"C:\\evil", nullptr},
                      NameCase{"C:evil", nullptr}, NameCase{"\\evil", nullptr}, NameCase{"/etc/evil", nullptr},
                      NameCase{"\\\\server\\share\\evil", nullptr}, NameCase{".. ", nullptr}, NameCase{"a/b.", nullptr},
                      NameCase{"CON", nullptr}, NameCase{"sub/nul.txt", nullptr}, NameCase{"COM1", nullptr},
                      NameCase{"a\x01" "b", nullptr}, NameCase{"a*b", nullptr}, NameCase{"", nullptr},
                      NameCase{"/", nullptr}));

Bytes ReadBack(const fs::path& path) {
    Bytes bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

TEST(ExtractAllTest, ExtractsEntriesFoldersAndOverwrites) {
    TempFolder temp("extract");
    const fs::path target = temp.Path() / "new" / "deeper";
    const Bytes big(300 * 1024, 0x5A);  // several read chunks
    const Bytes zip = BuildZip({{"Config", ToBytes("[a]\r\nb=1\r\n")},
                                {"stored", ToBytes("plain"), false},
                                {"big", big},
                                {"dir/", {}},
                                {"dir/inner", ToBytes("x")},
                                {"\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp", {}}});
    testing::WriteFile(temp.Path() / "a.vx", zip);
    // An existing read-only file of the same name is replaced.
    fs::create_directories(target);
    testing::WriteFile(target / "stored", ToBytes("old"));
    fs::permissions(target / "stored", fs::perms::owner_read);

    EXPECT_TRUE(ExtractAll(temp.Path() / "a.vx", target));
    EXPECT_EQ(ReadBack(target / "Config"), ToBytes("[a]\r\nb=1\r\n"));
    EXPECT_EQ(ReadBack(target / "stored"), ToBytes("plain"));
    EXPECT_EQ(ReadBack(target / "big"), big);
    EXPECT_EQ(ReadBack(target / "dir" / "inner"), ToBytes("x"));
    EXPECT_TRUE(fs::exists(target / WidePath(GbkToWide("\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp"))));
}

TEST(ExtractAllTest, HostileArchivesWriteNothingOutsideTheFolder) {
    TempFolder temp("hostile");
    const fs::path target = temp.Path() / "unpack";
    Bytes truncated = BuildZip({{"Config", Bytes(50000, 'c')}});
    truncated.resize(truncated.size() / 2);
    Bytes damagedData = BuildZip({{"Config", Bytes(50000, 'c')}});
    damagedData[40] ^= 0xFF;  // inside the deflate stream
    const std::vector<std::pair<const char*, Bytes>> archives = {
        {"escapes", BuildZip({{"..\\evil", ToBytes("x")}, {"../evil", ToBytes("x")}, {"C:\\evil", ToBytes("x")},
                              {"\\evil", ToBytes("x")}, {"sub/../../evil", ToBytes("x")}, {"ok", ToBytes("fine")}})},
        {"truncated", truncated},
        {"damaged", damagedData},
        {"not a zip", ToBytes("PK\x03\x04 this is not an archive at all")},
        {"empty", {}},
        {"claims 4 GB", BuildZip({{"huge", ToBytes("small"), true, 0xFFFFFFF0u}})},
        {"claims less", BuildZip({{"short", Bytes(1000, 's'), true, 10u}})},
        {"encrypted", BuildZip({{"secret", ToBytes("x"), false, std::nullopt, 1}})},
    };
    for (const auto& [label, zip] : archives) {
        SCOPED_TRACE(label);
        fs::remove_all(target);
        testing::WriteFile(temp.Path() / "a.vx", zip);
        ExtractAll(temp.Path() / "a.vx", target);
        std::vector<fs::path> outside;
        for (const auto& item : fs::recursive_directory_iterator(temp.Path())) {
            const fs::path relative = fs::relative(item.path(), temp.Path());
            if (relative != "a.vx" && *relative.begin() != "unpack") outside.push_back(relative);
        }
        EXPECT_TRUE(outside.empty()) << outside.front();
        if (fs::exists(target / "short")) {
            EXPECT_LE(fs::file_size(target / "short"), 10u);  // never more than the entry claims
        }
        if (fs::exists(target / "huge")) {
            EXPECT_EQ(ReadBack(target / "huge"), ToBytes("small"));
        }
    }
    EXPECT_FALSE(fs::exists(temp.Path() / "evil"));
}

TEST(ExtractAllTest, ReportsFailureForUnsafeOrBrokenArchives) {
    TempFolder temp("result");
    struct Case {
        const char* label;
        Bytes zip;
        bool whole;
    };
    const std::vector<Case> cases = {
        {"good", BuildZip({{"a", ToBytes("1")}}), true},
        {"unsafe name skipped", BuildZip({{"../a", ToBytes("1")}, {"b", ToBytes("2")}}), false},
        {"not a zip", ToBytes("nothing"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        testing::WriteFile(temp.Path() / "a.vx", c.zip);
        EXPECT_EQ(ExtractAll(temp.Path() / "a.vx", temp.Path() / "out"), c.whole);
    }
    EXPECT_TRUE(fs::exists(temp.Path() / "out" / "b"));
    EXPECT_FALSE(ExtractAll(temp.Path() / "missing.vx", temp.Path() / "out"));
}

TEST(ZipReaderTest, ReadsFromMemoryAndStopsAtDamage) {
    const Bytes zip = BuildZip({{"one", ToBytes("first")}, {"two", ToBytes("second")}});
    ZipReader reader{ByteView(zip)};
    ASSERT_TRUE(reader.IsOpen());
    std::vector<std::string> seen;
    EXPECT_TRUE(reader.ForEachEntry([&](const ZipEntryInfo& entry) {
        Bytes data;
        EXPECT_TRUE(reader.ReadCurrent([&](ByteView chunk) {
            data.insert(data.end(), chunk.begin(), chunk.end());
            return true;
        }));
        seen.push_back(entry.name + "=" + std::string(data.begin(), data.end()));
        return true;
    }));
    EXPECT_EQ(seen, (std::vector<std::string>{"one=first", "two=second"}));

    // The second central directory header loses its signature: the first entry is still seen.
    Bytes bad = zip;
    std::size_t last = 0;
    for (std::size_t i = 0; i + 4 <= bad.size(); ++i)
        if (bad[i] == 0x50 && bad[i + 1] == 0x4B && bad[i + 2] == 0x01 && bad[i + 3] == 0x02) last = i;
    bad[last] = 0;
    ZipReader damaged{ByteView(bad)};
    ASSERT_TRUE(damaged.IsOpen());
    int visited = 0;
    EXPECT_FALSE(damaged.ForEachEntry([&](const ZipEntryInfo&) { return ++visited > 0; }));
    EXPECT_EQ(visited, 1);
}

}  // namespace
}  // namespace glimwell
