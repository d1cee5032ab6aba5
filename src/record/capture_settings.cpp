// Normalising the capturer's options.
#include "record/capture_settings.h"

namespace glimwell {

std::int32_t NormalizeQuality(std::optional<std::int32_t> quality) {
    if (quality && *quality >= 0 && *quality <= 100) return *quality;
    return kDefaultQuality;
}

std::int32_t NormalizeBitsPerPixel(std::int32_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return bitsPerPixel;
    default:
        return kDefaultBitsPerPixel;
    }
}

bool IsCompressionMode(std::int32_t mode) { return mode >= 1 && mode <= 3; }

CompressionMode NormalizeCompression(std::int32_t mode) {
    return IsCompressionMode(mode) ? static_cast<CompressionMode>(mode) : kDefaultCompression;
}

std::int32_t NormalizeRowStep(std::int32_t rowStep) {
    return rowStep >= 1 && rowStep <= kMaxRowStep ? rowStep : kDefaultRowStep;
}

}  // namespace glimwell
