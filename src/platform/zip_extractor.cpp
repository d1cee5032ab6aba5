// ZIP reading over minizip with our own I/O callbacks, so that a wide path works on Windows and
// an archive in memory (the fuzz target, tests) reads the same way as a file.
#include "platform/zip_extractor.h"

#include <minizip/unzip.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cwctype>
#include <fstream>
#include <system_error>
#include <variant>
#include <vector>

#include "platform/file_attributes.h"
#include "platform/text_codec.h"
#include "platform/wide_path.h"

namespace glimwell {

namespace fs = std::filesystem;

// The archive's bytes: a file opened by the reader, or a view of memory. minizip calls the
// callbacks below with this object as both the opaque pointer and the stream.
struct ZipReader::Source {
    struct Memory {
        ByteView bytes;
        std::uint64_t position = 0;
    };
    std::variant<std::ifstream, Memory> data;
    bool failed = false;
};

namespace {

using Source = ZipReader::Source;

// Chunk size of entry reads: large enough for inflate to run at speed, small enough that no
// claimed size ever decides an allocation.
constexpr unsigned kReadChunk = 64 * 1024;
// Free space kept on the disk after an entry is written.
constexpr std::uint64_t kDiskReserve = 16ull * 1024 * 1024;

voidpf ZCALLBACK OpenSource(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK ReadSource(voidpf, voidpf stream, void* buffer, uLong size) {
    auto* source = static_cast<Source*>(stream);
    if (auto* memory = std::get_if<Source::Memory>(&source->data)) {
        if (memory->position >= memory->bytes.size()) return 0;
        const std::uint64_t count = std::min<std::uint64_t>(size, memory->bytes.size() - memory->position);
        std::copy_n(memory->bytes.data() + memory->position, count, static_cast<std::uint8_t*>(buffer));
        memory->position += count;
        return static_cast<uLong>(count);
    }
    auto& file = std::get<std::ifstream>(source->data);
    file.read(static_cast<char*>(buffer), static_cast<std::streamsize>(size));
    const auto count = static_cast<uLong>(file.gcount());
    if (file.bad()) source->failed = true;
    file.clear();  // a short read at the end is not an error; tellg and seekg must keep working
    return count;
}

uLong ZCALLBACK WriteSource(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellSource(voidpf, voidpf stream) {
    auto* source = static_cast<Source*>(stream);
    if (auto* memory = std::get_if<Source::Memory>(&source->data)) return memory->position;
    const std::streamoff position = std::get<std::ifstream>(source->data).tellg();
    return position < 0 ? static_cast<ZPOS64_T>(-1) : static_cast<ZPOS64_T>(position);
}

long ZCALLBACK SeekSource(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
    auto* source = static_cast<Source*>(stream);
    if (auto* memory = std::get_if<Source::Memory>(&source->data)) {
        std::uint64_t base = 0;
        if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = memory->position;
        else if (origin == ZLIB_FILEFUNC_SEEK_END) base = memory->bytes.size();
        else if (origin != ZLIB_FILEFUNC_SEEK_SET) return -1;
        const std::uint64_t target = base + offset;
        if (target < base || target > memory->bytes.size()) return -1;
        memory->position = target;
        return 0;
    }
    auto& file = std::get<std::ifstream>(source->data);
    std::ios::seekdir dir = std::ios::beg;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) dir = std::ios::cur;
    else if (origin == ZLIB_FILEFUNC_SEEK_END) dir = std::ios::end;
    else if (origin != ZLIB_FILEFUNC_SEEK_SET) return -1;
    if (offset > static_cast<ZPOS64_T>(INT64_MAX)) return -1;
    file.clear();
    file.seekg(static_cast<std::streamoff>(offset), dir);
    if (!file) {
        file.clear();
        return -1;
    }
    return 0;
}

int ZCALLBACK CloseSource(voidpf, voidpf) { return 0; }

int ZCALLBACK SourceError(voidpf, voidpf stream) { return static_cast<Source*>(stream)->failed ? 1 : 0; }

bool IsSeparator(wchar_t c) { return c == L'/' || c == L'\\'; }

bool IsDeviceName(std::wstring_view component) {
    // Windows opens a device for these names whatever the folder or extension.
    const std::wstring_view stem = component.substr(0, component.find(L'.'));
    std::wstring upper(stem);
    while (!upper.empty() && upper.back() == L' ') upper.pop_back();
    for (wchar_t& c : upper) c = static_cast<wchar_t>(std::towupper(c));
    static constexpr std::array<std::wstring_view, 4> kPlain = {L"CON", L"PRN", L"AUX", L"NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), upper) != kPlain.end()) return true;
    return upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT")) && upper[3] >= L'1' &&
           upper[3] <= L'9';
}

bool IsSafeComponent(std::wstring_view component) {
    if (component == L"." || component == L"..") return false;
    if (component.back() == L'.' || component.back() == L' ') return false;
    for (wchar_t c : component) {
        if (c < 0x20 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos) return false;
    }
    return !IsDeviceName(component);
}

bool FitsOnDisk(const fs::path& folder, std::uint64_t size) {
    std::error_code ec;
    const fs::space_info space = fs::space(folder, ec);
    if (ec) return true;  // unknown: let the write itself fail
    return size <= space.available && space.available - size >= kDiskReserve;
}

}  // namespace

ZipReader::ZipReader(const fs::path& archive) : source_(std::make_unique<Source>()) {
    source_->data.emplace<std::ifstream>(archive, std::ios::binary);
    if (!std::get<std::ifstream>(source_->data)) return;
    Open(archive.c_str());
}

ZipReader::ZipReader(ByteView archive) : source_(std::make_unique<Source>()) {
    source_->data.emplace<Source::Memory>(Source::Memory{archive, 0});
    Open("memory");
}

void ZipReader::Open(const void* name) {
    zlib_filefunc64_def functions{};
    functions.zopen64_file = OpenSource;
    functions.zread_file = ReadSource;
    functions.zwrite_file = WriteSource;
    functions.ztell64_file = TellSource;
    functions.zseek64_file = SeekSource;
    functions.zclose_file = CloseSource;
    functions.zerror_file = SourceError;
    functions.opaque = source_.get();
    handle_ = unzOpen2_64(name, &functions);
}

ZipReader::~ZipReader() {
    if (handle_) unzClose(handle_);
}

bool ZipReader::ForEachEntry(const std::function<bool(const ZipEntryInfo&)>& visit) {
    if (!handle_) return false;
    int status = unzGoToFirstFile(handle_);
    while (status == UNZ_OK) {
        unz_file_info64 info{};
        if (unzGetCurrentFileInfo64(handle_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) return false;
        ZipEntryInfo entry;
        entry.name.resize(info.size_filename);
        if (info.size_filename > 0 &&
            unzGetCurrentFileInfo64(handle_, &info, entry.name.data(), static_cast<uLong>(entry.name.size()), nullptr,
                                    0, nullptr, 0) != UNZ_OK)
            return false;
        entry.claimedSize = info.uncompressed_size;
        entry.isFolder = !entry.name.empty() && (entry.name.back() == '/' || entry.name.back() == '\\');
        entry.encrypted = (info.flag & 1) != 0;
        if (!visit(entry)) return true;
        status = unzGoToNextFile(handle_);
    }
    return status == UNZ_END_OF_LIST_OF_FILE;
}

bool ZipReader::ReadCurrent(const std::function<bool(ByteView)>& sink) {
    if (!handle_ || unzOpenCurrentFile(handle_) != UNZ_OK) return false;
    std::vector<std::uint8_t> chunk(kReadChunk);
    bool ok = true;
    for (;;) {
        const int count = unzReadCurrentFile(handle_, chunk.data(), kReadChunk);
        if (count == 0) break;
        if (count < 0 || !sink(ByteView(chunk.data(), static_cast<std::size_t>(count)))) {
            ok = false;
            break;
        }
    }
    // Reports a CRC mismatch once the whole entry has been read.
    if (unzCloseCurrentFile(handle_) != UNZ_OK) ok = false;
    return ok;
}

std::optional<fs::path> SafeEntryPath(std::string_view nameBytes) {
    // Decode first: a GBK trail byte may be 0x5C or 0x7C, which are not separators there.
    const std::wstring name = GbkToWide(nameBytes);
    if (name.empty() || IsSeparator(name.front())) return std::nullopt;
    fs::path relative;
    std::size_t start = 0;
    while (start < name.size()) {
        std::size_t end = start;
        while (end < name.size() && !IsSeparator(name[end])) ++end;
        const std::wstring_view component(name.data() + start, end - start);
        if (!component.empty()) {
            if (!IsSafeComponent(component)) return std::nullopt;
            relative /= WidePath(component);
        }
        start = end + 1;
    }
    if (relative.empty()) return std::nullopt;
    return relative;
}

bool ExtractAll(const fs::path& archive, const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    ZipReader reader(archive);
    if (!reader.IsOpen()) return false;
    bool whole = true;
    const bool listed = reader.ForEachEntry([&](const ZipEntryInfo& entry) {
        const std::optional<fs::path> relative = SafeEntryPath(entry.name);
        if (!relative) {
            whole = false;
            return true;
        }
        const fs::path target = folder / *relative;
        if (entry.isFolder) {
            fs::create_directories(target, ec);
            return true;
        }
        fs::create_directories(target.parent_path(), ec);
        if (entry.encrypted || !FitsOnDisk(folder, entry.claimedSize)) {
            whole = false;
            return true;
        }
        ResetFileAttributes(target);
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        if (!out) {
            whole = false;
            return true;
        }
        const bool read = reader.ReadCurrent([&](ByteView chunk) {
            out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
            return static_cast<bool>(out);
        });
        out.close();
        if (!read || out.fail()) whole = false;
        return true;
    });
    return listed && whole;
}

}  // namespace glimwell
