// Canvas control: off-screen picture, background, text output.
#include "platform/canvas_win.h"

#include <algorithm>
#include <utility>

namespace glimwell {

namespace {
constexpr wchar_t kCanvasClass[] = L"GlimwellCanvas";
}

Canvas::~Canvas() {
    // The bitmap must leave the DC before either is released.
    if (bufferDc_ && originalBitmap_) SelectObject(bufferDc_.Get(), originalBitmap_);
}

bool Canvas::Create(HWND parent, int id, int x, int y, int width, int height, DWORD extraStyle) {
    WindowOptions options;
    options.className = kCanvasClass;
    options.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | extraStyle;
    options.x = x;
    options.y = y;
    options.width = width;
    options.height = height;
    options.parent = parent;
    options.menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
    options.background = nullptr;  // the buffer covers the whole client area
    if (!CreateWindowFrom(options)) return false;
    if (!bufferDc_) MakeBuffer(std::max(width, 1), std::max(height, 1));
    return true;
}

void Canvas::MakeBuffer(int width, int height) {
    ScopedGetDc screen(nullptr);
    ScopedMemoryDc dc(CreateCompatibleDC(screen.Get()));
    ScopedBitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!dc || !bitmap) return;
    HGDIOBJ original = SelectObject(dc.Get(), bitmap.Get());
    RECT all{0, 0, width, height};
    ScopedBrush fill(CreateSolidBrush(fill_));
    FillRect(dc.Get(), &all, fill.Get());
    if (background_) {
        ScopedMemoryDc source(CreateCompatibleDC(screen.Get()));
        ScopedSelectObject select(source.Get(), background_.Get());
        BITMAP info{};
        GetObjectW(background_.Get(), sizeof info, &info);
        BitBlt(dc.Get(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    }
    if (bufferDc_) {  // keep what was drawn on the old buffer
        BitBlt(dc.Get(), 0, 0, bufferWidth_, bufferHeight_, bufferDc_.Get(), 0, 0, SRCCOPY);
        SelectObject(bufferDc_.Get(), originalBitmap_);
    }
    bufferDc_ = std::move(dc);
    buffer_ = std::move(bitmap);
    originalBitmap_ = original;
    bufferWidth_ = width;
    bufferHeight_ = height;
}

void Canvas::DrawBackground() {
    if (!bufferDc_) return;
    RECT all{0, 0, bufferWidth_, bufferHeight_};
    ScopedBrush fill(CreateSolidBrush(fill_));
    FillRect(bufferDc_.Get(), &all, fill.Get());
    if (background_) {
        ScopedMemoryDc source(CreateCompatibleDC(bufferDc_.Get()));
        ScopedSelectObject select(source.Get(), background_.Get());
        BITMAP info{};
        GetObjectW(background_.Get(), sizeof info, &info);
        BitBlt(bufferDc_.Get(), 0, 0, info.bmWidth, info.bmHeight, source.Get(), 0, 0, SRCCOPY);
    }
    Refresh();
}

void Canvas::SetBackground(ScopedBitmap picture) {
    background_ = std::move(picture);
    DrawBackground();
}

void Canvas::SetFillColor(COLORREF color) {
    fill_ = color;
    DrawBackground();
}

void Canvas::SetTextPosition(int x, int y) { textPosition_ = {x, y}; }
void Canvas::SetTextColor(COLORREF color) { textColor_ = color; }
void Canvas::SetTextFont(HFONT font) { textFont_ = font; }

void Canvas::WriteText(std::wstring_view text) {
    if (!bufferDc_ || text.empty()) return;
    HDC dc = bufferDc_.Get();
    ScopedSelectObject font(dc, textFont_ ? static_cast<HGDIOBJ>(textFont_) : GetStockObject(DEFAULT_GUI_FONT));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(dc, textColor_);
    TextOutW(dc, textPosition_.x, textPosition_.y, text.data(), static_cast<int>(text.size()));
    ::SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    Refresh();
}

void Canvas::Clear() { DrawBackground(); }

HDC Canvas::BufferDc() { return bufferDc_.Get(); }

void Canvas::Refresh() {
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void Canvas::SetCursorShape(LPCWSTR systemCursor) { cursor_ = LoadCursorW(nullptr, systemCursor); }

void Canvas::OnSize(int clientWidth, int clientHeight) {
    if (clientWidth > 0 && clientHeight > 0 && (clientWidth != bufferWidth_ || clientHeight != bufferHeight_))
        MakeBuffer(clientWidth, clientHeight);
}

void Canvas::OnPaint(HDC dc, const RECT& area) {
    if (!bufferDc_) return;
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, bufferDc_.Get(), area.left,
           area.top, SRCCOPY);
}

void Canvas::OnLeftButtonDown(int x, int y) {
    if (onLeftButtonDown) onLeftButtonDown(x, y);
}

bool Canvas::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_SETCURSOR && LOWORD(lParam) == HTCLIENT) {
        SetCursor(cursor_);
        result = TRUE;
        return true;
    }
    if (message == WM_ERASEBKGND) {  // painting covers everything
        result = 1;
        return true;
    }
    return false;
}

}  // namespace glimwell
