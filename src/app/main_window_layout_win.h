// The main window's layout: its controls (the settings pages, the playback page, the preview)
// and its menus. Each control's English identifier stands beside its layout name.
#pragma once

#include <span>

#include "platform/layout_win.h"
#include "platform/menu_model_win.h"

namespace glimwell {

// Window
inline constexpr int kMainWindowX = 50, kMainWindowY = 50, kMainWindowWidth = 777, kMainWindowHeight = 550;

// Outer tabs and preview
inline constexpr wchar_t kModeTab[] = L"选择夹_模式";
inline constexpr wchar_t kRecordTab[] = L"选择夹_录制";
inline constexpr wchar_t kPreviewFrame[] = L"外形框_图像";
inline constexpr wchar_t kPreviewCanvas[] = L"画板_图像";
inline constexpr wchar_t kContactLabel[] = L"标签9";

// Playback page
inline constexpr wchar_t kPlayFileLabel[] = L"标签7";
inline constexpr wchar_t kPlayFileEdit[] = L"编辑框_播放位置";
inline constexpr wchar_t kBrowsePlayButton[] = L"按钮_浏览播放";
inline constexpr wchar_t kStartPlayButton[] = L"按钮_开始播放";

// Basic settings page
inline constexpr wchar_t kSaveGroup[] = L"分组框1";
inline constexpr wchar_t kFileNameLabel[] = L"标签_缓存2";
inline constexpr wchar_t kFileNameEdit[] = L"编辑框_文件名";
inline constexpr wchar_t kDuplicateCheckButton[] = L"按钮_判断存在";
inline constexpr wchar_t kCacheFolderLabel[] = L"标签_缓存";
inline constexpr wchar_t kCacheFolderEdit[] = L"编辑框_临时文件夹";
inline constexpr wchar_t kCacheFolderButton[] = L"按钮_选择缓存文件夹";
inline constexpr wchar_t kSaveFolderLabel[] = L"标签_缓存1";
inline constexpr wchar_t kSaveFolderEdit[] = L"编辑框_保存文件夹";
inline constexpr wchar_t kSaveFolderButton[] = L"按钮_选择保存文件夹";
inline constexpr wchar_t kRateGroup[] = L"分组框2";
inline constexpr wchar_t kFrameRateLabel[] = L"标签_帧频";
inline constexpr wchar_t kFrameRateEdit[] = L"编辑框_帧频";
inline constexpr wchar_t kFrameRateUnitLabel[] = L"标签_帧频1";
inline constexpr wchar_t kOptionsGroup[] = L"分组框3";
inline constexpr wchar_t kRecordSoundCheck[] = L"选择框_录制声音";
inline constexpr wchar_t kCaptureLayeredCheck[] = L"选择框_录制捕捉层";
inline constexpr wchar_t kCompressionGroup[] = L"分组框5";
inline constexpr wchar_t kJpegRadio[] = L"单选框_JPG";
inline constexpr wchar_t kPngRadio[] = L"单选框_PNG";
inline constexpr wchar_t kBitmapRadio[] = L"单选框_BMP";
inline constexpr wchar_t kOverlayGroup[] = L"分组框4";
inline constexpr wchar_t kOverlayXyLabel[] = L"标签1";
inline constexpr wchar_t kOverlayXEdit[] = L"编辑框_信息x";
inline constexpr wchar_t kOverlayYEdit[] = L"编辑框_信息y";
inline constexpr wchar_t kOverlayTextLabel[] = L"标签2";
inline constexpr wchar_t kOverlayTextEdit[] = L"编辑框_信息内容";
inline constexpr wchar_t kHotKeyReminderLabel[] = L"标签8";

// Sound settings page
inline constexpr wchar_t kSoundGroup[] = L"分组框6";
inline constexpr wchar_t kStereoCheck[] = L"选择框_立体声";
inline constexpr wchar_t kMouseSoundCheck[] = L"选择框_录制鼠标声音";

// Hot-key page
inline constexpr wchar_t kHotKeyGroup[] = L"分组框7";
inline constexpr wchar_t kStartStopGroup[] = L"分组框8";
inline constexpr wchar_t kHotKeySetLabel1[] = L"标签3";
inline constexpr wchar_t kKeyCodeEdit1[] = L"编辑框_键代码1";
inline constexpr wchar_t kModifierLabel1[] = L"标签4";
inline constexpr wchar_t kShiftCheck1[] = L"选择框_shift1";
inline constexpr wchar_t kCtrlCheck1[] = L"选择框_ctrl1";
inline constexpr wchar_t kAltCheck1[] = L"选择框_alt1";
inline constexpr wchar_t kPauseResumeGroup[] = L"分组框9";
inline constexpr wchar_t kHotKeySetLabel2[] = L"标签6";
inline constexpr wchar_t kKeyCodeEdit2[] = L"编辑框_键代码2";
inline constexpr wchar_t kModifierLabel2[] = L"标签5";
inline constexpr wchar_t kShiftCheck2[] = L"选择框_shift2";
inline constexpr wchar_t kCtrlCheck2[] = L"选择框_ctrl2";
inline constexpr wchar_t kAltCheck2[] = L"选择框_alt2";
inline constexpr wchar_t kSetHotKeysButton[] = L"按钮_设置快捷键";

// Pages of the tab controls
inline constexpr int kRecordingPage = 0, kPlaybackPage = 1;
inline constexpr int kBasicPage = 0, kSoundPage = 1, kHotKeyPage = 2;

std::span<const ControlRow> MainWindowLayout();
std::span<const MenuEntry> MainWindowMenu();

}  // namespace glimwell
