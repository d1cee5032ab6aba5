// PlayerWindow: shows a loaded recording on a canvas that fills its client area. A window
// timer draws one frame per tick through the FrameRenderer, counts the frames in the caption,
// moves the progress line and writes the recording's overlay text over the picture. It opens
// the ControlWindow whose buttons play, pause and stop.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/layout_win.h"
#include "platform/window_timer_win.h"
#include "platform/window_win.h"
#include "play/control_window_win.h"
#include "play/frame_renderer_win.h"
#include "play/progress_strip_win.h"
#include "play/recording_loader.h"

namespace glimwell {

inline constexpr wchar_t kPlayerCanvas[] = L"画板1";

// The caption after a frame has been drawn: "播放窗口 当前帧:" n " 总帧数:" m "   Glimwellv1.1".
std::wstring PlayerCaption(std::int32_t currentFrame, std::int32_t frameCount);
// The progress in per cent: current / count × 100 truncated towards zero; 0 for no frames.
int PlaybackPercent(std::int32_t currentFrame, std::int32_t frameCount);

class PlayerWindow : public Window {
public:
    // `loadRecording` fills `state` from the recording at its path (LoadRecording with the
    // cache folder and the screen size); Play calls it when nothing is loaded.
    PlayerWindow(PlaybackState& state, ProgressStrip& strip, std::function<void()> loadRecording);
    ~PlayerWindow() override;

    // Makes the window maximised over the primary screen and shows the control window.
    bool Create();

    // The control window's buttons.
    void Play();
    void Pause();
    void Stop();
    // One playback tick: the next frame, caption, progress line and overlay.
    void Tick();

    UINT TimerPeriod() const { return timer_ ? timer_->Period() : 0; }
    HWND CanvasHandle() const { return layout_.Get(kPlayerCanvas); }
    ControlWindow& Control() { return *control_; }
    const FrameRenderer& Renderer() const { return renderer_; }

    static constexpr UINT_PTR kPlaybackTimerId = 1;

protected:
    bool OnCreate() override;
    void OnSize(int clientWidth, int clientHeight) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SetTimerPeriod(std::int32_t milliseconds);
    void WriteOverlay();

    PlaybackState& state_;
    ProgressStrip& strip_;
    std::function<void()> loadRecording_;
    Layout layout_;
    FrameRenderer renderer_;
    std::unique_ptr<WindowTimer> timer_;
    std::unique_ptr<ControlWindow> control_;
};

}  // namespace glimwell
