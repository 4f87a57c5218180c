#pragma once
// PNG files through libpng: every colour type and bit depth, interlaced or
// not, with tRNS transparency. 16-bit channels are scaled to 8 bits, the
// gamma is left as stored, and pixels with alpha are laid over white (as the
// program's icons are) into a 24-bit image.
#include "engine/Bitmap.h"

#include <cstddef>
#include <cstdint>

TBitmap DecodePng(const uint8_t* data, size_t size);
