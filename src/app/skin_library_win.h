// The optional skin library. The program carries neither its bytes nor skin data: when
// SkinH_EL.dll stands beside the executable it is loaded by that full path and asked to draw
// the program's windows; otherwise the windows keep the system's look.
#pragma once

namespace glimwell {

// Attaches the skin (with no skin data of ours) and switches its glass look on. False when the
// library is absent or lacks its functions.
bool AttachOptionalSkin();

}  // namespace glimwell
