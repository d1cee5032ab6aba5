// Waiting without freezing the windows: the calling thread keeps dispatching its messages.
#pragma once

namespace glimwell {

// Waits `milliseconds` on a one-shot waitable timer; each time messages arrive meanwhile,
// dispatches all pending messages of the calling thread, then waits on. A WM_QUIT seen
// meanwhile is posted again for the outer loop.
void WaitPumping(unsigned milliseconds);

// Dispatches every message pending for the calling thread; false when it met WM_QUIT, which
// is posted again for the outer loop.
bool PumpPendingMessages();

}  // namespace glimwell
