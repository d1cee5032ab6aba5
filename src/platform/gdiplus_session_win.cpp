// GdiplusStartup / GdiplusShutdown.
#include "platform/gdiplus_session_win.h"

#include <gdiplus.h>

namespace glimwell {

GdiplusSession::GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
}

GdiplusSession::~GdiplusSession() {
    if (token_) Gdiplus::GdiplusShutdown(token_);
}

}  // namespace glimwell
