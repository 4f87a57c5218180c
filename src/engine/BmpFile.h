#pragma once
// Windows bitmap files: reading every header form (12, 40, 52, 56, 108 and
// 124 bytes; colour-space fields ignored), top-down and bottom-up rows, 1, 4,
// 8, 16, 24 and 32 bits, RLE4, RLE8 and bit-field masks, and writing them.
// 16- and 32-bit files are read as 24-bit bitmaps, so a file never yields a
// device-dependent bitmap.
#include "engine/Bitmap.h"

#include <cstdint>
#include <vector>

// Throws EImageError with a plain message for anything that is not a whole,
// valid bitmap file; never reads outside the given bytes.
TBitmap ReadBmp(const uint8_t* data, size_t size);
inline TBitmap ReadBmp(const std::vector<uint8_t>& bytes) {
    return ReadBmp(bytes.data(), bytes.size());
}

// A bottom-up file with a 40-byte header, uncompressed, with the bitmap's
// palette for indexed formats.
std::vector<uint8_t> WriteBmp(const TBitmap& bitmap);
