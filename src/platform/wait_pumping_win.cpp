// WaitPumping: waitable timer plus MsgWaitForMultipleObjects.
#include "platform/wait_pumping_win.h"

#include <windows.h>

#include "platform/win_handles.h"

namespace glimwell {

bool PumpPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void WaitPumping(unsigned milliseconds) {
    ScopedKernelHandle timer(CreateWaitableTimerW(nullptr, FALSE, nullptr));
    if (!timer) return;
    LARGE_INTEGER due{};
    due.QuadPart = -static_cast<LONGLONG>(milliseconds) * 10000;  // relative, in 100 ns units
    if (!SetWaitableTimer(timer.Get(), &due, 0, nullptr, nullptr, FALSE)) return;
    HANDLE handles[] = {timer.Get()};
    while (true) {
        const DWORD woke = MsgWaitForMultipleObjects(1, handles, FALSE, INFINITE,
                                                     QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1) return;  // the timer fired, or the wait failed
        if (!PumpPendingMessages()) return;  // the program is ending: stop waiting
    }
}

}  // namespace glimwell
