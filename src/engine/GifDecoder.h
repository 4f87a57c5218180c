#pragma once
// GIF files through giflib: the first image of the file, interlaced or not,
// with its own or the global colour table, on a canvas of the logical screen
// filled with the background colour. Records are read one by one, so the
// frames after the first are never decoded or held.
#include "engine/Bitmap.h"

#include <cstdint>

TBitmap DecodeGif(const uint8_t* data, size_t size);
