#include "engine/ImageLimits.h"

void TImageLimits::Check(int64_t width, int64_t height, double bytesPerPixel, uint64_t extra) const {
    if (width <= 0 || height <= 0) throw EImageError("The image has no size.");
    // Dimensions come from files: compare in floating point, which cannot overflow.
    const double bytes = static_cast<double>(width) * static_cast<double>(height) * bytesPerPixel +
                         static_cast<double>(extra);
    if (bytes > static_cast<double>(MaxBytes)) TooLarge(width, height);
}

void TImageLimits::TooLarge(int64_t width, int64_t height) {
    throw EImageTooLarge("The image is too large to open (" + std::to_string(width) + " x " + std::to_string(height) +
                         " pixels).");
}

TImageLimits& TImageLimits::Current() {
    thread_local TImageLimits limits;
    return limits;
}
