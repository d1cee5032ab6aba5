// TogglePause and ToggleStartStop by the shown items of the control menu.
#include "app/recording_hot_key_actions_win.h"

#include "app/menu_commands.h"

namespace glimwell {

void TogglePause(const MenuModel& menu, RecordingController& recording) {
    if (!menu.IsShown(kCommandStopRecording)) return;
    if (menu.IsShown(kCommandPauseRecording))
        recording.PauseRecording();
    else
        recording.ResumeRecording();
}

void ToggleStartStop(const MenuModel& menu, RecordingController& recording) {
    if (menu.IsShown(kCommandStartRecording))
        recording.StartRecording();
    else
        recording.StopRecording();
}

}  // namespace glimwell
