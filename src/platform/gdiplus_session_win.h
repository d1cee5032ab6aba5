// GDI+ started for the lifetime of one object: once by the program entry, once per test program.
#pragma once

#include <windows.h>

#include <cstdint>

namespace glimwell {

class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool Started() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

}  // namespace glimwell
