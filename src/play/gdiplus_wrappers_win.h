// Owners of single GDI+ objects for one draw: a graphics surface on a device context, an image
// loaded from bytes, a bitmap, and image attributes. Every GDI+ call made through them stores
// its status for LastGdiplusStatus() and reports success as true. Release operations may run
// twice; the destructors run them.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "platform/byte_buffer.h"
#include "play/hglobal_stream_win.h"

namespace glimwell {

// The status of the last GDI+ call made through any wrapper (0: Ok). GUI thread only.
Gdiplus::Status LastGdiplusStatus();

class AttributesWrapper;
class BitmapWrapper;
class ImageWrapper;

// Each wrapper keeps the object it owns and a handle that draws use; both are the same object
// unless SetHandle points the handle elsewhere (the wrapper then still releases only its own).
class GraphicsWrapper {
public:
    GraphicsWrapper() = default;
    ~GraphicsWrapper() { Delete(); }
    GraphicsWrapper(const GraphicsWrapper&) = delete;
    GraphicsWrapper& operator=(const GraphicsWrapper&) = delete;

    Gdiplus::GpGraphics* GetHandle() const { return handle_; }
    void SetHandle(Gdiplus::GpGraphics* handle) { handle_ = handle; }
    bool Delete();
    bool FromHDC(HDC dc);
    bool SetInterpolationMode(Gdiplus::InterpolationMode mode);
    bool DrawImageRectRect(const ImageWrapper& image, float dstX, float dstY, float dstWidth, float dstHeight,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           const AttributesWrapper& attributes, Gdiplus::Unit unit = Gdiplus::UnitPixel);
    bool DrawImageRectRect(const BitmapWrapper& image, float dstX, float dstY, float dstWidth, float dstHeight,
                           float srcX, float srcY, float srcWidth, float srcHeight,
                           const AttributesWrapper& attributes, Gdiplus::Unit unit = Gdiplus::UnitPixel);

private:
    bool Draw(Gdiplus::GpImage* image, float dstX, float dstY, float dstWidth, float dstHeight, float srcX, float srcY,
              float srcWidth, float srcHeight, const AttributesWrapper& attributes, Gdiplus::Unit unit);

    Gdiplus::GpGraphics* handle_ = nullptr;
    Gdiplus::GpGraphics* native_ = nullptr;
};

class ImageWrapper {
public:
    ImageWrapper() = default;
    ~ImageWrapper() { Dispose(); }
    ImageWrapper(const ImageWrapper&) = delete;
    ImageWrapper& operator=(const ImageWrapper&) = delete;

    Gdiplus::GpImage* GetHandle() const { return handle_; }
    void SetHandle(Gdiplus::GpImage* handle) { handle_ = handle; }
    // Disposes the image, then releases the stream it was read from.
    bool Dispose();
    // Loads an image file (any format the GDI+ decoders read) from a copy of `bytes`. An image
    // whose header claims more pixels than any screen holds is refused before GDI+ would try
    // to allocate them.
    bool LoadFromBytes(ByteView bytes);
    UINT Width() const;
    UINT Height() const;

private:
    Gdiplus::GpImage* handle_ = nullptr;
    Gdiplus::GpImage* native_ = nullptr;
    HGlobalStream stream_;  // must outlive the image, which reads from it lazily
};

class BitmapWrapper {
public:
    BitmapWrapper() = default;
    ~BitmapWrapper() { Dispose(); }
    BitmapWrapper(const BitmapWrapper&) = delete;
    BitmapWrapper& operator=(const BitmapWrapper&) = delete;

    Gdiplus::GpBitmap* GetHandle() const { return handle_; }
    void SetHandle(Gdiplus::GpBitmap* handle) { handle_ = handle; }
    bool Dispose();
    bool FromHBitmap(HBITMAP bitmap, HPALETTE palette = nullptr);
    // Copies an area of this bitmap, in `format`, into `target`, which gives up what it held.
    bool CloneArea(float x, float y, float width, float height, Gdiplus::PixelFormat format, BitmapWrapper& target) const;

private:
    void Adopt(Gdiplus::GpBitmap* bitmap);

    Gdiplus::GpBitmap* handle_ = nullptr;
    Gdiplus::GpBitmap* native_ = nullptr;
};

class AttributesWrapper {
public:
    AttributesWrapper() = default;
    ~AttributesWrapper() { Dispose(); }
    AttributesWrapper(const AttributesWrapper&) = delete;
    AttributesWrapper& operator=(const AttributesWrapper&) = delete;

    Gdiplus::GpImageAttributes* GetHandle() const { return handle_; }
    void SetHandle(Gdiplus::GpImageAttributes* handle) { handle_ = handle; }
    bool Dispose();
    bool Create();

private:
    Gdiplus::GpImageAttributes* handle_ = nullptr;
    Gdiplus::GpImageAttributes* native_ = nullptr;
};

}  // namespace glimwell
