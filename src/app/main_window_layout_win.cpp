// The main window's layout table and menu table.
#include "app/main_window_layout_win.h"

#include <commctrl.h>

#include "app/app_texts.h"
#include "app/menu_commands.h"

namespace glimwell {

namespace {

using K = ControlKind;

const ControlRow kLayout[] = {
    {.kind = K::TabControl, .name = kModeTab, .x = 5, .y = 5, .width = 771, .height = 235,
     .text = L"  录制设置  |  播放设置  "},
    // The settings tabs sit at the bottom of their control, so the pages start at its top edge.
    {.kind = K::TabControl, .name = kRecordTab, .parent = kModeTab, .page = kRecordingPage, .x = 5, .y = 27,
     .width = 758, .height = 200, .text = L"基本设置|声音设置|快捷键", .style = TCS_BOTTOM},
    {.kind = K::Frame, .name = kPreviewFrame, .x = 14, .y = 244, .width = 728, .height = 224},
    {.kind = K::Canvas, .name = kPreviewCanvas, .parent = kPreviewFrame, .x = 10, .y = 8, .width = 656, .height = 192},
    {.kind = K::Label, .name = kContactLabel, .x = 536, .y = 480, .width = 304, .height = 24, .text = kContactLine},

    // Playback page
    {.kind = K::Label, .name = kPlayFileLabel, .parent = kModeTab, .page = kPlaybackPage, .x = 43, .y = 51,
     .width = 72, .height = 24, .text = L"文件位置:"},
    {.kind = K::Edit, .name = kPlayFileEdit, .parent = kModeTab, .page = kPlaybackPage, .x = 123, .y = 51,
     .width = 448, .height = 24},
    {.kind = K::Button, .name = kBrowsePlayButton, .parent = kModeTab, .page = kPlaybackPage, .x = 579, .y = 51,
     .width = 40, .height = 24, .text = L"浏览"},
    {.kind = K::Button, .name = kStartPlayButton, .parent = kModeTab, .page = kPlaybackPage, .x = 235, .y = 131,
     .width = 184, .height = 40, .text = L"开始播放"},

    // Basic settings page
    {.kind = K::GroupBox, .name = kSaveGroup, .parent = kRecordTab, .page = kBasicPage, .x = 8, .y = 8,
     .width = 432, .height = 104, .text = L"保存设置"},
    {.kind = K::TransparentLabel, .name = kFileNameLabel, .parent = kSaveGroup, .x = 19, .y = 17, .width = 48,
     .height = 17, .text = L"文件名:"},
    {.kind = K::Edit, .name = kFileNameEdit, .parent = kSaveGroup, .x = 68, .y = 16, .width = 292, .height = 20},
    {.kind = K::Button, .name = kDuplicateCheckButton, .parent = kSaveGroup, .x = 366, .y = 16, .width = 56,
     .height = 22, .text = L"是否重复"},
    {.kind = K::TransparentLabel, .name = kCacheFolderLabel, .parent = kSaveGroup, .x = 8, .y = 43, .width = 64,
     .height = 17, .text = L"缓存位置:"},
    {.kind = K::Edit, .name = kCacheFolderEdit, .parent = kSaveGroup, .x = 68, .y = 42, .width = 292, .height = 21},
    {.kind = K::Button, .name = kCacheFolderButton, .parent = kSaveGroup, .x = 366, .y = 43, .width = 56,
     .height = 22, .text = L"选择"},
    {.kind = K::TransparentLabel, .name = kSaveFolderLabel, .parent = kSaveGroup, .x = 8, .y = 75, .width = 64,
     .height = 17, .text = L"保存位置:"},
    {.kind = K::Edit, .name = kSaveFolderEdit, .parent = kSaveGroup, .x = 68, .y = 74, .width = 292, .height = 21},
    {.kind = K::Button, .name = kSaveFolderButton, .parent = kSaveGroup, .x = 366, .y = 74, .width = 56,
     .height = 22, .text = L"选择"},
    {.kind = K::GroupBox, .name = kRateGroup, .parent = kRecordTab, .page = kBasicPage, .x = 8, .y = 112,
     .width = 184, .height = 64, .text = L"录制频率"},
    {.kind = K::Label, .name = kFrameRateLabel, .parent = kRateGroup, .x = 8, .y = 24, .width = 72, .height = 24,
     .text = L"帧频:(1~25)"},
    {.kind = K::Edit, .name = kFrameRateEdit, .parent = kRateGroup, .x = 84, .y = 26, .width = 32, .height = 20,
     .text = L"8", .style = ES_NUMBER, .maxLength = 2, .spinMin = 1, .spinMax = 25},
    {.kind = K::Label, .name = kFrameRateUnitLabel, .parent = kRateGroup, .x = 140, .y = 24, .width = 32,
     .height = 24, .text = L"帧/秒"},
    {.kind = K::GroupBox, .name = kOptionsGroup, .parent = kRecordTab, .page = kBasicPage, .x = 200, .y = 112,
     .width = 238, .height = 64, .text = L"录制选项"},
    {.kind = K::CheckBox, .name = kRecordSoundCheck, .parent = kOptionsGroup, .x = 24, .y = 24, .width = 72,
     .height = 16, .text = L"录制声音", .style = WS_DISABLED},
    {.kind = K::CheckBox, .name = kCaptureLayeredCheck, .parent = kOptionsGroup, .x = 136, .y = 24, .width = 86,
     .height = 16, .text = L"录制捕捉层"},
    {.kind = K::GroupBox, .name = kCompressionGroup, .parent = kRecordTab, .page = kBasicPage, .x = 448, .y = 8,
     .width = 112, .height = 168, .text = L"压缩设置"},
    {.kind = K::RadioButton, .name = kJpegRadio, .parent = kCompressionGroup, .x = 16, .y = 32, .width = 72,
     .height = 24, .text = L"高速压缩"},
    {.kind = K::RadioButton, .name = kPngRadio, .parent = kCompressionGroup, .x = 16, .y = 64, .width = 72,
     .height = 24, .text = L"平衡压缩", .checked = true},
    {.kind = K::RadioButton, .name = kBitmapRadio, .parent = kCompressionGroup, .x = 16, .y = 96, .width = 72,
     .height = 24, .text = L"质量压缩"},
    {.kind = K::GroupBox, .name = kOverlayGroup, .parent = kRecordTab, .page = kBasicPage, .x = 568, .y = 8,
     .width = 190, .height = 168, .text = L"版权信息"},
    {.kind = K::Label, .name = kOverlayXyLabel, .parent = kOverlayGroup, .x = 16, .y = 32, .width = 32, .height = 40,
     .text = L" X：\r\n\r\n Y："},
    {.kind = K::Edit, .name = kOverlayXEdit, .parent = kOverlayGroup, .x = 48, .y = 29, .width = 64, .height = 20,
     .text = L"0", .style = ES_NUMBER},
    {.kind = K::Edit, .name = kOverlayYEdit, .parent = kOverlayGroup, .x = 48, .y = 53, .width = 64, .height = 20,
     .text = L"0", .style = ES_NUMBER},
    {.kind = K::Label, .name = kOverlayTextLabel, .parent = kOverlayGroup, .x = 6, .y = 94, .width = 114,
     .height = 16, .text = L"内容(空为不添加)："},
    {.kind = K::Edit, .name = kOverlayTextEdit, .parent = kOverlayGroup, .x = 8, .y = 112, .width = 158,
     .height = 16, .maxLength = 50},
    // The reminder lies below the settings pages, beside their tabs, and runs past the right
    // edge, where it is cut off; it is placed on the outer page at that same spot.
    {.kind = K::Label, .name = kHotKeyReminderLabel, .parent = kModeTab, .page = kRecordingPage, .x = 5 + 590,
     .y = 27 + 176, .width = 440, .height = 32, .text = L"为了方便请设置快捷键！！！"},

    // Sound settings page
    {.kind = K::GroupBox, .name = kSoundGroup, .parent = kRecordTab, .page = kSoundPage, .x = -2, .y = 0,
     .width = 760, .height = 176, .text = L"声音设置"},
    {.kind = K::CheckBox, .name = kStereoCheck, .parent = kSoundGroup, .x = 320, .y = 56, .width = 120, .height = 24,
     .text = L"立体声录制"},
    {.kind = K::CheckBox, .name = kMouseSoundCheck, .parent = kSoundGroup, .x = 320, .y = 120, .width = 120,
     .height = 24, .text = L"录制鼠标声音", .checked = true},

    // Hot-key page
    {.kind = K::GroupBox, .name = kHotKeyGroup, .parent = kRecordTab, .page = kHotKeyPage, .x = 6, .y = 8,
     .width = 744, .height = 160, .text = L"录制快捷键"},
    {.kind = K::GroupBox, .name = kStartStopGroup, .parent = kHotKeyGroup, .x = 8, .y = 16, .width = 160,
     .height = 136, .text = L"开始/结束"},
    {.kind = K::Label, .name = kHotKeySetLabel1, .parent = kStartStopGroup, .x = 8, .y = 24, .width = 56,
     .height = 16, .text = L"设置:"},
    {.kind = K::Edit, .name = kKeyCodeEdit1, .parent = kStartStopGroup, .x = 72, .y = 24, .width = 72, .height = 20,
     .style = ES_READONLY},
    {.kind = K::Label, .name = kModifierLabel1, .parent = kStartStopGroup, .x = 9, .y = 55, .width = 56,
     .height = 16, .text = L"功能键:"},
    {.kind = K::CheckBox, .name = kShiftCheck1, .parent = kStartStopGroup, .x = 80, .y = 56, .width = 56,
     .height = 16, .text = L"Shift"},
    {.kind = K::CheckBox, .name = kCtrlCheck1, .parent = kStartStopGroup, .x = 80, .y = 80, .width = 56,
     .height = 16, .text = L"Ctrl"},
    {.kind = K::CheckBox, .name = kAltCheck1, .parent = kStartStopGroup, .x = 80, .y = 104, .width = 56,
     .height = 16, .text = L"Alt"},
    {.kind = K::GroupBox, .name = kPauseResumeGroup, .parent = kHotKeyGroup, .x = 568, .y = 16, .width = 160,
     .height = 136, .text = L"暂停/继续"},
    {.kind = K::Label, .name = kHotKeySetLabel2, .parent = kPauseResumeGroup, .x = 8, .y = 24, .width = 56,
     .height = 16, .text = L"设置:"},
    {.kind = K::Edit, .name = kKeyCodeEdit2, .parent = kPauseResumeGroup, .x = 72, .y = 24, .width = 72,
     .height = 20, .style = ES_READONLY},
    {.kind = K::Label, .name = kModifierLabel2, .parent = kPauseResumeGroup, .x = 9, .y = 55, .width = 56,
     .height = 16, .text = L"功能键:"},
    {.kind = K::CheckBox, .name = kShiftCheck2, .parent = kPauseResumeGroup, .x = 80, .y = 56, .width = 56,
     .height = 16, .text = L"Shift"},
    {.kind = K::CheckBox, .name = kCtrlCheck2, .parent = kPauseResumeGroup, .x = 80, .y = 80, .width = 56,
     .height = 16, .text = L"Ctrl"},
    {.kind = K::CheckBox, .name = kAltCheck2, .parent = kPauseResumeGroup, .x = 80, .y = 104, .width = 56,
     .height = 16, .text = L"Alt"},
    {.kind = K::Button, .name = kSetHotKeysButton, .parent = kHotKeyGroup, .x = 342, .y = 64, .width = 64,
     .height = 32, .text = L"设置"},
};

const MenuEntry kMenu[] = {
    {L"文件(&F)", kCommandSaveFrame, L"保存当前帧(&R)"},
    {L"文件(&F)", kCommandMinimizeToTray, L"最小化到托盘(&D)"},
    {L"文件(&F)", kCommandExit, L"退出(&E)"},
    {L"编辑(&E)", kCommandCopyFrame, L"复制当前帧到剪贴板(&C)"},
    {L"控制(&C)", kCommandStartRecording, L"开始录制(&P)"},
    {L"控制(&C)", kCommandStopRecording, L"停止录制(&S)", false},
    {L"控制(&C)", kCommandPauseRecording, L"暂停录制(&R)", true, false},
    {L"控制(&C)", kCommandResumeRecording, L"继续录制(&T)", false},
    {L"帮助(&H)", kCommandAbout, L"关于(&I)"},
    {L"帮助(&H)", kCommandContact, L"联系作者(&M)"},
    {kTrayMenuCaption, kCommandRestoreWindow, L"还原窗口(&R)"},
    {kTrayMenuCaption, 0},
    {kTrayMenuCaption, kCommandTrayExit, L"退出(&E)"},
};

}  // namespace

std::span<const ControlRow> MainWindowLayout() { return kLayout; }
std::span<const MenuEntry> MainWindowMenu() { return kMenu; }

}  // namespace glimwell
