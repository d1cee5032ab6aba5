// Copies the primary screen into a compatible bitmap and converts it with GetDIBits into a
// bottom-up 24-bit DIB behind a 14-byte BMP file header.
#include "util/screen_snapshot_win.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "platform/byte_io.h"
#include "platform/win_handles.h"

namespace glimwell {

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kPixelOffset = kFileHeaderSize + sizeof(BITMAPINFOHEADER);  // 54: no colour table

}  // namespace

Bytes TakeScreenSnapshot() {
    ScopedGetDc screen(nullptr);
    if (!screen) return {};
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    if (width <= 0 || height <= 0) return {};

    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!memory || !bitmap) return {};
    {
        ScopedSelectObject select(memory.Get(), bitmap.Get());
        if (!BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), 0, 0, SRCCOPY)) return {};
    }  // GetDIBits wants the bitmap outside any device context

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    if (!GetDIBits(memory.Get(), bitmap.Get(), 0, height, nullptr, &info, DIB_RGB_COLORS)) return {};
    const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(stride) * static_cast<std::uint32_t>(height);
    if (info.bmiHeader.biSizeImage == 0) info.bmiHeader.biSizeImage = static_cast<DWORD>(pixelBytes);

    Bytes file;
    try {
        file.reserve(kPixelOffset + pixelBytes);
    } catch (const std::bad_alloc&) {
        return {};
    }
    ByteWriter out(file);
    out.U8('B');
    out.U8('M');
    out.U32(static_cast<std::uint32_t>(kPixelOffset + pixelBytes));
    out.U16(0);
    out.U16(0);
    out.U32(kPixelOffset);
    out.U32(info.bmiHeader.biSize);
    out.I32(info.bmiHeader.biWidth);
    out.I32(info.bmiHeader.biHeight);
    out.U16(info.bmiHeader.biPlanes);
    out.U16(info.bmiHeader.biBitCount);
    out.U32(info.bmiHeader.biCompression);
    out.U32(info.bmiHeader.biSizeImage);
    out.Zeros(16);  // resolution and colour counts
    file.resize(kPixelOffset + pixelBytes);
    if (GetDIBits(memory.Get(), bitmap.Get(), 0, height, file.data() + kPixelOffset, &info, DIB_RGB_COLORS) != height)
        return {};
    return file;
}

}  // namespace glimwell
