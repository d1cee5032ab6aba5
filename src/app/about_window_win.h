// AboutWindow: the version and contact lines, shown modally over the main window.
#pragma once

#include "platform/layout_win.h"
#include "platform/window_win.h"

namespace glimwell {

class AboutWindow : public Window {
public:
    // Makes the window (hidden) owned by `owner`; RunModal shows it.
    bool Create(HWND owner);

protected:
    bool OnCreate() override;

private:
    Layout layout_;
};

// Makes the about window and runs it modally over `owner`.
void ShowAboutWindow(HWND owner);

}  // namespace glimwell
