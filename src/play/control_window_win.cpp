// ControlWindow: layout, layering and the button clicks.
#include "play/control_window_win.h"

#include <array>

#include "platform/dpi_scale.h"

namespace glimwell {

namespace {

constexpr wchar_t kControlWindowClass[] = L"GlimwellControlWindow";
constexpr int kControlWidth = 250, kControlHeight = 82;
// Slightly transparent, so the picture under it stays visible.
constexpr BYTE kControlAlpha = 220;

using K = ControlKind;
constexpr std::array kControlLayout = {
    ControlRow{.kind = K::Button, .name = kPlayButton, .x = 8, .y = 17, .width = 56, .height = 31, .text = L"播放"},
    ControlRow{.kind = K::Button, .name = kPauseButton, .x = 88, .y = 17, .width = 56, .height = 31, .text = L"暂停"},
    ControlRow{.kind = K::Button, .name = kStopButton, .x = 168, .y = 17, .width = 56, .height = 31, .text = L"停止"},
};

}  // namespace

ControlWindow::ControlWindow(PlaybackState& state, ProgressStrip& strip) : state_(state), strip_(strip) {}

ControlWindow::~ControlWindow() { Destroy(); }

bool ControlWindow::Create(HWND owner) {
    const int dpi = SystemDpi();
    WindowOptions options;
    options.className = kControlWindowClass;
    options.caption = kControlCaption;
    options.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    options.width = ScaleForDpi(kControlWidth, dpi);
    options.height = ScaleForDpi(kControlHeight, dpi);
    options.parent = owner;
    return CreateWindowFrom(options);
}

bool ControlWindow::OnCreate() {
    if (!layout_.Build(Handle(), kControlLayout)) return false;
    // WS_EX_LAYERED alone: the window's other extended styles are dropped on purpose.
    SetWindowLongPtrW(Handle(), GWL_EXSTYLE, WS_EX_LAYERED);
    SetLayeredWindowAttributes(Handle(), 0, kControlAlpha, LWA_ALPHA);
    state_.loaded = false;
    strip_.Bind(layout_.Get(kPauseButton));
    strip_.Draw(0);
    return true;
}

void ControlWindow::OnCommand(int id, int notifyCode, HWND control) {
    if (!control || notifyCode != BN_CLICKED) return;
    const std::function<void()>* action = nullptr;
    if (id == layout_.IdOf(kPlayButton)) action = &onPlay;
    else if (id == layout_.IdOf(kPauseButton)) action = &onPause;
    else if (id == layout_.IdOf(kStopButton)) action = &onStop;
    if (action && *action) (*action)();
}

// The strip must not keep drawing through a handle that may be reused by another window.
void ControlWindow::OnDestroy() { strip_.Release(); }

}  // namespace glimwell
