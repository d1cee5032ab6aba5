// Turns a rectangle of the reference picture into a region record: its BMP file as it is, or
// that file re-encoded as JPEG or PNG by GDI+.
#include <windows.h>
#include <gdiplus.h>

#include <algorithm>
#include <cstring>

#include "record/collision_free_records.h"
#include "record/region_layout.h"
#include "record/screen_capturer_win.h"

namespace glimwell {
namespace {

constexpr wchar_t kJpegEncoderId[] = L"{557CF401-1A04-11D3-9A73-0000F81EF32E}";
constexpr wchar_t kPngEncoderId[] = L"{557CF406-1A04-11D3-9A73-0000F81EF32E}";
constexpr wchar_t kQualityParameterId[] = L"{1d5be4b5-fa4a-452d-9cdd-5db35105e7eb}";

// A GDI+ image disposed at the end of the scope.
class ScopedGdipImage {
public:
    ScopedGdipImage() = default;
    ~ScopedGdipImage() {
        if (image_) Gdiplus::DllExports::GdipDisposeImage(image_);
    }
    ScopedGdipImage(const ScopedGdipImage&) = delete;
    ScopedGdipImage& operator=(const ScopedGdipImage&) = delete;
    Gdiplus::GpBitmap** Put() { return &image_; }
    Gdiplus::GpBitmap* Get() const { return image_; }

private:
    Gdiplus::GpBitmap* image_ = nullptr;
};

}  // namespace

void ScreenCapturer::EncodeRegion(const PixelRect& rect) {
    if (!setUp_) return;
    const PixelRect inside{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width_),
                           std::min(rect.bottom, height_)};
    AppendCollisionFreeRecords(inside, LeftAlignmentFor(bitsPerPixel_), output_,
                               [this](const PixelRect& r, Bytes& out) { AppendRecord(r, out); });
}

void ScreenCapturer::AppendRecord(const PixelRect& rect, Bytes& out) {
    if (!rect.HasPixels()) return;
    if (compression_ == CompressionMode::Bitmap) AppendBitmapRecord(rect, out);
    else AppendEncodedRecord(rect, out);
}

void ScreenCapturer::AppendBitmapRecord(const PixelRect& rect, Bytes& out) {
    const auto layout = LayoutRegion(rect, bitsPerPixel_, height_, rowBytes_);
    if (!layout) return;
    AppendRecordHeader(out, rect.left, rect.top);
    AppendBmpHeaders(out, *layout, bitsPerPixel_, palettes_);
    // Rows go straight from the work bitmap, bottom row first, as a bottom-up BMP stores them.
    std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(layout->pixelBytes));
    const std::uint8_t* source = pixels_ + layout->sourceStart;
    for (std::int32_t i = 0; i < layout->height; ++i) {
        std::memcpy(out.data() + at, source, static_cast<std::size_t>(layout->rowBytes));
        at += static_cast<std::size_t>(layout->rowBytes);
        source += rowBytes_;
    }
    out.insert(out.end(), RegionTrailer.begin(), RegionTrailer.end());
}

void ScreenCapturer::AppendEncodedRecord(const PixelRect& rect, Bytes& out) {
    const auto layout = LayoutRegion(rect, bitsPerPixel_, height_, rowBytes_);
    if (!layout) return;

    // The BMP file of the region in the staging block.
    Bytes headers;
    AppendBmpHeaders(headers, *layout, bitsPerPixel_, palettes_);
    const std::size_t pixelOffset = headers.size();
    if (pixelOffset + static_cast<std::size_t>(layout->pixelBytes) > stagingSize_) return;
    std::memcpy(stagingAddress_, headers.data(), headers.size());
    const std::uint8_t* source = pixels_ + layout->sourceStart;
    std::uint8_t* target = stagingAddress_ + pixelOffset;
    for (std::int32_t i = 0; i < layout->height; ++i) {
        std::memcpy(target, source, static_cast<std::size_t>(layout->rowBytes));
        target += layout->rowBytes;
        source += rowBytes_;
    }

    LARGE_INTEGER start{};
    stagingStream_->Seek(start, STREAM_SEEK_SET, nullptr);
    ScopedGdipImage image;
    Gdiplus::DllExports::GdipCreateBitmapFromStream(stagingStream_.Get(), image.Put());

    ComPtr<IStream> encoded;
    CreateStreamOnHGlobal(nullptr, TRUE, encoded.Put());
    const bool jpeg = compression_ == CompressionMode::Jpeg;
    CLSID encoder{};
    CLSIDFromString(jpeg ? kJpegEncoderId : kPngEncoderId, &encoder);
    if (image.Get() && encoded) {
        ULONG quality = static_cast<ULONG>(quality_);
        Gdiplus::EncoderParameters parameters{};
        parameters.Count = 1;
        CLSIDFromString(kQualityParameterId, &parameters.Parameter[0].Guid);
        parameters.Parameter[0].NumberOfValues = 1;
        parameters.Parameter[0].Type = Gdiplus::EncoderParameterValueTypeLong;
        parameters.Parameter[0].Value = &quality;
        Gdiplus::DllExports::GdipSaveImageToStream(image.Get(), encoded.Get(), &encoder,
                                                   jpeg ? &parameters : nullptr);
    }

    // Exactly the bytes the encoder wrote: the stream's block may be larger, and its tail was
    // never written.
    ByteView payload;
    STATSTG stat{};
    HGLOBAL block = nullptr;
    if (encoded && SUCCEEDED(encoded->Stat(&stat, STATFLAG_NONAME)) &&
        SUCCEEDED(GetHGlobalFromStream(encoded.Get(), &block))) {
        const ScopedGlobalLock lock(block);
        if (lock.Data()) {
            const std::size_t size = std::min<std::size_t>(stat.cbSize.QuadPart, GlobalSize(block));
            payload = ByteView(static_cast<const std::uint8_t*>(lock.Data()), size);
            AppendRegionRecord(out, rect.left, rect.top, payload);
            return;
        }
    }
    // Nothing could be encoded: the record stands with an empty payload, which readers skip.
    AppendRegionRecord(out, rect.left, rect.top, {});
}

}  // namespace glimwell
