// Windows side of ZipPacker: wide paths through CreateFileW, file times from the file system,
// and GetLastError kept for the message that names the reason of a failure.
#include <windows.h>

#include "platform/system_error_win.h"
#include "platform/text_codec.h"
#include "platform/zip_file_io.h"

namespace glimwell {

namespace {

std::uint32_t UnixTime(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    constexpr std::uint64_t kEpochDifference = 116444736000000000ull;  // 1601-01-01 to 1970-01-01 in 100 ns
    if (value.QuadPart < kEpochDifference) return 0;
    return static_cast<std::uint32_t>((value.QuadPart - kEpochDifference) / 10000000ull);
}

ArchiveIo& IoOf(voidpf opaque) { return *static_cast<ArchiveIo*>(opaque); }

void Keep(voidpf opaque) {
    ArchiveIo& io = IoOf(opaque);
    if (!io.error) io.error = std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

voidpf ZCALLBACK Open(voidpf opaque, const void* filename, int) {
    HANDLE file = CreateFileW(static_cast<const wchar_t*>(filename), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Keep(opaque);
        return nullptr;
    }
    return file;
}

uLong ZCALLBACK Read(voidpf opaque, voidpf stream, void* buffer, uLong size) {
    DWORD done = 0;
    if (!ReadFile(stream, buffer, size, &done, nullptr)) Keep(opaque);
    return done;
}

uLong ZCALLBACK Write(voidpf opaque, voidpf stream, const void* buffer, uLong size) {
    DWORD done = 0;
    if (!WriteFile(stream, buffer, size, &done, nullptr)) Keep(opaque);
    return done;
}

ZPOS64_T ZCALLBACK Tell(voidpf opaque, voidpf stream) {
    LARGE_INTEGER zero{}, position{};
    if (!SetFilePointerEx(stream, zero, &position, FILE_CURRENT)) {
        Keep(opaque);
        return static_cast<ZPOS64_T>(-1);
    }
    return static_cast<ZPOS64_T>(position.QuadPart);
}

long ZCALLBACK Seek(voidpf opaque, voidpf stream, ZPOS64_T offset, int origin) {
    DWORD method = FILE_BEGIN;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) method = FILE_CURRENT;
    if (origin == ZLIB_FILEFUNC_SEEK_END) method = FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(stream, distance, nullptr, method)) {
        Keep(opaque);
        return -1;
    }
    return 0;
}

int ZCALLBACK Close(voidpf opaque, voidpf stream) {
    if (!CloseHandle(stream)) {
        Keep(opaque);
        return -1;
    }
    return 0;
}

int ZCALLBACK Error(voidpf opaque, voidpf) { return IoOf(opaque).error ? 1 : 0; }

}  // namespace

bool ReadZipFileStamp(const std::filesystem::path& path, ZipFileStamp& stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return false;
    FILETIME local;
    WORD dosDate = 0, dosTime = 0;
    if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToDosDateTime(&local, &dosDate, &dosTime))
        stamp.dosDateTime = (static_cast<std::uint32_t>(dosDate) << 16) | dosTime;
    stamp.modified = UnixTime(data.ftLastWriteTime);
    stamp.accessed = UnixTime(data.ftLastAccessTime);
    stamp.created = UnixTime(data.ftCreationTime);
    return true;
}

std::string ZipEntryNameBytes(const std::filesystem::path& name) { return WideToGbk(name.native()); }

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
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
}

std::wstring ErrorText(const std::error_code& error) {
    if (error.category() == std::system_category()) return SystemErrorText(static_cast<DWORD>(error.value()));
    const std::string text = error.message();
    return std::wstring(text.begin(), text.end());
}

}  // namespace glimwell
