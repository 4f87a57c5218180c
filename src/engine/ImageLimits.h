#pragma once
// The largest image the program accepts, checked from a file's header before
// anything is allocated. Every buffer a decoder holds at once counts.
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

// rows × padded row bytes of a width × height image whose rows hold
// bitsPerPixel per pixel, padded to a multiple of rowAlignment bytes,
// counted in Size; nothing when the count does not fit a Size. The program
// counts in size_t; a test counts in uint32_t to meet, on a 64-bit host,
// what the 32-bit build meets.
template <typename Size>
std::optional<Size> PaddedImageBytes(uint64_t width, uint64_t height, unsigned bitsPerPixel, unsigned rowAlignment = 4) {
    static_assert(std::is_unsigned_v<Size>, "sizes are counted unsigned");
    if (rowAlignment == 0) return std::nullopt;
    // One row in 64 bits first: a row too wide for Size is then seen as
    // such instead of wrapping halfway.
    uint64_t rowBits;
    if (__builtin_mul_overflow(width, uint64_t(bitsPerPixel), &rowBits)) return std::nullopt;
    const uint64_t unitBits = uint64_t(rowAlignment) * 8;
    const uint64_t rowBytes = (rowBits / unitBits + (rowBits % unitBits != 0)) * rowAlignment;
    Size bytes;
    if (__builtin_mul_overflow(rowBytes, height, &bytes)) return std::nullopt;
    return bytes;
}

class EImageError : public EMuraltoError {
public:
    using EMuraltoError::EMuraltoError;
};

class EImageTooLarge : public EImageError {
public:
    using EImageError::EImageError;
};

struct TImageLimits {
    // 1 GiB of pixels in the 64-bit build (a 100-megapixel photo still
    // opens), 256 MiB in the 32-bit build, whose address space is smaller.
    static constexpr uint64_t kDefaultMaxBytes = sizeof(void*) >= 8 ? (uint64_t(1) << 30) : (uint64_t(256) << 20);
    uint64_t MaxBytes = kDefaultMaxBytes;

    // Throws EImageTooLarge unless width × height × bytesPerPixel (+ extra
    // bytes held at the same time) fits. Dimensions must be positive.
    void Check(int64_t width, int64_t height, double bytesPerPixel, uint64_t extra = 0) const;
    // The bytes of a width × height image whose rows hold bitsPerPixel per
    // pixel, padded to rowAlignment bytes, as PaddedImageBytes counts them in
    // Size. Throws EImageTooLarge unless they (+ extra bytes held at the same
    // time) fit the limit and a Size, so the count returned is safe to
    // allocate. Dimensions must be positive.
    template <typename Size = size_t>
    Size CheckRows(int64_t width, int64_t height, unsigned bitsPerPixel, unsigned rowAlignment = 4,
                   uint64_t extra = 0) const {
        if (width <= 0 || height <= 0) throw EImageError("The image has no size.");
        const std::optional<Size> bytes =
            PaddedImageBytes<Size>(uint64_t(width), uint64_t(height), bitsPerPixel, rowAlignment);
        if (!bytes || uint64_t(*bytes) > MaxBytes || extra > MaxBytes - uint64_t(*bytes)) TooLarge(width, height);
        return *bytes;
    }
    // The limits in force for this thread (tests and fuzz targets lower them).
    static TImageLimits& Current();

private:
    [[noreturn]] static void TooLarge(int64_t width, int64_t height);
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
