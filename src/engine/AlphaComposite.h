#pragma once
// Pixels with alpha laid over the one background the program uses for them,
// white, into 24-bit rows: c × a + 255 × (255 − a), divided by 255 and
// rounded.
#include <cstddef>
#include <cstdint>

// count pixels of blue, green, red, alpha into blue, green, red.
inline void CompositeBgraOverWhite(const uint8_t* bgra, uint8_t* bgr, size_t count) {
    for (size_t x = 0; x < count; ++x, bgra += 4, bgr += 3) {
        const unsigned a = bgra[3];
        if (a == 255) {
            bgr[0] = bgra[0], bgr[1] = bgra[1], bgr[2] = bgra[2];
            continue;
        }
        const unsigned white = 255 * (255 - a) + 127;
        bgr[0] = static_cast<uint8_t>((bgra[0] * a + white) / 255);
        bgr[1] = static_cast<uint8_t>((bgra[1] * a + white) / 255);
        bgr[2] = static_cast<uint8_t>((bgra[2] * a + white) / 255);
    }
}
