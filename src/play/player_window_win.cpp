// PlayerWindow: creation, the playback tick, the buttons' actions and the window's own size
// and position rules.
#include "play/player_window_win.h"

#include <array>
#include <utility>

#include "platform/dpi_scale.h"
#include "platform/win_handles.h"

namespace glimwell {

namespace {

constexpr wchar_t kPlayerWindowClass[] = L"GlimwellPlayerWindow";
// The restored place of the window (it opens maximised).
constexpr int kPlayerX = 50, kPlayerY = 50, kPlayerWidth = 765, kPlayerHeight = 510;
// The control window sits this far left of and above the screen's bottom-right corner.
constexpr int kControlFromRight = 400, kControlFromBottom = 150;

constexpr std::array kPlayerLayout = {
    ControlRow{.kind = ControlKind::Canvas, .name = kPlayerCanvas, .x = 0, .y = 0, .width = 752, .height = 472},
};

}  // namespace

std::wstring PlayerCaption(std::int32_t currentFrame, std::int32_t frameCount) {
    return L"播放窗口 当前帧:" + std::to_wstring(currentFrame) + L" 总帧数:" + std::to_wstring(frameCount) +
           L"   Glimwellv1.1";
}

int PlaybackPercent(std::int32_t currentFrame, std::int32_t frameCount) {
    if (frameCount == 0) return 0;
    return static_cast<int>(static_cast<double>(currentFrame) / frameCount * 100.0);
}

PlayerWindow::PlayerWindow(PlaybackState& state, ProgressStrip& strip, std::function<void()> loadRecording)
    : state_(state), strip_(strip), loadRecording_(std::move(loadRecording)) {}

PlayerWindow::~PlayerWindow() { Destroy(); }

bool PlayerWindow::Create() {
    const int dpi = SystemDpi();
    WindowOptions options;
    options.className = kPlayerWindowClass;
    options.caption = L"";  // no caption until the first frame is drawn
    options.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    options.x = ScaleForDpi(kPlayerX, dpi);
    options.y = ScaleForDpi(kPlayerY, dpi);
    options.width = ScaleForDpi(kPlayerWidth, dpi);
    options.height = ScaleForDpi(kPlayerHeight, dpi);
    options.background = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    if (!CreateWindowFrom(options)) return false;
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    return true;
}

bool PlayerWindow::OnCreate() {
    if (!layout_.Build(Handle(), kPlayerLayout)) return false;
    timer_ = std::make_unique<WindowTimer>(Handle(), kPlaybackTimerId);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    renderer_.Attach(CanvasHandle(), screenWidth, screenHeight, true, Gdiplus::InterpolationModeHighQualityBilinear);

    control_ = std::make_unique<ControlWindow>(state_, strip_);
    control_->onPlay = [this] { Play(); };
    control_->onPause = [this] { Pause(); };
    control_->onStop = [this] { Stop(); };
    if (!control_->Create(Handle())) return true;  // the player still shows; nothing can start it
    SetWindowPos(control_->Handle(), nullptr, screenWidth - kControlFromRight, screenHeight - kControlFromBottom, 0,
                 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(control_->Handle(), SW_SHOW);
    return true;
}

void PlayerWindow::SetTimerPeriod(std::int32_t milliseconds) {
    // A negative period would become a timer of about 24 days: treated as no period.
    if (timer_) timer_->SetPeriod(milliseconds > 0 ? static_cast<UINT>(milliseconds) : 0);
}

void PlayerWindow::Play() {
    if (!state_.loaded && loadRecording_) loadRecording_();
    SetTimerPeriod(state_.framePeriod);
    state_.loaded = true;
}

void PlayerWindow::Pause() { SetTimerPeriod(0); }

void PlayerWindow::Stop() {
    SetTimerPeriod(0);
    state_.currentFrame = 0;
    state_.loaded = false;
}

void PlayerWindow::Tick() {
    ++state_.currentFrame;
    const bool controlOpen = control_ && control_->Exists();
    if (!state_.frames.Empty()) {
        renderer_.DrawFrame(state_.frames.Front());
        state_.frames.PopFront();
        SetWindowTextW(Handle(), PlayerCaption(state_.currentFrame, state_.frameCount).c_str());
    } else {
        SetTimerPeriod(0);
        if (!controlOpen) {
            Destroy();
            return;
        }
        state_.loaded = false;  // the next Play loads the recording again
    }
    if (controlOpen) strip_.Draw(PlaybackPercent(state_.currentFrame, state_.frameCount));
    WriteOverlay();
}

// The overlay goes on the canvas's surface only, not into the renderer's picture, so a repaint
// removes it until the next tick. DrawText starts a new line at each line break.
void PlayerWindow::WriteOverlay() {
    HWND canvas = CanvasHandle();
    if (!canvas || state_.overlayText.empty()) return;
    ScopedGetDc dc(canvas);
    if (!dc) return;
    ScopedSelectObject font(dc.Get(), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    RECT place{state_.overlayX, state_.overlayY, state_.overlayX, state_.overlayY};
    DrawTextW(dc.Get(), state_.overlayText.c_str(), static_cast<int>(state_.overlayText.size()), &place,
              DT_LEFT | DT_TOP | DT_NOCLIP | DT_NOPREFIX);
}

void PlayerWindow::OnSize(int clientWidth, int clientHeight) {
    HWND canvas = CanvasHandle();
    if (!canvas) return;
    MoveWindow(canvas, 0, 0, clientWidth, clientHeight, TRUE);
    InvalidateRect(canvas, nullptr, FALSE);  // the renderer repaints from its picture
}

void PlayerWindow::OnTimer(UINT_PTR id) {
    if (id == kPlaybackTimerId) Tick();
}

void PlayerWindow::OnDestroy() {
    SetTimerPeriod(0);
    renderer_.Detach();
}

bool PlayerWindow::OnMessage(UINT message, WPARAM, LPARAM lParam, LRESULT&) {
    if (message != WM_WINDOWPOSCHANGED || !IsZoomed(Handle())) return false;
    // Maximised means the whole primary screen, not just the work area.
    const auto& pos = *reinterpret_cast<const WINDOWPOS*>(lParam);
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    if (pos.x == 0 && pos.y == 0 && pos.cx == width && pos.cy == height) return false;
    // The move below sends its own size and move messages; this older position is done with.
    SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

}  // namespace glimwell
