// Packing speed of ZipPacker on a recording-sized frames entry: makes a folder with a 200 MB
// frames file of recording-like bytes and a Config file, packs it five times and prints the
// median in MB/s (1 MB = 1,000,000 bytes of input). bench/pack_folder_bench.sh runs it beside
// Info-ZIP's zip -8 on the same folder.
//
// The frames imitate a recording: per tick zero to four region records (10-byte header,
// payload, 11-byte trailer) and the frame delimiter. Payloads are mostly JPEG-like (entropy-coded,
// near incompressible, 2-60 KB), some uncompressed bitmap regions of screen-like content (flat
// areas with text-like rows, 10-200 KB), and ticks without change (delimiter only).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "platform/zip_packer.h"
#include "record/frame_format.h"

namespace {

namespace fs = std::filesystem;
using glimwell::Bytes;

constexpr std::size_t kFramesBytes = 200'000'000;
constexpr int kRuns = 5;

Bytes JpegLike(std::mt19937& rng, std::size_t size) {
    Bytes payload = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0x00};
    std::uniform_int_distribution<int> byte(0, 255);
    while (payload.size() < size - 2) payload.push_back(static_cast<std::uint8_t>(byte(rng)));
    payload.push_back(0xFF);
    payload.push_back(0xD9);
    return payload;
}

Bytes BitmapLike(std::mt19937& rng, int width, int height) {
    const int stride = (width * 3 + 3) & ~3;
    Bytes payload(54 + static_cast<std::size_t>(stride) * height, 0);
    payload[0] = 'B';
    payload[1] = 'M';
    std::uniform_int_distribution<int> colour(0, 255), chance(0, 99);
    const std::uint8_t paper[3] = {static_cast<std::uint8_t>(colour(rng)), 250, 250};
    for (int y = 0; y < height; ++y) {
        const bool textRow = (y / 8) % 2 == 0 && y % 8 < 6;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* p = &payload[54 + static_cast<std::size_t>(y) * stride + x * 3];
            const bool ink = textRow && chance(rng) < 30;
            for (int c = 0; c < 3; ++c) p[c] = ink ? 20 : paper[c];
        }
    }
    return payload;
}

void MakeFolder(const fs::path& folder) {
    fs::create_directories(folder);
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> records(0, 4), kind(0, 9), jpegSize(2000, 60000), side(40, 260);
    Bytes frames;
    frames.reserve(kFramesBytes + 1'000'000);
    while (frames.size() < kFramesBytes) {
        const int count = records(rng);
        for (int r = 0; r < count; ++r) {
            const Bytes payload =
                kind(rng) < 8 ? JpegLike(rng, jpegSize(rng)) : BitmapLike(rng, side(rng), side(rng));
            glimwell::AppendRegionRecord(frames, side(rng), side(rng), payload);
        }
        frames.insert(frames.end(), glimwell::FrameDelimiter.begin(), glimwell::FrameDelimiter.end());
    }
    std::ofstream(folder / L"录制文件Temp", std::ios::binary)
        .write(reinterpret_cast<const char*>(frames.data()), static_cast<std::streamsize>(frames.size()));
    std::ofstream(folder / L"Config", std::ios::binary) << "[x]\r\ny=125\r\n";
}

}  // namespace

int main(int argc, char** argv) {
    // Without a folder argument the data go to a temporary folder that is removed at the end.
    const bool ownFolder = argc <= 1;
    const fs::path root = ownFolder ? fs::temp_directory_path() / L"glimwell_pack_bench" : fs::path(argv[1]);
    const fs::path folder = root / L"录像Temp";
    if (!fs::exists(folder / L"录制文件Temp")) MakeFolder(folder);
    std::uint64_t input = 0;
    for (const auto& entry : fs::directory_iterator(folder)) input += entry.file_size();

    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> rates;
    std::uintmax_t archiveSize = 0;
    for (int run = 0; run < kRuns; ++run) {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        const glimwell::PackResult result = glimwell::ZipPacker().PackFolder(folder, root / L"bench.vx");
        QueryPerformanceCounter(&end);
        if (!result.ok) {
            std::fprintf(stderr, "PackFolder failed: %s\n", result.error.message().c_str());
            return 1;
        }
        archiveSize = fs::file_size(root / L"bench.vx");
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        rates.push_back(input / 1e6 / seconds);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("PackFolder: input %.1f MB, archive %.1f MB, median %.1f MB/s over %d runs\n", input / 1e6,
                archiveSize / 1e6, rates[kRuns / 2], kRuns);
    std::error_code ec;
    fs::remove(root / L"bench.vx", ec);
    if (ownFolder) fs::remove_all(root, ec);
    return 0;
}
