// A window timer with a settable period: 0 stops it. Ticks arrive as OnTimer(id) of the window.
#pragma once

#include <windows.h>

namespace glimwell {

class WindowTimer {
public:
    WindowTimer(HWND window, UINT_PTR id) : window_(window), id_(id) {}
    ~WindowTimer() { SetPeriod(0); }
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // Starts or restarts the timer with `milliseconds`; 0 stops it.
    void SetPeriod(UINT milliseconds) {
        if (milliseconds == 0) {
            if (period_ != 0 && IsWindow(window_)) KillTimer(window_, id_);
            period_ = 0;
        } else if (SetTimer(window_, id_, milliseconds, nullptr)) {
            period_ = milliseconds;
        }
    }
    UINT Period() const { return period_; }
    UINT_PTR Id() const { return id_; }

private:
    HWND window_;
    UINT_PTR id_;
    UINT period_ = 0;
};

}  // namespace glimwell
