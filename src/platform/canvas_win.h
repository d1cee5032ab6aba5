// The canvas control: a child window that shows a picture kept in memory. What it shows is
// an off-screen bitmap of its client size: the background picture, then whatever was drawn
// or written onto it since. Painting copies that bitmap, so a covered canvas repaints itself.
#pragma once

#include <windows.h>

#include <functional>
#include <string_view>

#include "platform/win_handles.h"
#include "platform/window_win.h"

namespace glimwell {

class Canvas : public Window {
public:
    Canvas() = default;
    ~Canvas() override;

    // Makes the canvas as a child of `parent`; place and size in device pixels.
    bool Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle = 0);

    // Takes the picture as the background, drawn unscaled at (0, 0) under everything; what was
    // drawn before is replaced. A null picture leaves the canvas filled with its fill colour.
    void SetBackground(ScopedBitmap picture);
    HBITMAP Background() const { return background_.Get(); }
    // Fill colour where no background picture lies (default: the dialog face colour).
    void SetFillColor(COLORREF color);

    // Writes text onto the picture at the text position, in the text colour, with a
    // transparent background; it stays until the background is replaced or cleared.
    void SetTextPosition(int x, int y);
    void SetTextColor(COLORREF color);
    void SetTextFont(HFONT font);  // not owned; null: the system's GUI font
    void WriteText(std::wstring_view text);

    // Redraws the background over everything drawn so far.
    void Clear();

    // The memory DC of the shown picture, for drawing; call Refresh() when done.
    HDC BufferDc();
    int BufferWidth() const { return bufferWidth_; }
    int BufferHeight() const { return bufferHeight_; }
    void Refresh();

    // The mouse cursor over the canvas, a system cursor id such as IDC_SIZEALL.
    void SetCursorShape(LPCWSTR systemCursor);

    // Called on a left-button press with client coordinates.
    std::function<void(int x, int y)> onLeftButtonDown;

protected:
    void OnSize(int clientWidth, int clientHeight) override;
    void OnPaint(HDC dc, const RECT& area) override;
    void OnLeftButtonDown(int x, int y) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void MakeBuffer(int width, int height);
    void DrawBackground();

    ScopedBitmap background_;
    ScopedMemoryDc bufferDc_;
    ScopedBitmap buffer_;
    HGDIOBJ originalBitmap_ = nullptr;
    int bufferWidth_ = 0;
    int bufferHeight_ = 0;
    COLORREF fill_ = GetSysColor(COLOR_BTNFACE);
    COLORREF textColor_ = RGB(0, 0, 0);
    HFONT textFont_ = nullptr;
    POINT textPosition_{0, 0};
    HCURSOR cursor_ = LoadCursorW(nullptr, IDC_ARROW);
};

}  // namespace glimwell
