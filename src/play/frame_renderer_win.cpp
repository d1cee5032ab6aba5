// FrameRenderer: GDI+ draws through the image helpers; the canvas subclass paints from the
// kept picture (a scaled clone of the painted area, or a plain BitBlt without stretch).
#include "play/frame_renderer_win.h"

#include <commctrl.h>

#include <utility>

#include "play/frame_splitter.h"
#include "platform/win_handles.h"

namespace glimwell {

namespace {

constexpr UINT_PTR kSubclassId = 0x474C4652;  // one renderer subclass per canvas

}  // namespace

bool FrameRenderer::Attach(HWND canvas, int pictureWidth, int pictureHeight, bool stretch,
                           Gdiplus::InterpolationMode mode) {
    if (attached_ || !canvas) return false;
    interpolation_ = mode;
    canvas_ = canvas;
    pictureWidth_ = pictureWidth;
    pictureHeight_ = pictureHeight;
    stretch_ = stretch;
    canvasDc_ = GetDC(canvas);
    if (canvasDc_) pictureDc_ = CreateCompatibleDC(canvasDc_);
    if (pictureDc_) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = pictureWidth;
        info.bmiHeader.biHeight = pictureHeight;  // bottom-up rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        info.bmiHeader.biCompression = BI_RGB;
        picture_ = CreateDIBSection(canvasDc_, &info, DIB_RGB_COLORS, &pixels_, nullptr, 0);  // zero-filled: black
    }
    if (!picture_ || !SetWindowSubclass(canvas, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        attached_ = true;  // lets Detach release the part that was made
        Detach();
        return false;
    }
    previousBitmap_ = SelectObject(pictureDc_, picture_);
    attached_ = true;
    attributes_.Create();
    return true;
}

void FrameRenderer::Detach() {
    if (!attached_) return;
    attached_ = false;
    RemoveWindowSubclass(canvas_, SubclassProc, kSubclassId);
    if (canvasDc_) ReleaseDC(canvas_, std::exchange(canvasDc_, nullptr));
    if (pictureDc_ && previousBitmap_) SelectObject(pictureDc_, std::exchange(previousBitmap_, nullptr));
    if (picture_) DeleteObject(std::exchange(picture_, nullptr));
    if (pictureDc_) DeleteDC(std::exchange(pictureDc_, nullptr));
    canvas_ = nullptr;
    pictureWidth_ = pictureHeight_ = 0;
    pixels_ = nullptr;
}

void FrameRenderer::DrawFrame(ByteView frame) {
    if (!attached_ || frame.size() < RegionTrailer.size()) return;
    try {
        const std::vector<DecodedRecord> records = ReadRecords(frame);
        RECT rect{};
        GetWindowRect(canvas_, &rect);
        const float scaleX = static_cast<float>(rect.right - rect.left) / static_cast<float>(pictureWidth_);
        const float scaleY = static_cast<float>(rect.bottom - rect.top) / static_cast<float>(pictureHeight_);
        for (const DecodedRecord& record : records) DrawRecord(record.payload, record.x, record.y, scaleX, scaleY);
    } catch (const std::exception&) {
        // Out of memory for the list of records: the frame is skipped like an undecodable one.
    }
}

void FrameRenderer::DrawRecord(ByteView payload, int x, int y, float scaleX, float scaleY) {
    ImageWrapper image;
    if (!image.LoadFromBytes(payload)) return;
    const auto w = static_cast<float>(image.Width());
    const auto h = static_cast<float>(image.Height());
    const auto fx = static_cast<float>(x);
    const auto fy = static_cast<float>(y);
    {
        GraphicsWrapper canvas;
        canvas.FromHDC(canvasDc_);
        canvas.SetInterpolationMode(interpolation_);
        if (stretch_)
            canvas.DrawImageRectRect(image, fx * scaleX, fy * scaleY, w * scaleX, h * scaleY, 0, 0, w, h, attributes_);
        else
            canvas.DrawImageRectRect(image, fx, fy, w, h, 0, 0, w, h, attributes_);
    }
    {
        GraphicsWrapper picture;
        picture.FromHDC(pictureDc_);
        picture.SetInterpolationMode(interpolation_);
        picture.DrawImageRectRect(image, fx, fy, w, h, 0, 0, w, h, attributes_);
    }
    image.Dispose();
    GdiFlush();
}

LRESULT CALLBACK FrameRenderer::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR self) {
    try {
        return reinterpret_cast<FrameRenderer*>(self)->CanvasProc(window, message, wParam, lParam);
    } catch (...) {
        return DefSubclassProc(window, message, wParam, lParam);
    }
}

LRESULT FrameRenderer::CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The canvas goes away while attached: give everything back before its handle dies.
        Detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    if (message != WM_PAINT || !attached_) return DefSubclassProc(window, message, wParam, lParam);
    Paint(window);
    return 0;
}

void FrameRenderer::Paint(HWND window) {
    // BeginPaint and EndPaint only validate; drawing goes to the canvas DC held since Attach.
    ScopedPaint paint(window);
    const RECT area = paint.Area();
    if (stretch_) {
        RECT rect{};
        GetWindowRect(canvas_, &rect);
        const auto canvasWidth = static_cast<float>(rect.right - rect.left);
        const auto canvasHeight = static_cast<float>(rect.bottom - rect.top);
        if (canvasWidth > 0 && canvasHeight > 0) {
            const float srcX = area.left / canvasWidth * pictureWidth_;
            const float srcY = area.top / canvasHeight * pictureHeight_;
            const float srcWidth = (area.right - area.left) / canvasWidth * pictureWidth_;
            const float srcHeight = (area.bottom - area.top) / canvasHeight * pictureHeight_;
            GdiFlush();
            BitmapWrapper whole;
            BitmapWrapper part;
            if (whole.FromHBitmap(picture_) &&
                whole.CloneArea(srcX, srcY, srcWidth, srcHeight, PixelFormat24bppRGB, part)) {
                GraphicsWrapper graphics;
                graphics.FromHDC(canvasDc_);
                graphics.SetInterpolationMode(interpolation_);
                graphics.DrawImageRectRect(part, static_cast<float>(area.left), static_cast<float>(area.top),
                                           static_cast<float>(area.right - area.left),
                                           static_cast<float>(area.bottom - area.top), 0, 0, srcWidth, srcHeight,
                                           attributes_);
            }
        }
    } else {
        BitBlt(canvasDc_, area.left, area.top, area.right - area.left, area.bottom - area.top, pictureDc_, area.left,
               area.top, SRCCOPY);
    }
    GdiFlush();
}

}  // namespace glimwell
