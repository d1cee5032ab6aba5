// FrameRenderer: draws encoded frames onto the player's canvas, scaled to it, and into a kept
// 24-bit picture of the recorded screen at its own size; repaints of the canvas come from the
// kept picture alone. The canvas's messages reach the renderer through a window subclass whose
// reference data is the renderer.
#pragma once

#include <windows.h>
#include <gdiplus.h>

#include "platform/byte_buffer.h"
#include "play/gdiplus_wrappers_win.h"

namespace glimwell {

class FrameRenderer {
public:
    FrameRenderer() = default;
    ~FrameRenderer() { Detach(); }
    FrameRenderer(const FrameRenderer&) = delete;
    FrameRenderer& operator=(const FrameRenderer&) = delete;

    // Takes the canvas's DC, makes a new black picture of the given size and routes the
    // canvas's messages through CanvasProc. False, with nothing changed, when already attached
    // or the window is null; false, with nothing kept, when a GDI resource cannot be had.
    bool Attach(HWND canvas, int pictureWidth, int pictureHeight, bool stretch,
                Gdiplus::InterpolationMode mode = Gdiplus::InterpolationModeHighQualityBilinear);
    // Gives back the canvas's procedure and every GDI object; nothing when not attached.
    void Detach();
    // Draws each record of one frame on the canvas and into the picture. Frames shorter than a
    // trailer, records without the header marks and payloads that do not decode draw nothing.
    void DrawFrame(ByteView frame);

    bool Attached() const { return attached_; }
    // The memory DC that holds the kept picture (null when not attached).
    HDC PictureDc() const { return pictureDc_; }

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR self);
    LRESULT CanvasProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Paint(HWND window);
    void DrawRecord(ByteView payload, int x, int y, float scaleX, float scaleY);

    HDC canvasDc_ = nullptr;
    HDC pictureDc_ = nullptr;
    HBITMAP picture_ = nullptr;
    HGDIOBJ previousBitmap_ = nullptr;
    bool stretch_ = false;
    HWND canvas_ = nullptr;
    int pictureWidth_ = 0;
    int pictureHeight_ = 0;
    bool attached_ = false;
    void* pixels_ = nullptr;
    AttributesWrapper attributes_;
    Gdiplus::InterpolationMode interpolation_ = Gdiplus::InterpolationModeHighQualityBilinear;
};

}  // namespace glimwell
