// One frame per tick: sample rows of the screen, find the changed rectangles, grab and encode
// them, then erase the cursor at its old place and draw it at its new one. The reference
// picture never holds the cursor; it is drawn only into the outgoing record.
#include <windows.h>

#include <cstring>

#include "record/change_detection.h"
#include "record/screen_capturer_win.h"

namespace glimwell {

void ScreenCapturer::ReadCursorShape(HCURSOR cursor) {
    ICONINFO info{};
    if (!cursor || !GetIconInfo(cursor, &info)) return;
    cursorHotSpot_ = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
    BITMAP image{};
    if (info.hbmColor && GetObjectW(info.hbmColor, sizeof image, &image)) {
        cursorSide_ = {CursorSquareSide(image.bmWidth), CursorSquareSide(image.bmHeight)};
    } else if (info.hbmMask && GetObjectW(info.hbmMask, sizeof image, &image)) {
        // A monochrome cursor's mask holds the AND and the XOR image one above the other.
        cursorSide_ = {CursorSquareSide(image.bmWidth), CursorSquareSide(image.bmHeight / 2)};
    }
    if (info.hbmMask) DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
}

Bytes ScreenCapturer::CaptureFrame() {
    const std::int32_t firstRow = DrawFirstRow(rowStep_);
    if (!setUp_) return {};
    FollowInputDesktop();

    for (std::int32_t y = firstRow; y < height_; y += rowStep_) GrabScreen({0, y, width_, y + 1}, 0, y + height_ + 1);
    GdiFlush();

    const SampleGeometry geometry{width_, height_, rowStep_, blockBytes_};
    const std::size_t rowSize = static_cast<std::size_t>(rowBytes_);
    auto rowStart = [this](std::int32_t topDownRow) {
        return pixels_ + static_cast<std::size_t>(2 * height_ - topDownRow) * static_cast<std::size_t>(rowBytes_);
    };
    const std::vector<PixelRect> regions = FindDirtyRegions(firstRow, geometry, [&](std::int32_t y) {
        std::memcpy(freshRow_.data(), rowStart(y + height_ + 1), rowSize);
        std::memcpy(referenceRow_.data(), rowStart(y + 1), rowSize);
        return std::pair<ByteView, ByteView>(freshRow_, referenceRow_);
    });

    CURSORINFO cursorInfo{};
    cursorInfo.cbSize = sizeof cursorInfo;
    GetCursorInfo(&cursorInfo);
    ReadCursorShape(cursorInfo.hCursor);
    currentCursor_ = {cursorInfo.ptScreenPos.x - cursorHotSpot_.x, cursorInfo.ptScreenPos.y - cursorHotSpot_.y,
                      cursorSide_.x, cursorSide_.y};
    const CursorSquare now = currentCursor_;
    const CursorSquare last = lastCursor_;

    bool oldCursorCovered = false;
    bool newCursorNear = false;
    for (const PixelRect& region : regions) {
        if (SquareInside(last, region)) oldCursorCovered = true;
        if (SquareNear(now, region)) newCursorNear = true;
        if (region.HasPixels()) GrabScreen(region, region.left, region.top + 1);
    }
    GdiFlush();

    ResetOutput();
    for (const PixelRect& region : regions) EncodeRegion(region);

    // A different place, or a different square size at the same place, leaves the old cursor
    // behind in the player's picture unless a region already covered it.
    const bool moved = !(last == now);
    if (!oldCursorCovered && moved) {
        const PixelRect erase = CursorRegion(last, width_, height_, bitsPerPixel_);
        if (erase.HasPixels()) {
            GrabScreen(erase, erase.left, erase.top + 1);
            GdiFlush();
            EncodeRegion(erase);
        }
    }

    if (newCursorNear || moved || cursorInfo.hCursor != lastCursorHandle_) {
        // The background under the square is parked in the sample area while the cursor is drawn
        // into the reference picture for one record, then put back.
        const PixelRect square = CursorRegion(now, width_, height_, bitsPerPixel_);
        HDC memory = memoryDc_.Get();
        if (square.HasPixels())
            BitBlt(memory, square.left, square.top + height_ + 1, square.Width(), square.Height(), memory, square.left,
                   square.top + 1, SRCCOPY);
        // Drawn at the image's own size: the same as DrawIcon for the 32 x 32 cursors of 96 DPI,
        // and whole for the larger cursors of higher resolutions.
        if (cursorInfo.hCursor) DrawIconEx(memory, now.x, now.y + 1, cursorInfo.hCursor, 0, 0, 0, nullptr, DI_NORMAL);
        GdiFlush();
        lastCursor_ = now;
        lastCursorHandle_ = cursorInfo.hCursor;
        EncodeRegion(square);
        if (square.HasPixels())
            BitBlt(memory, square.left, square.top + 1, square.Width(), square.Height(), memory, square.left,
                   square.top + height_ + 1, SRCCOPY);
        GdiFlush();
    }
    return output_;
}

}  // namespace glimwell
