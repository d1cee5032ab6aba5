// Tray icon: the shell record, the procedure-chain link and the blink worker.
#include "app/tray_icon_win.h"

#include <commctrl.h>

#include <algorithm>

namespace glimwell {

namespace {
constexpr UINT_PTR kTrayLinkId = 0x7472;  // this link's id among the window's subclasses
}

TrayIcon::TrayIcon(NotifyFunction notify)
    : notify_(notify ? std::move(notify)
                     : NotifyFunction([](DWORD message, const NOTIFYICONDATAW& data) {
                           Shell_NotifyIconW(message, const_cast<NOTIFYICONDATAW*>(&data));
                       })),
      stopEvent_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

TrayIcon::~TrayIcon() {
    EndWorker();
    if (window_ && IsWindow(window_)) RemoveWindowSubclass(window_, Link, kTrayLinkId);
}

bool TrayIcon::Create(HWND window, EventFunction onEvent, std::wstring_view tip) {
    if (window_ || !window) return false;
    if (!SetWindowSubclass(window, Link, kTrayLinkId, reinterpret_cast<DWORD_PTR>(this))) return false;
    window_ = window;
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    // The wide record in its Windows 2000 form: the fields up to the balloon texts.
    data_.cbSize = NOTIFYICONDATAW_V2_SIZE;
    data_.hWnd = window;
    data_.uID = kTrayIconId;
    data_.hIcon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    data_.uFlags = kTrayAddFlags;
    data_.uCallbackMessage = kTrayCallbackMessage;
    const std::size_t length = std::min(tip.size(), std::size(data_.szTip) - 1);
    tip.copy(data_.szTip, length);
    data_.szTip[length] = L'\0';
    onEvent_ = std::move(onEvent);
    notify_(NIM_ADD, data_);
    return true;
}

LRESULT CALLBACK TrayIcon::Link(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR selfData) {
    auto* self = reinterpret_cast<TrayIcon*>(selfData);
    try {
        if (message == kTrayCallbackMessage) {
            if (self->onEvent_) self->onEvent_(static_cast<UINT>(lParam));
        } else if (message == self->taskbarCreated_ && message != 0) {
            self->notify_(NIM_DELETE, self->data_);
            self->data_.uFlags = kTrayAddFlags;
            self->notify_(NIM_ADD, self->data_);
        } else if (message == WM_DESTROY) {
            self->EndWorker();
            self->notify_(NIM_DELETE, self->data_);
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, Link, kTrayLinkId);
            self->window_ = nullptr;
        }
    } catch (...) {
        // The message still goes on down the chain.
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

void TrayIcon::StartBlink(int count) {
    EndWorker();
    ResetEvent(stopEvent_.Get());
    workerDone_ = false;
    worker_ = std::thread(&TrayIcon::Blink, this, count, data_, stopEvent_.Get());
}

void TrayIcon::StopBlink() { SetEvent(stopEvent_.Get()); }

void TrayIcon::EndWorker() {
    if (!worker_.joinable()) return;
    SetEvent(stopEvent_.Get());
    worker_.join();
}

// The worker has its own copy of the record, so the GUI thread's record is never written
// from two threads; both only ever send it to the shell.
void TrayIcon::Blink(int count, NOTIFYICONDATAW record, HANDLE stop) {
    const HICON icon = record.hIcon;
    record.uFlags = NIF_ICON;
    try {
        for (int step = 0;; ) {
            record.hIcon = step % 2 == 1 ? nullptr : icon;
            notify_(NIM_MODIFY, record);
            if (WaitForSingleObject(stop, kTrayBlinkStepMs) != WAIT_TIMEOUT) break;
            ++step;
            if (count > 0 && step > count) break;
        }
        record.hIcon = icon;
        notify_(NIM_MODIFY, record);
    } catch (...) {
    }
    workerDone_ = true;
}

}  // namespace glimwell
