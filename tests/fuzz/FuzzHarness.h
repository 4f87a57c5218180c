#pragma once
// Shared by the decoder fuzz targets: a small image limit, and a pass over
// every output pixel so that a wrong size or stride shows as a bad read.
#include "engine/Bitmap.h"
#include "engine/ImageLimits.h"
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

inline constexpr uint64_t kFuzzMaxBytes = 4u << 20;

// An image the decoder delivers fits the limit it was given, its padded rows
// counted as the 32-bit build counts them: a size check that undercounts
// the rows, or a count that wraps there, shows as a crash.
inline void CheckWithinLimit(const TBitmap& bitmap) {
    if (bitmap.Empty()) return;
    const auto bytes = PaddedImageBytes<uint32_t>(uint64_t(bitmap.Width()), uint64_t(bitmap.Height()),
                                                  unsigned(BitsPerPixel(bitmap.PixelFormat())));
    if (bytes && *bytes <= kFuzzMaxBytes) return;
    std::fprintf(stderr, "a %d x %d image passed a limit of %llu bytes\n", bitmap.Width(), bitmap.Height(),
                 static_cast<unsigned long long>(kFuzzMaxBytes));
    std::abort();
}

inline unsigned TouchEveryPixel(const TBitmap& bitmap) {
    unsigned sum = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x) {
            const TRGBQuad c = bitmap.Pixel(x, y);
            sum += c.Red + c.Green + c.Blue;
        }
    return sum;
}

// Runs one decoder on the input; the program's own errors are expected.
template <typename Decode>
int FuzzOne(const uint8_t* data, size_t size, Decode decode) {
    TImageLimitScope limit(kFuzzMaxBytes);
    try {
        const TBitmap bitmap = decode(data, size);
        CheckWithinLimit(bitmap);
        volatile unsigned sink = TouchEveryPixel(bitmap);
        (void)sink;
    } catch (const EMuraltoError&) {
    }
    return 0;
}
