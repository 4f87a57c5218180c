#pragma once
// WebP files through libwebp: lossy, lossless and with alpha; an animation
// gives its first frame as the canvas shows it. Pixels with alpha are laid
// over white into a 24-bit image.
#include "engine/Bitmap.h"

#include <cstddef>
#include <cstdint>

TBitmap DecodeWebp(const uint8_t* data, size_t size);
