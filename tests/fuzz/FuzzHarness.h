#pragma once
// Shared by the decoder fuzz targets: a small image limit, and a pass over
// every output pixel so that a wrong size or stride shows as a bad read.
#include "engine/Bitmap.h"
#include "engine/ImageLimits.h"
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>

inline constexpr uint64_t kFuzzMaxBytes = 4u << 20;

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
        volatile unsigned sink = TouchEveryPixel(decode(data, size));
        (void)sink;
    } catch (const EMuraltoError&) {
    }
    return 0;
}
