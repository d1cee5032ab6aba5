// Native side of ZipPacker for the tests: stdio archive file with errno kept, stat times.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "platform/text_codec.h"
#include "platform/zip_file_io.h"

namespace glimwell {

namespace {

ArchiveIo& IoOf(voidpf opaque) { return *static_cast<ArchiveIo*>(opaque); }

void Keep(voidpf opaque) {
    ArchiveIo& io = IoOf(opaque);
    if (!io.error) io.error = std::error_code(errno ? errno : EIO, std::generic_category());
}

voidpf ZCALLBACK Open(voidpf opaque, const void* filename, int) {
    std::FILE* file = std::fopen(static_cast<const char*>(filename), "w+b");
    if (!file) Keep(opaque);
    return file;
}

uLong ZCALLBACK Read(voidpf opaque, voidpf stream, void* buffer, uLong size) {
    const std::size_t done = std::fread(buffer, 1, size, static_cast<std::FILE*>(stream));
    if (done < size && std::ferror(static_cast<std::FILE*>(stream))) Keep(opaque);
    return static_cast<uLong>(done);
}

uLong ZCALLBACK Write(voidpf opaque, voidpf stream, const void* buffer, uLong size) {
    const std::size_t done = std::fwrite(buffer, 1, size, static_cast<std::FILE*>(stream));
    if (done < size) Keep(opaque);
    return static_cast<uLong>(done);
}

ZPOS64_T ZCALLBACK Tell(voidpf opaque, voidpf stream) {
    const off_t position = ftello(static_cast<std::FILE*>(stream));
    if (position < 0) Keep(opaque);
    return static_cast<ZPOS64_T>(position);
}

long ZCALLBACK Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin) {
    int whence = SEEK_SET;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) whence = SEEK_CUR;
    if (origin == ZLIB_FILEFUNC_SEEK_END) whence = SEEK_END;
    if (fseeko(static_cast<std::FILE*>(stream), static_cast<off_t>(offset), whence) != 0) {
        Keep(opaque);
        return -1;
    }
    return 0;
}

int ZCALLBACK Close(voidpf opaque, voidpf stream) {
    if (std::fclose(static_cast<std::FILE*>(stream)) != 0) {
        Keep(opaque);
        return -1;
    }
    return 0;
}

int ZCALLBACK Error(voidpf opaque, voidpf) { return IoOf(opaque).error ? 1 : 0; }

}  // namespace

bool ReadZipFileStamp(const std::filesystem::path& path, ZipFileStamp& stamp) {
    struct stat info;
    if (stat(path.c_str(), &info) != 0) return false;
    std::tm local{};
    if (localtime_r(&info.st_mtime, &local)) {
        const std::uint32_t date = static_cast<std::uint32_t>(((local.tm_year - 80) << 9) | ((local.tm_mon + 1) << 5) | local.tm_mday);
        const std::uint32_t time = static_cast<std::uint32_t>((local.tm_hour << 11) | (local.tm_min << 5) | (local.tm_sec / 2));
        stamp.dosDateTime = (date << 16) | time;
    }
    stamp.modified = static_cast<std::uint32_t>(info.st_mtime);
    stamp.accessed = static_cast<std::uint32_t>(info.st_atime);
    stamp.created = static_cast<std::uint32_t>(info.st_ctime);
    return true;
}

// Native names are UTF-8 bytes; decoded here so that the result does not hang on the C locale.
std::string ZipEntryNameBytes(const std::filesystem::path& name) {
    const std::string& bytes = name.native();
    std::wstring wide;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < bytes.size(); ++k) code = (code << 6) | (bytes[i + k] & 0x3F);
        wide.push_back(static_cast<wchar_t>(code));
        i += extra + 1;
    }
    return WideToGbk(wide);
}

void InitArchiveIo(ArchiveIo& io) {
    io.functions.zopen64_file = Open;
    io.functions.zread_file = Read;
    io.functions.zwrite_file = Write;
    io.functions.ztell64_file = Tell;
    io.functions.zseek64_file = Seek;
    io.functions.zclose_file = Close;
    io.functions.zerror_file = Error;
    io.functions.opaque = &io;
}

const void* ArchiveOpenName(const std::filesystem::path& path) { return path.c_str(); }

std::error_code MoveFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (std::rename(from.c_str(), to.c_str()) == 0) return {};
    return std::error_code(errno, std::generic_category());
}

std::wstring ErrorText(const std::error_code& error) {
    const std::string text = error.message();
    return std::wstring(text.begin(), text.end());
}

}  // namespace glimwell
