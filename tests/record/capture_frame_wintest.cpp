// CaptureFrame against the real screen under Wine: still screens, repainted windows and the
// mouse cursor. Wine reports a cursor handle only to the thread of the foreground window, so
// the cursor tests make their window the foreground one.
#include "record/screen_capturer_win.h"

#include <gtest/gtest.h>

#include "screen_fixture_win.h"

namespace glimwell {
namespace {

using namespace testing_support;

class CaptureFrameTest : public GdiplusTest {};

Picture Filled(int w, int h, std::uint32_t base) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) p.At(x, y) = base ^ static_cast<std::uint32_t>((x / 8 + y / 8) % 2 ? 0x202020 : 0);
    return p;
}

// Captures frames until `quiet` empty ones come in a row; false if that never happens.
bool CaptureUntilQuiet(ScreenCapturer& capturer, std::vector<Bytes>& frames, int quiet = 16, int limit = 120) {
    int emptyInARow = 0;
    for (int i = 0; i < limit && emptyInARow < quiet; ++i) {
        frames.push_back(capturer.CaptureFrame());
        emptyInARow = frames.back().empty() ? emptyInARow + 1 : 0;
    }
    return emptyInARow >= quiet;
}

Picture Rebuild(const std::vector<Bytes>& frames, int w, int h) {
    Picture picture(w, h);
    for (const Bytes& frame : frames) ApplyFrame(picture, frame);
    return picture;
}

RECT ToRect(const PixelRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Pixels of the reference picture, which must never hold the cursor.
Picture ReferencePicture(const ScreenCapturer& capturer) {
    const int w = capturer.Width(), h = capturer.Height();
    Picture p(w, h);
    for (int y = 0; y < h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            capturer.WorkPixels() + static_cast<std::size_t>(2 * h - (y + 1)) * capturer.RowBytes());
        for (int x = 0; x < w; ++x) p.At(x, y) = row[x] & 0xFFFFFF;
    }
    return p;
}

TEST_F(CaptureFrameTest, StillScreenIsQuietAndRepaintsRebuildTheScreen) {
    PictureWindow window(200, 150, Filled(320, 240, 0x3060A0));
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 2));
    const int w = capturer.Width(), h = capturer.Height();
    std::vector<Bytes> frames;
    ASSERT_TRUE(CaptureUntilQuiet(capturer, frames));
    EXPECT_FALSE(frames.front().empty());
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(capturer.CaptureFrame().empty());

    window.Show(Filled(320, 240, 0xC04010));
    const std::size_t before = frames.size();
    ASSERT_TRUE(CaptureUntilQuiet(capturer, frames));
    EXPECT_FALSE(frames[before].empty());
    for (const DecodedRecord& r : ReadFrameRecords(frames[before])) EXPECT_EQ(r.x % 16, 0);

    const Picture screen = GrabScreenDirectly(w, h);
    Picture rebuilt = Rebuild(frames, w, h);
    // The player's picture differs from the screen only by the cursor where it was last sent.
    const PixelRect cursor = CursorRegion(capturer.LastCursorSquare(), w, h, 32);
    for (int y = cursor.top; y < cursor.bottom; ++y)
        for (int x = cursor.left; x < cursor.right; ++x) rebuilt.At(x, y) = screen.At(x, y);
    EXPECT_EQ(CountDifferences(rebuilt, screen, {0, 0, w, h}), 0);
    EXPECT_EQ(CountDifferences(ReferencePicture(capturer), screen, {0, 0, w, h}), 0);
}

TEST_F(CaptureFrameTest, CursorIsErasedAndDrawnButNeverKeptInTheReference) {
    ScreenCapturer capturer;
    ASSERT_TRUE(capturer.Setup(32, 15, false, 90, 3));
    const int w = capturer.Width(), h = capturer.Height();
    PictureWindow window(0, 0, Filled(w, h, 0x507090));
    SetForegroundWindow(window.Handle());
    SetCursorPos(400, 300);
    PumpMessages(200);
    std::vector<Bytes> frames;
    ASSERT_TRUE(CaptureUntilQuiet(capturer, frames));
    const CursorSquare first = capturer.LastCursorSquare();

    // Only the pointer moves: the erase square at the old place, then the cursor at the new one.
    SetCursorPos(700, 520);
    PumpMessages(150);
    frames.push_back(capturer.CaptureFrame());
    const CursorSquare second = capturer.LastCursorSquare();
    EXPECT_EQ(second.x - first.x, 300);
    EXPECT_EQ(second.y - first.y, 220);
    {
        const auto records = ReadFrameRecords(frames.back());
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[0].x, first.x);
        EXPECT_EQ(records[0].y, first.y);
        EXPECT_EQ(records[1].x, second.x);
        EXPECT_EQ(records[1].y, second.y);
        for (const DecodedRecord& r : records) {
            const auto image = DecodeImage(r.payload);
            ASSERT_TRUE(image);
            EXPECT_EQ(image->width, 32);
            EXPECT_EQ(image->height, 32);
        }
        // The cursor is in the record, not on the captured screen.
        const auto drawn = DecodeImage(records[1].payload);
        const Picture screen = GrabScreenDirectly(w, h);
        int cursorPixels = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) cursorPixels += drawn->At(x, y) != screen.At(second.x + x, second.y + y);
        EXPECT_GT(cursorPixels, 20);
    }

    // Only the shape changes: one record, the cursor square in the same place.
    ICONINFO arrow{};
    CURSORINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetCursorInfo(&info) && info.hCursor) << "no cursor handle";
    ASSERT_TRUE(GetIconInfo(info.hCursor, &arrow));
    DeleteObject(arrow.hbmMask);
    if (arrow.hbmColor) DeleteObject(arrow.hbmColor);
    std::vector<std::uint8_t> andMask(128, 0x00), xorMask(128, 0xAA);
    HCURSOR block = CreateCursor(GetModuleHandleW(nullptr), static_cast<int>(arrow.xHotspot),
                                 static_cast<int>(arrow.yHotspot), 32, 32, andMask.data(), xorMask.data());
    ASSERT_NE(block, nullptr);
    SetCursor(block);
    frames.push_back(capturer.CaptureFrame());
    {
        const auto records = ReadFrameRecords(frames.back());
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].x, second.x);
        EXPECT_EQ(records[0].y, second.y);
    }
    EXPECT_TRUE(capturer.CaptureFrame().empty());

    // A cursor larger than 32 x 32 (as drawn above 96 DPI) is sent whole, and the smaller square
    // it replaces is erased first.
    std::vector<std::uint8_t> bigAnd(6 * 48, 0x00), bigXor(6 * 48, 0xFF);
    HCURSOR big = CreateCursor(GetModuleHandleW(nullptr), static_cast<int>(arrow.xHotspot),
                               static_cast<int>(arrow.yHotspot), 48, 48, bigAnd.data(), bigXor.data());
    ASSERT_NE(big, nullptr);
    SetCursor(big);
    frames.push_back(capturer.CaptureFrame());
    {
        const auto records = ReadFrameRecords(frames.back());
        ASSERT_EQ(records.size(), 2u);
        const auto erased = DecodeImage(records[0].payload);
        const auto drawn = DecodeImage(records[1].payload);
        ASSERT_TRUE(erased && drawn);
        EXPECT_EQ(erased->width, 32);
        EXPECT_EQ(drawn->width, 48);
        EXPECT_EQ(drawn->height, 48);
        EXPECT_EQ(drawn->At(47, 47), 0xFFFFFFu);  // the cursor's far corner is in the picture
    }
    SetCursor(block);
    frames.push_back(capturer.CaptureFrame());
    EXPECT_EQ(ReadFrameRecords(frames.back()).size(), 2u);

    // Partly off the screen: the square is clamped to the screen's corner.
    SetCursorPos(w - 5, h - 5);
    PumpMessages(150);
    frames.push_back(capturer.CaptureFrame());
    const CursorSquare corner = capturer.LastCursorSquare();
    {
        const auto records = ReadFrameRecords(frames.back());
        ASSERT_EQ(records.size(), 2u);
        EXPECT_EQ(records[1].x, corner.x);
        const auto image = DecodeImage(records[1].payload);
        ASSERT_TRUE(image);
        EXPECT_EQ(image->width, w - corner.x);
        EXPECT_EQ(image->height, h - corner.y);
        EXPECT_LT(image->width, 32);
    }

    // The rebuilt picture is the screen plus the cursor at its last place; the reference
    // picture is the screen without it.
    const Picture screen = GrabScreenDirectly(w, h);
    Picture rebuilt = Rebuild(frames, w, h);
    EXPECT_EQ(CountDifferences(ReferencePicture(capturer), screen, {0, 0, w, h}), 0);
    const PixelRect last = CursorRegion(corner, w, h, 32);
    EXPECT_GT(CountDifferences(rebuilt, screen, ToRect(last)), 0);
    for (int y = last.top; y < last.bottom; ++y)
        for (int x = last.left; x < last.right; ++x) rebuilt.At(x, y) = screen.At(x, y);
    EXPECT_EQ(CountDifferences(rebuilt, screen, {0, 0, w, h}), 0);
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    DestroyCursor(block);
    DestroyCursor(big);
}

}  // namespace
}  // namespace glimwell
