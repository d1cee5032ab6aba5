// ControlWindow: the small, slightly transparent window beside the player with the Play, Pause
// and Stop buttons; the program's progress line is drawn along the bottom of the Pause button.
#pragma once

#include <windows.h>

#include <functional>

#include "platform/layout_win.h"
#include "platform/window_win.h"
#include "play/progress_strip_win.h"
#include "play/recording_loader.h"

namespace glimwell {

inline constexpr wchar_t kControlCaption[] = L"控制窗口";
inline constexpr wchar_t kPlayButton[] = L"按钮_播放";
inline constexpr wchar_t kPauseButton[] = L"按钮_暂停";
inline constexpr wchar_t kStopButton[] = L"按钮_停止";

class ControlWindow : public Window {
public:
    ControlWindow(PlaybackState& state, ProgressStrip& strip);
    ~ControlWindow() override;

    // Makes the window hidden, owned by `owner`; it becomes layered, clears the loaded flag and
    // binds the progress line to its Pause button at 0 per cent while it is made.
    bool Create(HWND owner);

    const Layout& Controls() const { return layout_; }

    // What the three buttons do; set by the player.
    std::function<void()> onPlay, onPause, onStop;

protected:
    bool OnCreate() override;
    void OnCommand(int id, int notifyCode, HWND control) override;
    void OnDestroy() override;

private:
    PlaybackState& state_;
    ProgressStrip& strip_;
    Layout layout_;
};

}  // namespace glimwell
