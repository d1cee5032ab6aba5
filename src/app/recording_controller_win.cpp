// Recording commands, the tick, and the menu look of each state.
#include "app/recording_controller_win.h"

#include <utility>

#include "app/menu_commands.h"
#include "record/frame_format.h"
#include "record/recording_file.h"

namespace glimwell {

namespace {
constexpr int kBlinkUntilStopped = -1;
}

RecordingController::RecordingController(MenuModel& menu, WindowTimer& timer, FrameStore& frameStore,
                                         Services services)
    : menu_(menu), timer_(timer), frameStore_(frameStore), services_(std::move(services)) {}

RecordingSettings RecordingController::ReadSettings() const {
    return services_.readSettings ? services_.readSettings() : RecordingSettings{};
}

// The look of the control menu, the settings and the timer in each state.
void RecordingController::ShowState(RecordingState state) {
    state_ = state;
    const bool idle = state == RecordingState::Idle;
    const bool recording = state == RecordingState::Recording;
    menu_.Show(kCommandStartRecording, idle);
    menu_.Show(kCommandStopRecording, !idle);
    menu_.Show(kCommandPauseRecording, !(state == RecordingState::Paused));
    menu_.Enable(kCommandPauseRecording, recording);
    menu_.Show(kCommandResumeRecording, state == RecordingState::Paused);
    if (services_.enableSettings) services_.enableSettings(idle);
}

void RecordingController::StartRecording() {
    if (writing_ || state_ != RecordingState::Idle) return;
    const RecordingSettings settings = ReadSettings();
    if (services_.setupCapturer) services_.setupCapturer(settings);
    if (settings.recordSound && services_.startSound) services_.startSound();
    if (services_.startBlink) services_.startBlink(kBlinkUntilStopped);
    ticks_ = 0;
    timer_.SetPeriod(static_cast<UINT>(FramePeriodMs(settings.frameRate)));
    ShowState(RecordingState::Recording);
}

void RecordingController::CaptureTick() {
    if (state_ != RecordingState::Recording) return;
    const Bytes frame = services_.captureFrame ? services_.captureFrame() : Bytes{};
    // Frame and delimiter in one append, also for an empty frame: one delimiter per tick.
    frameStore_.Append({ByteView(frame), ByteView(FrameDelimiter)});
    ++ticks_;
}

void RecordingController::PauseRecording() {
    if (writing_ || state_ != RecordingState::Recording) return;
    timer_.SetPeriod(0);
    ShowState(RecordingState::Paused);
    if (services_.stopBlink) services_.stopBlink();
    if (ReadSettings().recordSound && services_.pauseSound) services_.pauseSound();
}

void RecordingController::ResumeRecording() {
    if (writing_ || state_ != RecordingState::Paused) return;
    const RecordingSettings settings = ReadSettings();
    timer_.SetPeriod(static_cast<UINT>(FramePeriodMs(settings.frameRate)));
    ShowState(RecordingState::Recording);
    if (services_.startBlink) services_.startBlink(kBlinkUntilStopped);
    if (settings.recordSound && services_.resumeSound) services_.resumeSound();
}

void RecordingController::StopRecording() {
    if (writing_ || state_ == RecordingState::Idle) return;
    timer_.SetPeriod(0);
    ShowState(RecordingState::Idle);
    if (services_.stopBlink) services_.stopBlink();
    writing_ = true;
    struct WritingDone {
        bool& flag;
        ~WritingDone() { flag = false; }
    } done{writing_};
    if (services_.writeRecordingFile) services_.writeRecordingFile();
}

}  // namespace glimwell
