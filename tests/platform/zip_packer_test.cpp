// Packs real folders and reads the archive bytes back field by field, and through independent
// readers (Python's zipfile, Info-ZIP unzip) where they are installed.
#include "platform/zip_packer.h"

#include <gtest/gtest.h>
#include <zlib.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include "platform/byte_io.h"

namespace glimwell {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kLocalSignature = 0x04034B50;
constexpr std::uint32_t kCentralSignature = 0x02014B50;
constexpr std::uint32_t kEndSignature = 0x06054B50;
const std::string kFramesName = "\xC2\xBC\xD6\xC6\xCE\xC4\xBC\xFE" "Temp";

struct Entry {
    std::string name;
    std::uint16_t madeBy = 0, needed = 0, flags = 0, method = 0;
    std::uint32_t dosTime = 0, crc = 0, compressed = 0, size = 0, externalAttributes = 0, localOffset = 0;
    Bytes centralExtra, localExtra;
    std::uint16_t localNeeded = 0, localFlags = 0, localMethod = 0;
    std::uint32_t localDosTime = 0, localCrc = 0, localCompressed = 0, localSize = 0;
    Bytes data;  // inflated (or stored) content
};

Bytes Inflate(ByteView raw, std::size_t size) {
    Bytes out(size + 1);
    z_stream s{};
    inflateInit2(&s, -MAX_WBITS);
    s.next_in = const_cast<Bytef*>(raw.data());
    s.avail_in = static_cast<uInt>(raw.size());
    s.next_out = out.data();
    s.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&s, Z_FINISH);
    out.resize(s.total_out);
    inflateEnd(&s);
    EXPECT_EQ(rc, Z_STREAM_END);
    return out;
}

// Reads the archive as a reader that trusts only the central directory would, then checks each
// local header against it.
std::vector<Entry> ParseArchive(const Bytes& file) {
    std::vector<Entry> entries;
    EXPECT_GE(file.size(), 22u);
    if (file.size() < 22) return entries;
    const std::size_t end = file.size() - 22;
    EXPECT_EQ(ReadU32At(file, end), kEndSignature);
    const std::uint16_t count = *ReadU16At(file, end + 10);
    EXPECT_EQ(ReadU16At(file, end + 8), count);
    const std::uint32_t cdSize = *ReadU32At(file, end + 12);
    const std::uint32_t cdOffset = *ReadU32At(file, end + 16);
    EXPECT_EQ(cdOffset + cdSize, end);
    EXPECT_EQ(ReadU16At(file, end + 20), 0);  // no comment

    ByteReader cd(ByteView(file).subspan(cdOffset, cdSize));
    for (int i = 0; i < count; ++i) {
        Entry e;
        EXPECT_EQ(cd.U32(), kCentralSignature);
        e.madeBy = *cd.U16();
        e.needed = *cd.U16();
        e.flags = *cd.U16();
        e.method = *cd.U16();
        e.dosTime = *cd.U32();
        e.crc = *cd.U32();
        e.compressed = *cd.U32();
        e.size = *cd.U32();
        const std::uint16_t nameLength = *cd.U16(), extraLength = *cd.U16(), commentLength = *cd.U16();
        cd.Skip(4);  // disk number, internal attributes
        e.externalAttributes = *cd.U32();
        e.localOffset = *cd.U32();
        const ByteView name = *cd.Take(nameLength);
        e.name.assign(name.begin(), name.end());
        const ByteView extra = *cd.Take(extraLength);
        e.centralExtra.assign(extra.begin(), extra.end());
        cd.Skip(commentLength);

        ByteReader local(ByteView(file).subspan(e.localOffset));
        EXPECT_EQ(local.U32(), kLocalSignature);
        e.localNeeded = *local.U16();
        e.localFlags = *local.U16();
        e.localMethod = *local.U16();
        e.localDosTime = *local.U32();
        e.localCrc = *local.U32();
        e.localCompressed = *local.U32();
        e.localSize = *local.U32();
        const std::uint16_t localNameLength = *local.U16(), localExtraLength = *local.U16();
        const ByteView localName = *local.Take(localNameLength);
        EXPECT_EQ(std::string(localName.begin(), localName.end()), e.name);
        const ByteView localExtra = *local.Take(localExtraLength);
        e.localExtra.assign(localExtra.begin(), localExtra.end());
        const ByteView raw = *local.Take(e.compressed);
        e.data = e.method == 8 ? Inflate(raw, e.size) : Bytes(raw.begin(), raw.end());
        EXPECT_EQ(e.data.size(), e.size);
        EXPECT_EQ(crc32(0, e.data.data(), static_cast<uInt>(e.data.size())), e.crc);
        entries.push_back(std::move(e));
    }
    EXPECT_FALSE(cd.Failed());
    return entries;
}

class ZipPackerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("glimwell_zip_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "src");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path Source() const { return root_ / "src"; }
    fs::path Archive() const { return root_ / "out.vx"; }

    static void Write(const fs::path& path, const Bytes& bytes) {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    static Bytes Read(const fs::path& path) {
        Bytes bytes;
        EXPECT_TRUE(ReadWholeFile(path, bytes));
        return bytes;
    }

    fs::path root_;
};

Bytes FramesLike() {
    Bytes frames;
    static const std::uint8_t kDelimiter[] = {0x0B, 0x16, 0x21, 0x0B, 0x16, 0x21, 0x6F, 0xDE, 0x4D, 0x0A};
    std::uint32_t seed = 7;
    for (int frame = 0; frame < 40; ++frame) {
        for (int i = 0; i < 3000; ++i) {
            seed = seed * 1103515245u + 12345u;
            frames.push_back(i % 3 == 0 ? static_cast<std::uint8_t>(seed >> 24) : static_cast<std::uint8_t>(frame));
        }
        frames.insert(frames.end(), std::begin(kDelimiter), std::end(kDelimiter));
    }
    return frames;
}

TEST_F(ZipPackerTest, RecordingFolderGivesTheFixedHeaderFields) {
    const Bytes frames = FramesLike();
    const std::string config = "[\xCA\xD3\xC6\xB5\xC9\xE8\xD6\xC3]\r\n\xD6\xDC\xC6\xDA=125\r\n";
    const Bytes wave(300, 0x80);
    Write(Source() / u8"录制文件Temp", frames);
    Write(Source() / "Config", Bytes(config.begin(), config.end()));
    Write(Source() / "Music", wave);

    ZipPacker packer;
    std::vector<int> progress;
    packer.SetPackProgress([&](int p) { progress.push_back(p); });
    const PackResult result = packer.PackFolder(Source(), Archive());
    ASSERT_TRUE(result.ok) << result.error.message();
    EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));
    EXPECT_FALSE(fs::exists(fs::path(Archive()) += ".partial"));

    const std::vector<Entry> entries = ParseArchive(Read(Archive()));
    std::map<std::string, Bytes> expected = {
        {kFramesName, frames}, {"Config", Bytes(config.begin(), config.end())}, {"Music", wave}};
    ASSERT_EQ(entries.size(), 3u);
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(expected.count(e.name), 1u);
        EXPECT_EQ(e.data, expected[e.name]);
        if (e.name == kFramesName) {
            EXPECT_LT(e.compressed, e.size);
        }
        EXPECT_EQ(e.madeBy, 0x0B17);
        EXPECT_EQ(e.needed, 20);
        EXPECT_EQ(e.localNeeded, 20);
        EXPECT_EQ(e.flags, 0);  // no UTF-8 flag, no data descriptor, no option bits
        EXPECT_EQ(e.localFlags, 0);
        EXPECT_EQ(e.method, 8);
        EXPECT_EQ(e.localMethod, 8);
        EXPECT_NE(e.dosTime, 0u);
        EXPECT_EQ(e.localDosTime, e.dosTime);
        // CRC and sizes are put back into the local header.
        EXPECT_EQ(e.localCrc, e.crc);
        EXPECT_EQ(e.localCompressed, e.compressed);
        EXPECT_EQ(e.localSize, e.size);
        EXPECT_EQ(e.externalAttributes, 0x20u);

        ASSERT_EQ(e.localExtra.size(), 17u);
        EXPECT_EQ(ReadU16At(e.localExtra, 0), 0x5455);
        EXPECT_EQ(ReadU16At(e.localExtra, 2), 13);
        EXPECT_EQ(e.localExtra[4], 7);
        ASSERT_EQ(e.centralExtra.size(), 9u);
        EXPECT_EQ(ReadU16At(e.centralExtra, 0), 0x5455);
        EXPECT_EQ(ReadU16At(e.centralExtra, 2), 5);
        EXPECT_EQ(e.centralExtra[4], 7);
        EXPECT_EQ(ReadU32At(e.centralExtra, 5), ReadU32At(e.localExtra, 5));

#ifndef _WIN32
        struct stat info;
        ASSERT_EQ(stat((Source() / (e.name == kFramesName ? "录制文件Temp" : e.name)).c_str(), &info), 0);
        EXPECT_EQ(ReadU32At(e.localExtra, 5), static_cast<std::uint32_t>(info.st_mtime));
        EXPECT_EQ(ReadU32At(e.localExtra, 9), static_cast<std::uint32_t>(info.st_atime));
#else
        // Within a minute of now: the files were written by this test.
        const auto now = std::chrono::duration_cast<std::chrono::seconds>(
            std::chrono::system_clock::now().time_since_epoch()).count();
        EXPECT_NEAR(static_cast<double>(*ReadU32At(e.localExtra, 5)), static_cast<double>(now), 60.0);
        EXPECT_NEAR(static_cast<double>(*ReadU32At(e.localExtra, 13)), static_cast<double>(now), 60.0);
#endif
        expected.erase(e.name);
    }
}

TEST_F(ZipPackerTest, EmptyFileIsAnEmptyDeflatedEntry) {
    Write(Source() / u8"录制文件Temp", {});
    Write(Source() / "Config", Bytes{'x'});
    ASSERT_TRUE(ZipPacker().PackFolder(Source(), Archive()).ok);
    const std::vector<Entry> entries = ParseArchive(Read(Archive()));
    ASSERT_EQ(entries.size(), 2u);
    for (const Entry& e : entries) {
        EXPECT_EQ(e.method, 8);
        if (e.name == kFramesName) {
            EXPECT_EQ(e.size, 0u);
        }
    }
}

TEST_F(ZipPackerTest, SubFoldersBecomeFolderEntriesWithTheirFiles) {
    Write(Source() / "a.txt", Bytes{'a'});
    fs::create_directory(Source() / "sub");
    Write(Source() / "sub" / "b.gz", Bytes{'b', 'b'});
    ZipPacker packer;
    std::vector<int> progress;
    packer.SetPackProgress([&](int p) { progress.push_back(p); });
    ASSERT_TRUE(packer.PackFolder(Source(), Archive()).ok);
    EXPECT_EQ(progress, (std::vector<int>{33, 66, 100}));

    std::map<std::string, Entry> byName;
    for (Entry& e : ParseArchive(Read(Archive()))) byName[e.name] = e;
    ASSERT_EQ(byName.size(), 3u);
    EXPECT_EQ(byName["sub/"].size, 0u);
    EXPECT_EQ(byName["sub/"].method, 0);
    EXPECT_EQ(byName["sub/"].externalAttributes, 0x10u);
    EXPECT_EQ(byName["sub/b.gz"].method, 0);  // already compressed: stored
    EXPECT_EQ(byName["sub/b.gz"].data, (Bytes{'b', 'b'}));
    EXPECT_EQ(byName["a.txt"].method, 8);
}

TEST_F(ZipPackerTest, FailuresReportTheReasonAndKeepAnEarlierArchive) {
    Write(Archive(), Bytes{'o', 'l', 'd'});

    const PackResult missing = ZipPacker().PackFolder(root_ / "nope", Archive());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.failedPath, root_ / "nope");

    const PackResult noFolder = ZipPacker().PackFolder(Source(), root_ / "absent" / "x.vx");
    EXPECT_FALSE(noFolder.ok);
    EXPECT_EQ(noFolder.error, std::errc::no_such_file_or_directory);
    EXPECT_EQ(noFolder.failedPath, root_ / "absent" / "x.vx");

#ifndef _WIN32
    // An item that cannot be read as a file makes the pack fail half-way.
    Write(Source() / "a", Bytes(1000, 1));
    ASSERT_EQ(mkfifo((Source() / "pipe").c_str(), 0600), 0);
    Write(Source() / "z", Bytes(1000, 2));
    const PackResult halfWay = ZipPacker().PackFolder(Source(), Archive());
    EXPECT_FALSE(halfWay.ok);
    EXPECT_EQ(Read(Archive()), (Bytes{'o', 'l', 'd'}));
    EXPECT_FALSE(fs::exists(fs::path(Archive()) += ".partial"));
#endif
}

TEST(ZipRulesTest, StoredNamesAndZip64Threshold) {
    for (const char* name : {"a.Z", "a.z", "x.ZIP", "b.zoo", "c.arc", "d.LZH", "e.arj", "f.gz", "g.TGZ"})
        EXPECT_TRUE(IsStoredName(name)) << name;
    for (const char* name : {"Config", "Music", "zip", "a.gzip", "a.tar", "a.Zz"}) EXPECT_FALSE(IsStoredName(name)) << name;
    EXPECT_FALSE(EntryNeedsZip64(0));
    EXPECT_FALSE(EntryNeedsZip64(4000000000ull));
    EXPECT_TRUE(EntryNeedsZip64(0xFFFFFFFFull));
    EXPECT_TRUE(EntryNeedsZip64(0xFFF00000ull));  // deflate may grow it past the 32-bit field
}

// Python's zipfile and Info-ZIP's unzip must accept the archive and give back the exact bytes.
#ifndef _WIN32
TEST_F(ZipPackerTest, IndependentReadersAcceptTheArchive) {
    if (std::system("command -v unzip >/dev/null && test -x /usr/bin/python3") != 0) GTEST_SKIP() << "no unzip/python3";
    const Bytes frames = FramesLike();
    Write(Source() / u8"录制文件Temp", frames);
    Write(Source() / "Config", Bytes{'[', ']'});
    Write(Source() / "Music", Bytes(44, 0));
    ASSERT_TRUE(ZipPacker().PackFolder(Source(), Archive()).ok);

    EXPECT_EQ(std::system(("unzip -tqq '" + Archive().string() + "'").c_str()), 0);
    const std::string script =
        "import sys, zipfile, zlib\n"
        "z = zipfile.ZipFile(sys.argv[1])\n"
        "assert z.testzip() is None\n"
        "for i in sorted(z.infolist(), key=lambda i: i.filename):\n"
        "    print(i.filename.encode('cp437').hex(), i.file_size, zlib.crc32(z.read(i)))\n";
    const fs::path scriptPath = root_ / "read.py";
    std::ofstream(scriptPath) << script;
    FILE* pipe = popen(("/usr/bin/python3 '" + scriptPath.string() + "' '" + Archive().string() + "'").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
    EXPECT_EQ(pclose(pipe), 0);
    const std::string expected = "436f6e666967 2 " + std::to_string(crc32(0, reinterpret_cast<const Bytef*>("[]"), 2)) +
                                 "\n4d75736963 44 " + std::to_string(crc32(0, Bytes(44, 0).data(), 44)) +
                                 "\nc2bcd6c6cec4bcfe54656d70 " + std::to_string(frames.size()) + " " +
                                 std::to_string(crc32(0, frames.data(), static_cast<uInt>(frames.size()))) + "\n";
    EXPECT_EQ(output, expected);
}
#endif

}  // namespace
}  // namespace glimwell

namespace glimwell {
namespace {

// An entry past 4 GiB gets ZIP64 sizes; independent readers take it and the entry beside it. Packs over 4 GiB of zeros (a sparse file), so it runs only when
// GLIMWELL_LARGE_TESTS is set.
TEST_F(ZipPackerTest, EntriesPastFourGigabytesUseZip64) {
    if (!std::getenv("GLIMWELL_LARGE_TESTS")) GTEST_SKIP() << "set GLIMWELL_LARGE_TESTS=1 to pack 4 GiB";
    constexpr std::uintmax_t kBig = 0x100000000ull + 10;
    Write(Source() / "big", {});
    fs::resize_file(Source() / "big", kBig);
    Write(Source() / "small", Bytes{'s'});
    ASSERT_TRUE(ZipPacker().PackFolder(Source(), Archive()).ok);

    // The local header of "big" says version 45 and leaves its sizes to the ZIP64 field. The
    // archive itself stays small (zeros deflate well), so no ZIP64 end records are needed.
    const Bytes file = Read(Archive());
    const std::size_t localBig = FindBytes(file, Bytes{'b', 'i', 'g', 0x55, 0x54}) - 30;
    ASSERT_LT(localBig + 30, file.size());
    EXPECT_EQ(ReadU16At(file, localBig + 4), 45);
    EXPECT_EQ(ReadU32At(file, localBig + 22), 0xFFFFFFFFu);
#ifndef _WIN32
    if (std::system("command -v unzip >/dev/null") == 0) {
        EXPECT_EQ(std::system(("unzip -tqq '" + Archive().string() + "'").c_str()), 0);
    }
    const std::string check = "/usr/bin/python3 -c \"import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); "
                              "i = {x.filename: x for x in z.infolist()}; "
                              "assert i['big'].file_size == " + std::to_string(kBig) + "; "
                              "assert z.read('small') == b's'; "
                              "assert z.testzip() is None\" '" + Archive().string() + "'";
    EXPECT_EQ(std::system(check.c_str()), 0);
#endif
}

}  // namespace
}  // namespace glimwell
