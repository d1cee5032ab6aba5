// The notification-area icon of the main window: added when the window is made, added again
// when the taskbar is re-created, removed when the window is destroyed; while a recording
// runs a worker thread makes it blink. The icon's messages reach the owner through a link
// in the window's procedure chain (a window subclass) installed by Create().
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <string_view>
#include <thread>

#include "platform/win_handles.h"

namespace glimwell {

// The window message that carries the icon's mouse events (the mouse message in lParam).
inline constexpr UINT kTrayCallbackMessage = 102251;
inline constexpr UINT kTrayIconId = 1;
inline constexpr DWORD kTrayAddFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
// One blink step: the icon is shown for one step and dark for the next.
inline constexpr DWORD kTrayBlinkStepMs = 500;

class TrayIcon {
public:
    // How the icon reaches the shell; replaceable so that tests can watch the calls, which
    // come from the GUI thread and from the blink worker.
    using NotifyFunction = std::function<void(DWORD message, const NOTIFYICONDATAW& data)>;
    // What happened on the icon: WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, ...
    using EventFunction = std::function<void(UINT mouseMessage)>;

    explicit TrayIcon(NotifyFunction notify = nullptr);
    // Ends a blink worker (the icon is left visible).
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Links into `window`'s procedure, fills the record with the window's small icon (WM_GETICON)
    // and the tip (at most 127 characters), and adds the icon. Once per window.
    bool Create(HWND window, EventFunction onEvent, std::wstring_view tip);

    // Blinks the icon until stopped (count -1) or for count + 1 steps (count > 0). A worker
    // that is still running is ended first, so there is never more than one.
    void StartBlink(int count);
    // Asks the worker to end; it leaves the icon visible at once and ends.
    void StopBlink();
    bool BlinkRunning() const { return worker_.joinable() && !workerDone_; }

    const NOTIFYICONDATAW& Data() const { return data_; }
    UINT TaskbarCreatedMessage() const { return taskbarCreated_; }

private:
    static LRESULT CALLBACK Link(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    void EndWorker();
    void Blink(int count, NOTIFYICONDATAW record, HANDLE stop);

    NotifyFunction notify_;
    EventFunction onEvent_;
    NOTIFYICONDATAW data_{};
    UINT taskbarCreated_ = 0;
    HWND window_ = nullptr;
    std::thread worker_;
    ScopedKernelHandle stopEvent_;
    std::atomic<bool> workerDone_{true};
};

}  // namespace glimwell
