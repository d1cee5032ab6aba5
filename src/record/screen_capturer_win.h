// The screen capturer: grabs the desktop into a work bitmap, finds what changed since the last
// frame and encodes it as region records. One instance lives as long as the program; every
// recording runs one Setup ... Teardown cycle and calls CaptureFrame once per tick.
#pragma once

#include <windows.h>
#include <objidl.h>

#include <cstdint>
#include <optional>

#include "platform/byte_buffer.h"
#include "platform/win_handles.h"
#include "record/cursor_square.h"
#include "record/frame_format.h"
#include "record/palettes.h"
#include "record/pixel_rect.h"

namespace glimwell {

class ScreenCapturer {
public:
    ScreenCapturer() = default;
    ~ScreenCapturer() { Destroy(); }
    ScreenCapturer(const ScreenCapturer&) = delete;
    ScreenCapturer& operator=(const ScreenCapturer&) = delete;

    // Prepares a recording of the whole screen. Out-of-range options fall back to defaults
    // (quality 30, depth 8, mode Png, row step 17). False when already set up (nothing
    // changes then) or when the screen or its device contexts cannot be had.
    bool Setup(std::int32_t bitsPerPixel, std::int32_t rowStep, bool captureLayered,
               std::optional<std::int32_t> quality, std::int32_t compressionMode);
    // Releases the device contexts, the work bitmap and the staging memory; may run twice.
    void Teardown();
    // Teardown, then frees the buffers too.
    void Destroy();

    // One encoded frame: what changed since the previous call, then the cursor records.
    // Empty when not set up or when nothing changed.
    Bytes CaptureFrame();
    // Appends the record(s) of one rectangle of the reference picture to the frame being
    // assembled. Nothing for a rectangle without pixels; parts outside the screen are cut off.
    void EncodeRegion(const PixelRect& rect);
    // A frame with the whole screen as one record; the cursor is neither drawn nor tracked.
    Bytes CaptureWholeScreen();

    void SetCaptureLayered(bool captureLayered);
    // Quality 0..100; other values store 30.
    void SetQuality(std::int32_t quality);
    // 1, 2 or 3; other values change nothing.
    void SetCompression(std::int32_t mode);
    // Moves this thread to the desktop that receives input when that has changed (a secure
    // desktop, a switched session), and takes the screen's device context anew.
    void FollowInputDesktop();
    void LoadPalettes();

    bool IsSetUp() const { return setUp_; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::int32_t BitsPerPixel() const { return bitsPerPixel_; }
    std::int32_t RowBytes() const { return rowBytes_; }
    std::int32_t BlockBytes() const { return blockBytes_; }
    std::int32_t RowStep() const { return rowStep_; }
    std::int32_t Quality() const { return quality_; }
    CompressionMode Compression() const { return compression_; }
    DWORD RasterOperation() const { return rasterOperation_; }
    const Palettes& CurrentPalettes() const { return palettes_; }
    const CursorSquare& LastCursorSquare() const { return lastCursor_; }
    // The frame assembled so far, and starting a new one.
    ByteView Output() const { return output_; }
    void ResetOutput() { output_.clear(); }
    // The work bitmap's pixels: 2H + 1 rows of RowBytes(), bottom-up; top-down row k starts at
    // (2H - k) * RowBytes(). Screen row y of the reference picture is row y + 1.
    const std::uint8_t* WorkPixels() const { return pixels_; }

private:
    // One record for a rectangle inside the screen, in the current mode.
    void AppendRecord(const PixelRect& rect, Bytes& out);
    void AppendBitmapRecord(const PixelRect& rect, Bytes& out);
    void AppendEncodedRecord(const PixelRect& rect, Bytes& out);
    // Reads the hot spot and size of a cursor's image; keeps the previous ones when it cannot.
    void ReadCursorShape(HCURSOR cursor);
    void ReleaseDesktopDc();
    bool AcquireDesktopDc();
    HDC DesktopDc() const { return desktopDc_ ? desktopDc_->Get() : nullptr; }
    // Copies a screen rectangle into the work bitmap at (x, y) of the bitmap.
    void GrabScreen(const PixelRect& rect, std::int32_t bitmapX, std::int32_t bitmapY);

    std::optional<ScopedGetDc> desktopDc_;
    std::int32_t height_ = 0;
    std::int32_t width_ = 0;
    std::int32_t blockBytes_ = 0;
    std::int32_t bitsPerPixel_ = 0;
    std::int32_t rowBytes_ = 0;
    ScopedMemoryDc memoryDc_;
    ScopedBitmap workBitmap_;
    std::optional<ScopedSelectObject> workBitmapSelection_;
    std::uint8_t* pixels_ = nullptr;
    Bytes referenceRow_;
    Bytes freshRow_;
    Palettes palettes_;
    // The cursor square as last sent (at {0, 0} before the first), and the cursor drawn in it;
    // both carry over from one recording to the next.
    CursorSquare lastCursor_;
    HCURSOR lastCursorHandle_ = nullptr;
    // Hot spot and square side of the current cursor, kept when its shape cannot be read.
    POINT cursorHotSpot_{0, 0};
    POINT cursorSide_{kCursorSquareSide, kCursorSquareSide};
    CursorSquare currentCursor_;
    std::int32_t rowStep_ = 0;
    DWORD rasterOperation_ = SRCCOPY;
    bool setUp_ = false;
    HWND desktopWindow_ = nullptr;
    std::int32_t quality_ = 0;
    // Where a frame's records are assembled; it grows when a frame needs more room.
    Bytes output_;
    CompressionMode compression_ = CompressionMode::Png;
    // A fixed block big enough for the BMP file of any rectangle of the screen, reused by every
    // JPEG and PNG encoding; the stream over it owns the block.
    ComPtr<IStream> stagingStream_;
    std::optional<ScopedGlobalLock> stagingLock_;
    std::uint8_t* stagingAddress_ = nullptr;
    std::size_t stagingSize_ = 0;
};

}  // namespace glimwell
