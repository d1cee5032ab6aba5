// Packs a folder into a ZIP archive through minizip. Deflate runs here (raw mode of minizip) so
// that the general-purpose flags stay 0 at level 8, which minizip would otherwise mark as
// "maximum compression".
#include "platform/zip_packer.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <fstream>
#include <utility>
#include <vector>

#include "platform/byte_io.h"
#include "platform/zip_file_io.h"

namespace glimwell {

namespace fs = std::filesystem;

namespace {

constexpr int kCompressionLevel = 8;
constexpr unsigned long kVersionMadeBy = 0x0B17;     // host NTFS, format 2.3
constexpr std::uint16_t kExtendedTimestampId = 0x5455;
constexpr std::uint8_t kTimestampFlags = 7;          // modification, access and creation time present
constexpr std::uint32_t kFileAttributes = 0x20;      // FILE_ATTRIBUTE_ARCHIVE
constexpr std::uint32_t kFolderAttributes = 0x10;    // FILE_ATTRIBUTE_DIRECTORY
constexpr std::size_t kChunkSize = 256 * 1024;       // read and deflate step

class ZipArchive {
public:
    ZipArchive(const fs::path& path, ArchiveIo& io) {
        InitArchiveIo(io);
        handle_ = zipOpen2_64(ArchiveOpenName(path), APPEND_STATUS_CREATE, nullptr, &io.functions);
    }
    ~ZipArchive() { Close(); }
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    zipFile Get() const { return handle_; }
    bool Close() {
        if (!handle_) return true;
        const int rc = zipClose(std::exchange(handle_, nullptr), nullptr);
        return rc == ZIP_OK;
    }

private:
    zipFile handle_ = nullptr;
};

struct ExtraFields {
    Bytes local;
    Bytes central;
};

ExtraFields TimestampFields(const ZipFileStamp& stamp) {
    ExtraFields fields;
    ByteWriter local(fields.local);
    local.U16(kExtendedTimestampId);
    local.U16(13);
    local.U8(kTimestampFlags);
    local.U32(stamp.modified);
    local.U32(stamp.accessed);
    local.U32(stamp.created);
    ByteWriter central(fields.central);
    central.U16(kExtendedTimestampId);
    central.U16(5);
    central.U8(kTimestampFlags);
    central.U32(stamp.modified);
    return fields;
}

std::error_code ErrorOr(const ArchiveIo& io, std::errc fallback) {
    return io.error ? io.error : std::make_error_code(fallback);
}

class Packer {
public:
    Packer(ArchiveIo& io, zipFile zip, const ZipPacker::PackProgress& progress, std::size_t total)
        : io_(io), zip_(zip), progress_(progress), total_(total) {}

    PackResult AddFolderContents(const fs::path& folder, const std::string& prefix) {
        std::error_code ec;
        for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
            const fs::path& path = it->path();
            const std::string name = prefix + ZipEntryNameBytes(path.filename());
            PackResult step;
            const bool isFolder = it->is_directory(ec);
            if (ec) break;
            if (isFolder) {
                step = AddFolderEntry(path, name + "/");
                if (step.ok) {
                    Advance();
                    step = AddFolderContents(path, name + "/");
                }
            } else {
                step = AddFileEntry(path, name);
                if (step.ok) Advance();
            }
            if (!step.ok) return step;
        }
        if (ec) return {false, ec, folder};
        return {true, {}, {}};
    }

private:
    void Advance() {
        ++done_;
        if (progress_ && total_ > 0) progress_(static_cast<int>(done_ * 100 / total_));
    }

    bool OpenEntry(const std::string& name, const ZipFileStamp& stamp, bool deflated, std::uint32_t attributes,
                   bool zip64) {
        const ExtraFields extra = TimestampFields(stamp);
        zip_fileinfo info{};
        info.dosDate = stamp.dosDateTime;
        info.external_fa = attributes;
        // Level 0 keeps minizip from setting the compression-option flag bits; the data arrive
        // already deflated (raw mode).
        return zipOpenNewFileInZip4_64(zip_, name.c_str(), &info, extra.local.data(),
                                       static_cast<uInt>(extra.local.size()), extra.central.data(),
                                       static_cast<uInt>(extra.central.size()), nullptr,
                                       deflated ? Z_DEFLATED : 0, 0, 1, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY, nullptr,
                                       0, kVersionMadeBy, 0, zip64 ? 1 : 0) == ZIP_OK;
    }

    PackResult AddFolderEntry(const fs::path& path, const std::string& name) {
        ZipFileStamp stamp;
        ReadZipFileStamp(path, stamp);
        if (!OpenEntry(name, stamp, false, kFolderAttributes, false) || zipCloseFileInZipRaw64(zip_, 0, 0) != ZIP_OK)
            return {false, ErrorOr(io_, std::errc::io_error), path};
        return {true, {}, {}};
    }

    PackResult AddFileEntry(const fs::path& path, const std::string& name) {
        std::error_code ec;
        const std::uint64_t size = fs::file_size(path, ec);
        if (ec) return {false, ec, path};
        ZipFileStamp stamp;
        ReadZipFileStamp(path, stamp);
        std::ifstream in(path, std::ios::binary);
        if (!in) return {false, std::make_error_code(std::errc::permission_denied), path};

        const bool deflated = !IsStoredName(name);
        if (!OpenEntry(name, stamp, deflated, kFileAttributes, EntryNeedsZip64(size)))
            return {false, ErrorOr(io_, std::errc::io_error), path};

        z_stream stream{};
        if (deflated && deflateInit2(&stream, kCompressionLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            return {false, std::make_error_code(std::errc::not_enough_memory), path};
        struct StreamEnd {
            z_stream* s;
            ~StreamEnd() {
                if (s) deflateEnd(s);
            }
        } streamEnd{deflated ? &stream : nullptr};

        std::vector<std::uint8_t> input(kChunkSize);
        std::vector<std::uint8_t> output(kChunkSize);
        uLong crc = crc32(0, nullptr, 0);
        std::uint64_t read = 0;
        bool finished = false;
        while (!finished) {
            in.read(reinterpret_cast<char*>(input.data()), static_cast<std::streamsize>(input.size()));
            const auto got = static_cast<std::size_t>(in.gcount());
            if (in.bad()) return {false, std::make_error_code(std::errc::io_error), path};
            read += got;
            crc = crc32(crc, input.data(), static_cast<uInt>(got));
            finished = got < input.size();
            if (!deflated) {
                if (got > 0 && zipWriteInFileInZip(zip_, input.data(), static_cast<unsigned>(got)) != ZIP_OK)
                    return {false, ErrorOr(io_, std::errc::io_error), path};
                continue;
            }
            stream.next_in = input.data();
            stream.avail_in = static_cast<uInt>(got);
            const int flush = finished ? Z_FINISH : Z_NO_FLUSH;
            int rc;
            do {
                stream.next_out = output.data();
                stream.avail_out = static_cast<uInt>(output.size());
                rc = deflate(&stream, flush);
                const std::size_t produced = output.size() - stream.avail_out;
                if (produced > 0 &&
                    zipWriteInFileInZip(zip_, output.data(), static_cast<unsigned>(produced)) != ZIP_OK)
                    return {false, ErrorOr(io_, std::errc::io_error), path};
            } while (stream.avail_out == 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
        }
        // A file that changed size while it was read would give an entry that disagrees with its
        // header; that only happens when something else writes into the folder.
        if (read != size && EntryNeedsZip64(read) != EntryNeedsZip64(size))
            return {false, std::make_error_code(std::errc::file_too_large), path};
        if (zipCloseFileInZipRaw64(zip_, read, crc) != ZIP_OK) return {false, ErrorOr(io_, std::errc::io_error), path};
        return {true, {}, {}};
    }

    ArchiveIo& io_;
    zipFile zip_;
    const ZipPacker::PackProgress& progress_;
    std::size_t total_;
    std::size_t done_ = 0;
};

std::size_t CountItems(const fs::path& folder, std::error_code& ec) {
    std::size_t count = 0;
    for (fs::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) ++count;
    return count;
}

fs::path PartialName(const fs::path& archive) {
    fs::path partial = archive;
    partial += ".partial";
    return partial;
}

}  // namespace

bool IsStoredName(std::string_view nameBytes) {
    static constexpr std::array<std::string_view, 8> kStored = {".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};
    return std::any_of(kStored.begin(), kStored.end(), [&](std::string_view ext) {
        if (nameBytes.size() < ext.size()) return false;
        const std::string_view tail = nameBytes.substr(nameBytes.size() - ext.size());
        return std::equal(tail.begin(), tail.end(), ext.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == static_cast<unsigned char>(b);
        });
    });
}

bool EntryNeedsZip64(std::uint64_t size) {
    // deflateBound for the default memory level: stored blocks add 5 bytes per 16 KiB, plus the
    // stream's few end bytes.
    const std::uint64_t bound = size + (size >> 12) + (size >> 14) + (size >> 25) + 13;
    return bound >= 0xFFFFFFFFull;
}

PackResult ZipPacker::PackFolder(const fs::path& source, const fs::path& archive) {
    std::error_code ec;
    if (!fs::is_directory(source, ec))
        return {false, ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory), source};
    const std::size_t total = CountItems(source, ec);
    if (ec) return {false, ec, source};

    const fs::path partial = PartialName(archive);
    PackResult result;
    {
        ArchiveIo io;
        ZipArchive zip(partial, io);
        if (!zip.Get()) {
            result = {false, ErrorOr(io, std::errc::io_error), archive};
        } else {
            Packer packer(io, zip.Get(), progress_, total);
            result = packer.AddFolderContents(source, "");
            const bool closed = zip.Close();
            if (result.ok && !closed) result = {false, ErrorOr(io, std::errc::io_error), archive};
            // A failed write of the archive names the archive, not the entry being added.
            if (!result.ok && io.error) result = {false, io.error, archive};
        }
    }
    if (result.ok) {
        if (const std::error_code moved = MoveFileReplacing(partial, archive)) result = {false, moved, archive};
    }
    if (!result.ok) fs::remove(partial, ec);
    return result;
}

}  // namespace glimwell
