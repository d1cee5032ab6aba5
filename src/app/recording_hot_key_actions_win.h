// The two actions of the recording hot keys. They decide by the look of the menu "控制(&C)",
// which the recording controller keeps in step with the recording state, so a hot key runs
// exactly the command whose menu item the user could choose at that moment.
#pragma once

#include "app/recording_controller_win.h"
#include "platform/menu_model_win.h"

namespace glimwell {

// While "停止录制(&S)" is shown: pause when "暂停录制(&R)" is shown, else resume. Idle: nothing.
void TogglePause(const MenuModel& menu, RecordingController& recording);
// Start when "开始录制(&P)" is shown, else stop (which writes the recording file).
void ToggleStartStop(const MenuModel& menu, RecordingController& recording);

}  // namespace glimwell
