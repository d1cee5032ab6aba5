// The program-wide objects: made once by the program entry before the main window, destroyed
// after the message loop in the order they were made.
#pragma once

#include <memory>

#include "app/hot_key_table_win.h"
#include "app/tray_icon_win.h"
#include "play/progress_strip_win.h"
#include "play/recording_loader.h"
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
          hotKeys(std::make_unique<HotKeyTable>()),
          playback(std::make_unique<PlaybackState>()),
          progressStrip(std::make_unique<ProgressStrip>()) {}
    ~ProgramObjects() {
        trayIcon.reset();
        capturer.reset();
        frameStore.reset();
        dialogs.reset();
        clipboard.reset();
        hotKeys.reset();
        playback.reset();
        progressStrip.reset();
    }
    ProgramObjects(const ProgramObjects&) = delete;
    ProgramObjects& operator=(const ProgramObjects&) = delete;

    std::unique_ptr<TrayIcon> trayIcon;
    std::unique_ptr<ScreenCapturer> capturer;
    std::unique_ptr<FrameStore> frameStore;  // the frames of the recording that runs
    std::unique_ptr<CommonDialogs> dialogs;
    std::unique_ptr<ClipboardTools> clipboard;
    std::unique_ptr<HotKeyTable> hotKeys;  // the recording hot keys; empty until "设置"
    std::unique_ptr<PlaybackState> playback;       // what the player plays
    std::unique_ptr<ProgressStrip> progressStrip;  // the progress line of the control window
};

}  // namespace glimwell
