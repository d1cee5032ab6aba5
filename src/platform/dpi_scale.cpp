// Scaling of 96-DPI layout pixels to the system DPI.
#include "platform/dpi_scale.h"

#include <cstdint>

namespace glimwell {

int ScaleForDpi(int value, int dpi) {
    if (dpi <= 0 || dpi == kLayoutDpi) return value;
    const std::int64_t scaled = static_cast<std::int64_t>(value) * dpi;
    // Round half away from zero, so a layout mirrored around 0 stays mirrored.
    const std::int64_t half = kLayoutDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kLayoutDpi : -((-scaled + half) / kLayoutDpi));
}

}  // namespace glimwell
