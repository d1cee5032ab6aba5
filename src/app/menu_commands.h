// Command ids of the main window's menus.
#pragma once

#include <windows.h>

namespace glimwell {

enum MenuCommand : UINT {
    kCommandSaveFrame = 100,   // 保存当前帧(&R)
    kCommandMinimizeToTray,    // 最小化到托盘(&D)
    kCommandExit,              // 退出(&E) of the file menu
    kCommandCopyFrame,         // 复制当前帧到剪贴板(&C)
    kCommandStartRecording,    // 开始录制(&P)
    kCommandStopRecording,     // 停止录制(&S)
    kCommandPauseRecording,    // 暂停录制(&R)
    kCommandResumeRecording,   // 继续录制(&T)
    kCommandAbout,             // 关于(&I)
    kCommandContact,           // 联系作者(&M)
    kCommandRestoreWindow,     // 还原窗口(&R) of the tray menu
    kCommandTrayExit,          // 退出(&E) of the tray menu
};

inline constexpr wchar_t kTrayMenuCaption[] = L"托盘菜单";

}  // namespace glimwell
