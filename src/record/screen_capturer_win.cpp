// Set-up and tear-down of the screen capturer, its small settings operations, following the
// input desktop and grabbing the whole screen.
#include "record/screen_capturer_win.h"

#include <array>
#include <cstring>

#include "record/capture_settings.h"
#include "record/row_random.h"

namespace glimwell {
namespace {

// Header plus the largest colour table (256 entries).
constexpr std::size_t kBitmapInfoBytes = sizeof(BITMAPINFOHEADER) + 1024;
// Room for the BMP headers and the largest colour table in front of a full screen of pixels.
constexpr std::size_t kStagingSlack = 10240;

}  // namespace

bool ScreenCapturer::Setup(std::int32_t bitsPerPixel, std::int32_t rowStep, bool captureLayered,
                           std::optional<std::int32_t> quality, std::int32_t compressionMode) {
    if (setUp_) return false;
    quality_ = NormalizeQuality(quality);
    const std::int32_t bits = NormalizeBitsPerPixel(bitsPerPixel);
    compression_ = NormalizeCompression(compressionMode);
    SeedRowRandom(kRowRandomSeed);
    SetCaptureLayered(captureLayered);

    height_ = GetSystemMetrics(SM_CYVIRTUALSCREEN);
    width_ = GetSystemMetrics(SM_CXVIRTUALSCREEN);
    if (height_ == 0 || width_ == 0) return false;
    if (!AcquireDesktopDc()) return false;
    blockBytes_ = BlockBytesFor(bits);
    bitsPerPixel_ = bits;
    rowBytes_ = RowBytesFor(width_, bits);

    memoryDc_.Reset(CreateCompatibleDC(DesktopDc()));
    if (!memoryDc_) {
        ReleaseDesktopDc();
        return false;
    }

    alignas(BITMAPINFO) std::array<std::uint8_t, kBitmapInfoBytes> info{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width_;
    header.biHeight = 2 * height_ + 1;  // positive: rows stored bottom-up
    header.biPlanes = 1;
    header.biBitCount = static_cast<WORD>(bits);
    header.biCompression = BI_RGB;
    std::memcpy(info.data(), &header, sizeof header);
    LoadPalettes();
    const ByteView table = palettes_.TableFor(bits);
    std::memcpy(info.data() + sizeof header, table.data(), table.size());

    void* pixels = nullptr;
    workBitmap_.Reset(CreateDIBSection(memoryDc_.Get(), reinterpret_cast<const BITMAPINFO*>(info.data()),
                                       DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!workBitmap_) {
        memoryDc_.Reset();
        ReleaseDesktopDc();
        return false;
    }
    pixels_ = static_cast<std::uint8_t*>(pixels);
    workBitmapSelection_.emplace(memoryDc_.Get(), workBitmap_.Get());

    referenceRow_.assign(static_cast<std::size_t>(rowBytes_), 0);
    freshRow_.assign(static_cast<std::size_t>(rowBytes_), 0);
    rowStep_ = NormalizeRowStep(rowStep);

    // Room for twice a full screen at 32 bits per pixel, whatever the depth, so that an
    // ordinary frame never reallocates; a frame that needs more makes it grow.
    const std::size_t fullScreen = 4 * static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_);
    output_.clear();
    output_.reserve(2 * fullScreen);

    stagingSize_ = fullScreen + kStagingSlack;
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, stagingSize_);
    if (block && FAILED(CreateStreamOnHGlobal(block, TRUE, stagingStream_.Put()))) GlobalFree(block);
    if (stagingStream_) {
        stagingLock_.emplace(block);
        stagingAddress_ = static_cast<std::uint8_t*>(stagingLock_->Data());
    }
    setUp_ = true;
    if (!stagingAddress_) {
        // Without the staging block no JPEG or PNG region could be encoded.
        Teardown();
        return false;
    }
    return true;
}

void ScreenCapturer::Teardown() {
    if (!setUp_) return;
    setUp_ = false;
    // The bitmap must leave the memory DC before it can be deleted.
    workBitmapSelection_.reset();
    workBitmap_.Reset();
    pixels_ = nullptr;
    memoryDc_.Reset();
    ReleaseDesktopDc();
    stagingLock_.reset();
    stagingAddress_ = nullptr;
    stagingStream_.Reset();
}

void ScreenCapturer::Destroy() {
    Teardown();
    Bytes().swap(referenceRow_);
    Bytes().swap(freshRow_);
    Bytes().swap(output_);
    palettes_ = Palettes{};
}

void ScreenCapturer::SetCaptureLayered(bool captureLayered) {
    rasterOperation_ = captureLayered ? (SRCCOPY | CAPTUREBLT) : SRCCOPY;
}

void ScreenCapturer::SetQuality(std::int32_t quality) { quality_ = NormalizeQuality(quality); }

void ScreenCapturer::SetCompression(std::int32_t mode) {
    if (IsCompressionMode(mode)) compression_ = static_cast<CompressionMode>(mode);
}

void ScreenCapturer::LoadPalettes() { palettes_ = MakePalettes(); }

bool ScreenCapturer::AcquireDesktopDc() {
    desktopWindow_ = GetDesktopWindow();
    desktopDc_.emplace(desktopWindow_);
    if (*desktopDc_) return true;
    desktopDc_.reset();
    return false;
}

void ScreenCapturer::ReleaseDesktopDc() {
    desktopDc_.reset();
    desktopWindow_ = nullptr;
}

void ScreenCapturer::FollowInputDesktop() {
    // Names are compared as whole zero-filled buffers of 256 bytes.
    std::array<wchar_t, 128> threadName{}, inputName{};
    const ScopedDesktop threadDesktop(GetThreadDesktop(GetCurrentThreadId()));
    GetUserObjectInformationW(threadDesktop.Get(), UOI_NAME, threadName.data(), sizeof threadName, nullptr);
    const ScopedDesktop inputDesktop(OpenInputDesktop(0, FALSE, MAXIMUM_ALLOWED));
    GetUserObjectInformationW(inputDesktop.Get(), UOI_NAME, inputName.data(), sizeof inputName, nullptr);
    if (threadName != inputName) {
        SetThreadDesktop(inputDesktop.Get());
        ReleaseDesktopDc();
        AcquireDesktopDc();
    }
}

void ScreenCapturer::GrabScreen(const PixelRect& rect, std::int32_t bitmapX, std::int32_t bitmapY) {
    BitBlt(memoryDc_.Get(), bitmapX, bitmapY, rect.Width(), rect.Height(), DesktopDc(), rect.left, rect.top,
           rasterOperation_);
}

Bytes ScreenCapturer::CaptureWholeScreen() {
    if (!setUp_) return {};
    const PixelRect screen{0, 0, width_, height_};
    GrabScreen(screen, 0, 1);
    GdiFlush();
    ResetOutput();
    EncodeRegion(screen);
    return output_;
}

}  // namespace glimwell
