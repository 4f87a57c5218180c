#pragma once
// JPEG files through libjpeg (libjpeg-turbo): baseline, progressive,
// greyscale and CMYK. With eightBit the library's own two-pass colour
// quantisation gives an 8-bit image with at most 256 colours.
#include "engine/Bitmap.h"

#include <cstdint>

TBitmap DecodeJpeg(const uint8_t* data, size_t size, bool eightBit);
