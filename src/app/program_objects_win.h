// The program-wide objects: made once by the program entry before the main window, destroyed
// after the message loop in the order they were made.
#pragma once

#include <memory>

#include "app/hot_key_table_win.h"
#include "app/tray_icon_win.h"
#include "record/frame_store.h"
#include "record/screen_capturer_win.h"
#include "util/clipboard_tools_win.h"
#include "util/common_dialogs_win.h"

namespace glimwell {

struct ProgramObjects {
    ProgramObjects()
        : trayIcon(std::make_unique<TrayIcon>()),
          capturer(std::make_unique<ScreenCapturer>()),
          frameStore(std::make_unique<FrameStore>()),
          dialogs(std::make_unique<CommonDialogs>()),
          clipboard(std::make_unique<ClipboardTools>()),
          hotKeys(std::make_unique<HotKeyTable>()) {}
    ~ProgramObjects() {
        trayIcon.reset();
        capturer.reset();
        frameStore.reset();
        dialogs.reset();
        clipboard.reset();
        hotKeys.reset();
    }
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

    std::unique_ptr<TrayIcon> trayIcon;
    std::unique_ptr<ScreenCapturer> capturer;
    std::unique_ptr<FrameStore> frameStore;  // the frames of the recording that runs
    std::unique_ptr<CommonDialogs> dialogs;
    std::unique_ptr<ClipboardTools> clipboard;
    std::unique_ptr<HotKeyTable> hotKeys;  // the recording hot keys; empty until "设置"
};

}  // namespace glimwell
