// MainWindow: creation handler, size handling, commands, tray events.
#include "app/main_window_win.h"

#include <shellapi.h>

#include <utility>

#include "app/about_window_win.h"
#include "app/app_texts.h"
#include "app/main_window_layout_win.h"
#include "app/menu_commands.h"
#include "app/recording_hot_key_actions_win.h"
#include "app/resource_ids.h"
#include "app/skin_library_win.h"
#include "app/window_size_limits_win.h"
#include "platform/bmp_bitmap_win.h"
#include "platform/canvas_win.h"
#include "platform/dpi_scale.h"
#include "platform/controls_win.h"
#include "platform/message_box_win.h"
#include "platform/wait_pumping_win.h"
#include "platform/wide_path.h"
#include "play/unpack_folder.h"
#include "record/recording_folders_win.h"
#include "record/screen_capturer_win.h"
#include "util/current_frame_commands_win.h"
#include "util/screen_snapshot_win.h"

namespace glimwell {

namespace {

constexpr wchar_t kMainWindowClass[] = L"GlimwellMainWindow";
// The preview is shown only while the window is at least this tall (outer height, 96 DPI).
constexpr int kPreviewMinimumWindowHeight = 320;
// Pause before the first preview snapshot, so the newly shown window has settled.
constexpr unsigned kSnapshotDelayMs = 500;
// Recording options passed to the capturer: 32 bits per pixel, every 15th row sampled,
// JPEG quality 90.
constexpr std::int32_t kCaptureBitsPerPixel = 32;
constexpr std::int32_t kCaptureRowStep = 15;
constexpr std::int32_t kCaptureJpegQuality = 90;
// The default sound format: mono, 8000 samples per second, 16 bits.
constexpr int kSoundSamplesPerSecond = 8000;
constexpr int kSoundBits = 16;
// The tray menu opens 5 pixels left of and above the cursor.
constexpr int kTrayMenuOffset = 5;

}  // namespace

std::wstring ExecutableFolderText() {
    std::wstring path(MAX_PATH, L'\0');
    while (true) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

MainWindow::MainWindow(MainWindowServices services, MainWindowHooks hooks)
    : services_(services), hooks_(std::move(hooks)) {}

MainWindow::~MainWindow() {
    player_.reset();
    recording_.reset();
    recordingTimer_.reset();
    Destroy();
}

bool MainWindow::Create() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    bigIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_GLIMWELL), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0)));
    smallIcon_.Reset(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_GLIMWELL), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    if (!menu_.Build(MainWindowMenu(), {kTrayMenuCaption})) return false;
    const int dpi = SystemDpi();
    WindowOptions options;
    options.className = kMainWindowClass;
    options.caption = kMainCaption;
    options.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    options.x = ScaleForDpi(kMainWindowX, dpi);
    options.y = ScaleForDpi(kMainWindowY, dpi);
    options.width = ScaleForDpi(kMainWindowWidth, dpi);
    options.height = ScaleForDpi(kMainWindowHeight, dpi);
    options.icon = bigIcon_.Get();
    options.smallIcon = smallIcon_.Get();
    return CreateWindowFrom(options);
}

void MainWindow::FillDefaultHooks() {
    if (!hooks_.proposeFileName)
        hooks_.proposeFileName = [](const std::wstring& saveFolder) { return ProposeFileName(saveFolder); };
    if (!hooks_.takeSnapshot) hooks_.takeSnapshot = [] { return BitmapFromBmpFile(TakeScreenSnapshot()); };
    if (!hooks_.captureFrame) hooks_.captureFrame = [this] { return services_.capturer.CaptureFrame(); };
    if (!hooks_.writeRecordingFile)
        hooks_.writeRecordingFile = [this] {
            WriteRecordingFile(*this, services_.frameStore, &sound_, [this] { services_.capturer.Teardown(); });
        };
    if (!hooks_.setSoundFormat)
        hooks_.setSoundFormat = [this](int channels, int rate, int bits) { sound_.SetFormat(channels, rate, bits); };
    if (!hooks_.startSound) hooks_.startSound = [this] { sound_.StartInput(); };
    if (!hooks_.pauseSound) hooks_.pauseSound = [this] { sound_.PauseInput(); };
    if (!hooks_.resumeSound) hooks_.resumeSound = [this] { sound_.ResumeInput(); };
    if (!hooks_.saveFrame) hooks_.saveFrame = [this] { SaveCurrentFrame(Handle()); };
    if (!hooks_.copyFrame && services_.clipboard)
        hooks_.copyFrame = [this] { CopyCurrentFrame(*services_.clipboard); };
    if (!hooks_.browsePlayback) hooks_.browsePlayback = [this] { BrowsePlayback(); };
    if (!hooks_.startPlayback && services_.playback && services_.progressStrip)
        hooks_.startPlayback = [this] { StartPlayback(); };
}

void MainWindow::BrowsePlayback() {
    CommonDialogs dialogs;
    dialogs.Configure(L"Glimwell文件(*.vx)|*.vx|所有文件(*.*)|*.*", settings_->SaveFolder());
    std::wstring path;
    if (dialogs.ShowFileDialog(Handle(), static_cast<int>(FileDialogMode::Open), path, L"打开播放文件"))
        SetControlText(layout_.Get(kPlayFileEdit), path);
}

void MainWindow::StartPlayback() {
    PlaybackState& state = *services_.playback;
    if (player_ && player_->Exists()) {
        // One player at a time: it comes to the front and plays the new path from its next Play.
        if (IsIconic(player_->Handle())) ShowWindow(player_->Handle(), SW_RESTORE);
        SetForegroundWindow(player_->Handle());
        state.loaded = false;
    } else {
        player_.reset();
        player_ = std::make_unique<PlayerWindow>(state, *services_.progressStrip, [this] { LoadPlayback(); });
        if (!player_->Create()) {
            player_.reset();
            return;
        }
    }
    state.recordingPath = ControlText(layout_.Get(kPlayFileEdit));
}

void MainWindow::LoadPlayback() {
    PlaybackState& state = *services_.playback;
    LoadRecording(state, WidePath(state.recordingPath), UnpackFolderName(settings_->CacheFolder(), state.recordingPath),
                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void MainWindow::ShowPreview(Bytes snapshot) {
    if (Canvas* canvas = layout_.CanvasOf(kPreviewCanvas)) canvas->SetBackground(BitmapFromBmpFile(snapshot));
}

MessageResult MainWindow::ShowMessage(std::wstring_view text, std::wstring_view title, UINT style) {
    return glimwell::ShowMessage(text, title, style);
}

bool MainWindow::OnCreate() {
    HWND window = Handle();
    FillDefaultHooks();
    if (!layout_.Build(window, MainWindowLayout()) || !menu_.AttachTo(window)) return false;
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));

    settings_ = std::make_unique<SettingsPanel>(layout_, services_.dialogs);
    settings_->proposeFileName = hooks_.proposeFileName;
    settings_->onSoundChannels = [this](int channels) {
        if (hooks_.setSoundFormat) hooks_.setSoundFormat(channels, kSoundSamplesPerSecond, kSoundBits);
    };
    recordingTimer_ = std::make_unique<WindowTimer>(window, kRecordingTimerId);
    RecordingController::Services recording;
    recording.readSettings = [this] { return ReadRecordingSettings(); };
    recording.setupCapturer = [this](const RecordingSettings& settings) {
        services_.capturer.Setup(kCaptureBitsPerPixel, kCaptureRowStep, settings.captureLayered,
                                 kCaptureJpegQuality, settings.preset);
    };
    recording.captureFrame = hooks_.captureFrame;
    recording.startBlink = [this](int count) { services_.tray.StartBlink(count); };
    recording.stopBlink = [this] { services_.tray.StopBlink(); };
    recording.startSound = hooks_.startSound;
    recording.pauseSound = hooks_.pauseSound;
    recording.resumeSound = hooks_.resumeSound;
    recording.writeRecordingFile = hooks_.writeRecordingFile;
    recording.enableSettings = [this](bool enabled) {
        HWND tab = layout_.Get(kModeTab);
        if (!enabled && IsChild(tab, GetFocus())) SetFocus(Handle());
        EnableWindow(tab, enabled);
    };
    recording_ = std::make_unique<RecordingController>(menu_, *recordingTimer_, services_.frameStore,
                                                       std::move(recording));
    if (services_.hotKeys)
        hotKeyPage_ = std::make_unique<HotKeyPage>(
            layout_, window, *services_.hotKeys,
            [this](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
                TogglePause(menu_, *recording_);
                return 0;
            },
            [this](HWND, UINT, WPARAM, LPARAM) -> LRESULT {
                ToggleStartStop(menu_, *recording_);
                return 0;
            });
    if (Canvas* canvas = layout_.CanvasOf(kPreviewCanvas)) {
        canvas->SetCursorShape(IDC_SIZEALL);
        // Dragging the preview: the system moves the canvas like a window by its caption,
        // and the frame around it clips it, so the user pans over the screen picture.
        canvas->onLeftButtonDown = [canvas](int, int) {
            ReleaseCapture();
            SendMessageW(canvas->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        };
    }

    // The rest of start-up, in order.
    AttachOptionalSkin();
    InstallWindowSizeLimits(window, {layout_.Scale(kMinimumWindowWidth), layout_.Scale(kMinimumWindowHeight)});
    composition_.SwitchOff();
    ShowWindow(window, SW_SHOW);
    SetDefaultFolders();
    if (hooks_.proposeFileName) settings_->SetFileName(hooks_.proposeFileName(settings_->SaveFolder()));
    PlacePreviewCanvas();
    WaitPumping(kSnapshotDelayMs);
    if (!IsWindow(window)) return true;  // ended while waiting
    if (hooks_.takeSnapshot)
        if (Canvas* canvas = layout_.CanvasOf(kPreviewCanvas)) canvas->SetBackground(hooks_.takeSnapshot());
    if (hooks_.setSoundFormat) hooks_.setSoundFormat(1, kSoundSamplesPerSecond, kSoundBits);
    services_.tray.Create(window, [this](UINT mouseMessage) { OnTrayEvent(mouseMessage); }, kTrayTip);
    return true;
}

void MainWindow::SetDefaultFolders() {
    const std::wstring folder = ExecutableFolderText();
    settings_->SetCacheFolder(folder + L"\\TempFiles\\");
    settings_->SetSaveFolder(folder + L"\\SaveFiles\\");
}

void MainWindow::PlacePreviewCanvas() {
    if (HWND canvas = layout_.Get(kPreviewCanvas))
        SetWindowPos(canvas, nullptr, layout_.Scale(5), layout_.Scale(5), GetSystemMetrics(SM_CXSCREEN),
                     GetSystemMetrics(SM_CYSCREEN), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnSize(int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return;  // minimised
    auto setWidth = [](HWND control, int width) {
        RECT place{};
        GetWindowRect(control, &place);
        SetWindowPos(control, nullptr, 0, 0, width, place.bottom - place.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (HWND tab = layout_.Get(kModeTab)) setWidth(tab, clientWidth - layout_.Scale(10));
    if (HWND tab = layout_.Get(kRecordTab)) setWidth(tab, clientWidth - layout_.Scale(20));
    HWND frame = layout_.Get(kPreviewFrame);
    if (!frame) return;
    RECT outer{};
    GetWindowRect(Handle(), &outer);
    if (outer.bottom - outer.top >= layout_.Scale(kPreviewMinimumWindowHeight)) {
        RECT place{};
        GetWindowRect(frame, &place);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(frame, nullptr, 0, 0, clientWidth - layout_.Scale(10),
                     clientHeight - place.top - layout_.Scale(5), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(frame, SW_SHOW);
    } else {
        ShowWindow(frame, SW_HIDE);
    }
}

void MainWindow::OnTimer(UINT_PTR id) {
    if (id == kRecordingTimerId && recording_) recording_->CaptureTick();
}

void MainWindow::RunCommand(UINT command) {
    switch (command) {
    case kCommandSaveFrame:
        if (hooks_.saveFrame) hooks_.saveFrame();
        break;
    case kCommandCopyFrame:
        if (hooks_.copyFrame) hooks_.copyFrame();
        break;
    case kCommandMinimizeToTray:
        MinimizeToTray();
        break;
    case kCommandExit:
    case kCommandTrayExit:
        DestroyWindow(Handle());
        break;
    case kCommandStartRecording:
        recording_->StartRecording();
        break;
    case kCommandStopRecording:
        recording_->StopRecording();
        break;
    case kCommandPauseRecording:
        recording_->PauseRecording();
        break;
    case kCommandResumeRecording:
        recording_->ResumeRecording();
        break;
    case kCommandAbout:
        ShowAboutWindow(Handle());
        break;
    case kCommandContact:
        ShellExecuteW(Handle(), L"open", kContactPage, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case kCommandRestoreWindow:
        ShowWindow(Handle(), SW_SHOW);
        break;
    default:
        break;
    }
}

void MainWindow::OnCommand(int id, int notifyCode, HWND control) {
    if (!control) {  // a menu item
        RunCommand(static_cast<UINT>(id));
        return;
    }
    if (settings_ && settings_->HandleCommand(id, notifyCode)) return;
    if (hotKeyPage_ && hotKeyPage_->HandleCommand(id, notifyCode)) return;
    if (notifyCode != BN_CLICKED) return;
    if (id == layout_.IdOf(kBrowsePlayButton)) {
        if (hooks_.browsePlayback) hooks_.browsePlayback();
    } else if (id == layout_.IdOf(kStartPlayButton)) {
        if (hooks_.startPlayback) hooks_.startPlayback();
    }
}

void MainWindow::MinimizeToTray() {
    ShowWindow(Handle(), SW_HIDE);
    glimwell::ShowMessage(L"已最小化到托盘！");
}

bool MainWindow::OnClose() {
    ShowWindow(Handle(), SW_HIDE);  // the program goes on in the notification area
    return false;
}

void MainWindow::OnDestroy() {
    if (recordingTimer_) recordingTimer_->SetPeriod(0);
    composition_.Restore();
    PostQuitMessage(0);
}

void MainWindow::OnTrayEvent(UINT mouseMessage) {
    if (mouseMessage == WM_LBUTTONDBLCLK) {
        ShowWindow(Handle(), SW_SHOW);
    } else if (mouseMessage == WM_RBUTTONDOWN) {
        ShowTrayMenu();
    }
}

void MainWindow::ShowTrayMenu() {
    HMENU popup = menu_.Popup(kTrayMenuCaption);
    if (!popup) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // Foreground first, and WM_NULL after, so the menu closes when the user clicks elsewhere.
    SetForegroundWindow(Handle());
    TrackPopupMenu(popup, TPM_RIGHTALIGN, cursor.x - kTrayMenuOffset, cursor.y - kTrayMenuOffset, 0, Handle(),
                   nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
}

RecordingSettings MainWindow::ReadRecordingSettings() const {
    RecordingSettings settings;
    settings.preset = settings_->CompressionPreset();
    settings.captureLayered = settings_->CaptureLayered();
    settings.recordSound = settings_->RecordSound();
    settings.frameRate = settings_->FrameRate();
    return settings;
}

}  // namespace glimwell
