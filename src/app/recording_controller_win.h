// RecordingController: the recording state (Idle, Recording, Paused), its four commands and
// the timer tick that captures one frame. The state is the truth; the menu "控制(&C)", the
// settings tab and the timer are set from it on every change, so they always agree with it.
// Everything runs on the GUI thread.
#pragma once

#include <cstdint>
#include <functional>

#include "record/frame_store.h"
#include "platform/menu_model_win.h"
#include "platform/window_timer_win.h"

namespace glimwell {

enum class RecordingState { Idle, Recording, Paused };

// The settings a recording reads when it starts (and the sound box when it pauses/resumes).
struct RecordingSettings {
    std::int32_t preset = 0;  // CompressionMode number, 0 when no preset is selected
    bool captureLayered = false;
    bool recordSound = false;
    int frameRate = 8;
};

class RecordingController {
public:
    // What the controller drives; any may be left empty.
    struct Services {
        std::function<RecordingSettings()> readSettings;
        std::function<void(const RecordingSettings&)> setupCapturer;
        std::function<Bytes()> captureFrame;
        std::function<void(int count)> startBlink;
        std::function<void()> stopBlink;
        std::function<void()> startSound, pauseSound, resumeSound;
        // Writes the recording file and empties the frame store; runs to its end.
        std::function<void()> writeRecordingFile;
        // Enables or disables the settings (the tab control "选择夹_模式").
        std::function<void(bool enabled)> enableSettings;
    };

    RecordingController(MenuModel& menu, WindowTimer& timer, FrameStore& frameStore, Services services);

    void StartRecording();
    void PauseRecording();
    void ResumeRecording();
    void StopRecording();
    void CaptureTick();

    RecordingState State() const { return state_; }
    int Ticks() const { return ticks_; }

private:
    void ShowState(RecordingState state);
    RecordingSettings ReadSettings() const;

    MenuModel& menu_;
    WindowTimer& timer_;
    FrameStore& frameStore_;
    Services services_;
    RecordingState state_ = RecordingState::Idle;
    bool writing_ = false;  // commands that arrive while the file is written are ignored
    int ticks_ = 0;
};

}  // namespace glimwell
