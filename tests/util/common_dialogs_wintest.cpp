// CommonDialogs settings as the system dialogs would receive them.
#include <gtest/gtest.h>

#include <string>

#include "util/common_dialogs_win.h"

namespace glimwell {
namespace {

TEST(CommonDialogsTest, ConfigureFillsTheDialogSettings) {
    CommonDialogs dialogs;
    dialogs.Configure(L"录像文件(*.vx)|*.vx", L"C:\\录像", L"Bmp");
    const OPENFILENAMEW& settings = dialogs.Settings();
    EXPECT_EQ(settings.hInstance, GetModuleHandleW(nullptr));
    EXPECT_EQ(settings.nFilterIndex, 1u);
    EXPECT_EQ(std::wstring(settings.lpstrFilter, 16), std::wstring(L"录像文件(*.vx)\0*.vx\0\0", 16));
    EXPECT_STREQ(settings.lpstrInitialDir, L"C:\\录像");
    EXPECT_STREQ(settings.lpstrDefExt, L"Bmp");
    dialogs.Configure(L"所有文件(*.*)|*.*");
    EXPECT_EQ(dialogs.Settings().lpstrInitialDir, nullptr);
    EXPECT_EQ(dialogs.Settings().lpstrDefExt, nullptr);
}

TEST(CommonDialogsTest, UnknownModeShowsNothing) {
    CommonDialogs dialogs;
    dialogs.Configure(L"所有文件(*.*)|*.*");
    std::wstring name = L"不变";
    EXPECT_EQ(dialogs.ShowFileDialog(nullptr, 2, name, L"标题"), 0);
    EXPECT_EQ(dialogs.ShowFileDialog(nullptr, -1, name), 0);
    EXPECT_EQ(name, L"不变");
}

}  // namespace
}  // namespace glimwell
