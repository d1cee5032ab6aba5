// Putting a picture on the clipboard: one CF_BITMAP of the picture's size on success; the
// clipboard untouched for empty bytes, bytes that are not a picture, and a clipboard held open
// elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <thread>

#include "platform/win_handles.h"
#include "util/clipboard_tools_win.h"
#include "util/screen_snapshot_win.h"

namespace glimwell {
namespace {

void PutText(const std::wstring& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    {
        ScopedGlobalLock lock(memory);
        std::memcpy(lock.Data(), text.c_str(), bytes);
    }
    if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    CloseClipboard();
}

std::wstring ClipboardText() {
    if (!OpenClipboard(nullptr)) return L"<not open>";
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        ScopedGlobalLock lock(data);
        if (lock.Data()) text = static_cast<const wchar_t*>(lock.Data());
    }
    CloseClipboard();
    return text;
}

TEST(ClipboardToolsTest, PutsScreenSnapshotAsOneBitmap) {
    PutText(L"earlier");
    const Bytes snapshot = TakeScreenSnapshot();
    ASSERT_FALSE(snapshot.empty());
    EXPECT_TRUE(ClipboardTools().PutPictureOnClipboard(snapshot));

    ASSERT_TRUE(OpenClipboard(nullptr));
    EXPECT_FALSE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    const auto bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP));
    BITMAP info{};
    const bool described = bitmap && GetObjectW(bitmap, sizeof info, &info) == sizeof info;
    CloseClipboard();
    ASSERT_TRUE(described);
    EXPECT_EQ(info.bmWidth, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(info.bmHeight, GetSystemMetrics(SM_CYSCREEN));
}

TEST(ClipboardToolsTest, FailuresLeaveTheClipboardAlone) {
    const Bytes snapshot = TakeScreenSnapshot();
    const Bytes notAPicture(5000, 0x42);
    for (const Bytes* bytes : {static_cast<const Bytes*>(nullptr), &notAPicture}) {
        PutText(L"keep");
        EXPECT_FALSE(ClipboardTools().PutPictureOnClipboard(bytes ? ByteView(*bytes) : ByteView()));
        EXPECT_EQ(ClipboardText(), L"keep");
    }

    // Another thread holds the clipboard open meanwhile.
    PutText(L"keep");
    ScopedKernelHandle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ScopedKernelHandle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::thread holder([&] {
        HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr, nullptr, nullptr);
        const bool open = OpenClipboard(owner);
        SetEvent(opened.Get());
        WaitForSingleObject(release.Get(), 10000);
        if (open) CloseClipboard();
        DestroyWindow(owner);
    });
    WaitForSingleObject(opened.Get(), 10000);
    EXPECT_FALSE(ClipboardTools().PutPictureOnClipboard(snapshot));
    SetEvent(release.Get());
    holder.join();
    EXPECT_EQ(ClipboardText(), L"keep");
}

TEST(ClipboardToolsTest, PictureBytesToBitmapKeepsThePictureSize) {
    // A 3 x 2 24-bit BMP file.
    Bytes bmp = {'B', 'M', 78, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0};
    bmp.resize(54 + 2 * 12, 0x80);
    std::fill(bmp.begin() + 30, bmp.begin() + 54, 0);
    const ScopedBitmap bitmap = ClipboardTools().PictureBytesToBitmap(bmp);
    ASSERT_TRUE(bitmap);
    BITMAP info{};
    ASSERT_EQ(GetObjectW(bitmap.Get(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 3);
    EXPECT_EQ(info.bmHeight, 2);
    EXPECT_FALSE(ClipboardTools().PictureBytesToBitmap(Bytes(100, 1)));
}

}  // namespace
}  // namespace glimwell
