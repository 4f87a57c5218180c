#pragma once
// The largest image the program accepts, checked from a file's header before
// anything is allocated. Every buffer a decoder holds at once counts.
#include "platform/Errors.h"

#include <cstdint>
#include <string>

struct TImageLimits {
    // 1 GiB of pixels in the 64-bit build (a 100-megapixel photo still
    // opens), 256 MiB in the 32-bit build, whose address space is smaller.
    static constexpr uint64_t kDefaultMaxBytes = sizeof(void*) >= 8 ? (uint64_t(1) << 30) : (uint64_t(256) << 20);
    uint64_t MaxBytes = kDefaultMaxBytes;

    // Throws EImageTooLarge unless width × height × bytesPerPixel (+ extra
    // bytes held at the same time) fits. Dimensions must be positive.
    void Check(int64_t width, int64_t height, double bytesPerPixel, uint64_t extra = 0) const;
    // The limits in force for this thread (tests and fuzz targets lower them).
    static TImageLimits& Current();
};

class EImageError : public EMuraltoError {
public:
    using EMuraltoError::EMuraltoError;
};

class EImageTooLarge : public EImageError {
public:
    using EImageError::EImageError;
};

// Caps TImageLimits::Current() for the life of the object.
class TImageLimitScope {
public:
    explicit TImageLimitScope(uint64_t maxBytes) : saved_(TImageLimits::Current()) {
        TImageLimits::Current().MaxBytes = maxBytes;
    }
    ~TImageLimitScope() { TImageLimits::Current() = saved_; }
    TImageLimitScope(const TImageLimitScope&) = delete;
    TImageLimitScope& operator=(const TImageLimitScope&) = delete;

private:
    TImageLimits saved_;
};
