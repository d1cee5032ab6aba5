// MainWindow: the program's main window. It holds the recording and playback settings in a
// tab control, a preview picture of the screen, the recording timer and the menu bar with
// every command. Closing it hides it in the notification area; only "退出(&E)" ends the
// program. Its creation handler completes the start-up of the program.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "app/desktop_composition_win.h"
#include "app/hot_key_page_win.h"
#include "app/hot_key_table_win.h"
#include "app/recording_controller_win.h"
#include "app/settings_panel_win.h"
#include "app/tray_icon_win.h"
#include "platform/byte_buffer.h"
#include "platform/layout_win.h"
#include "platform/menu_model_win.h"
#include "platform/window_timer_win.h"
#include "platform/window_win.h"
#include "play/player_window_win.h"
#include "record/frame_store.h"
#include "record/recording_file_writer_win.h"
#include "record/sound_recorder_win.h"
#include "util/clipboard_tools_win.h"
#include "util/common_dialogs_win.h"

namespace glimwell {

class ScreenCapturer;

// The program-wide objects the main window works with; they outlive it.
struct MainWindowServices {
    TrayIcon& tray;
    ScreenCapturer& capturer;
    FrameStore& frameStore;
    CommonDialogs& dialogs;
    HotKeyTable* hotKeys = nullptr;                // null: the hot-key page registers nothing
    const ClipboardTools* clipboard = nullptr;     // for "复制当前帧到剪贴板(&C)"
    PlaybackState* playback = nullptr;             // null: "开始播放" opens no player
    ProgressStrip* progressStrip = nullptr;        // the player's progress line
};

// Replaceable work of the main window (tests put fakes here). The recording hooks left empty
// get the program's own: the next free name in the save folder, the screen snapshot, the
// capturer's frames, the recording file writer and the window's sound recorder. The command
// hooks left empty make their commands do nothing.
struct MainWindowHooks {
    // The next free file name ("录像" + n) in a save folder.
    std::function<std::wstring(const std::wstring& saveFolder)> proposeFileName;
    // A picture of the whole screen for the preview.
    std::function<ScopedBitmap()> takeSnapshot;
    // One encoded frame of the screen for a recording tick.
    std::function<Bytes()> captureFrame;
    // Writes the recording that just stopped.
    std::function<void()> writeRecordingFile;
    // The sound format: channels, samples per second, bits per sample.
    std::function<void(int channels, int samplesPerSecond, int bits)> setSoundFormat;
    std::function<void()> startSound, pauseSound, resumeSound;
    // Menu and button commands handled elsewhere.
    std::function<void()> saveFrame, copyFrame, browsePlayback, startPlayback;
};

class MainWindow : public Window, public RecordingFileHost {
public:
    MainWindow(MainWindowServices services, MainWindowHooks hooks);
    ~MainWindow() override;

    // Makes the window; it shows itself during creation. False when it cannot be made.
    bool Create();

    const Layout& Controls() const { return layout_; }
    MenuModel& Menu() { return menu_; }
    SettingsPanel& Settings() { return *settings_; }
    RecordingController& Recording() { return *recording_; }
    HotKeyPage* HotKeys() { return hotKeyPage_.get(); }
    UINT RecordingTimerPeriod() const { return recordingTimer_ ? recordingTimer_->Period() : 0; }
    // The player opened by "开始播放"; null before the first one.
    PlayerWindow* Player() { return player_.get(); }
    // Runs a menu command as if it had been chosen.
    void RunCommand(UINT command);

    static constexpr UINT_PTR kRecordingTimerId = 1;

    // What the recording file writer reads from and shows in the window.
    HWND OwnerWindow() const override { return Handle(); }
    std::wstring CacheFolderText() const override { return settings_->CacheFolder(); }
    std::wstring SaveFolderText() const override { return settings_->SaveFolder(); }
    std::wstring FileNameText() const override { return settings_->FileName(); }
    int FrameRate() const override { return settings_->FrameRate(); }
    std::wstring OverlayXText() const override { return settings_->OverlayX(); }
    std::wstring OverlayYText() const override { return settings_->OverlayY(); }
    std::wstring OverlayText() const override { return settings_->OverlayText(); }
    void SetFileNameText(const std::wstring& name) override { settings_->SetFileName(name); }
    void ShowPreview(Bytes snapshot) override;
    MessageResult ShowMessage(std::wstring_view text, std::wstring_view title, UINT style) override;

protected:
    bool OnCreate() override;
    void OnSize(int clientWidth, int clientHeight) override;
    void OnTimer(UINT_PTR id) override;
    void OnCommand(int id, int notifyCode, HWND control) override;
    bool OnClose() override;
    void OnDestroy() override;

private:
    void OnTrayEvent(UINT mouseMessage);
    void ShowTrayMenu();
    void MinimizeToTray();
    void SetDefaultFolders();
    void PlacePreviewCanvas();
    RecordingSettings ReadRecordingSettings() const;
    void FillDefaultHooks();
    void BrowsePlayback();
    void StartPlayback();
    void LoadPlayback();

    MainWindowServices services_;
    MainWindowHooks hooks_;
    Layout layout_;
    MenuModel menu_;
    ScopedIcon bigIcon_;
    ScopedIcon smallIcon_;
    DesktopComposition composition_;
    SoundRecorder sound_;
    std::unique_ptr<WindowTimer> recordingTimer_;
    std::unique_ptr<SettingsPanel> settings_;
    std::unique_ptr<RecordingController> recording_;
    std::unique_ptr<HotKeyPage> hotKeyPage_;
    std::unique_ptr<PlayerWindow> player_;
};

// Default cache and save folders: the executable's folder + "\TempFiles\" and + "\SaveFiles\".
std::wstring ExecutableFolderText();

}  // namespace glimwell
