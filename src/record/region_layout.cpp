// Region geometry in the work bitmap and BMP headers.
#include "record/region_layout.h"

#include "platform/byte_io.h"
#include "record/capture_settings.h"

namespace glimwell {

std::optional<RegionLayout> LayoutRegion(const PixelRect& rect, std::int32_t bitsPerPixel,
                                         std::int32_t screenHeight, std::int32_t workRowBytes) {
    // Both extents must be positive: two negative extents would otherwise give a positive size.
    if (!rect.HasPixels()) return std::nullopt;
    RegionLayout layout;
    layout.width = rect.Width();
    layout.height = rect.Height();
    layout.rowBytes = RowBytesFor(layout.width, bitsPerPixel);
    layout.pixelBytes = static_cast<std::int64_t>(layout.rowBytes) * layout.height;
    layout.sourceStart = static_cast<std::int64_t>(2 * screenHeight - rect.bottom) * workRowBytes +
                         (static_cast<std::int64_t>(rect.left) * bitsPerPixel) / 8;
    return layout;
}

std::int32_t BmpPixelOffset(std::int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 8: return 1078;
    case 4: return 118;
    case 1: return 62;
    default: return kBmpFileHeaderSize + kBmpInfoHeaderSize;
    }
}

void AppendBmpHeaders(Bytes& out, const RegionLayout& layout, std::int32_t bitsPerPixel,
                      const Palettes& palettes) {
    ByteWriter w(out);
    w.U8('B');
    w.U8('M');
    w.U32(static_cast<std::uint32_t>(layout.pixelBytes));
    w.U16(0);
    w.U16(0);
    w.U32(static_cast<std::uint32_t>(BmpPixelOffset(bitsPerPixel)));
    w.U32(kBmpInfoHeaderSize);
    w.I32(layout.width);
    w.I32(layout.height);
    w.U16(1);
    w.U16(static_cast<std::uint16_t>(bitsPerPixel));
    w.U32(0);   // BI_RGB
    w.Zeros(20);  // image size, resolution, colours used and important
    w.Raw(palettes.TableFor(bitsPerPixel));
}

std::int32_t LeftAlignmentFor(std::int32_t bitsPerPixel) {
    if (bitsPerPixel == 1) return 8;
    if (bitsPerPixel == 4) return 4;
    return 1;
}

}  // namespace glimwell
