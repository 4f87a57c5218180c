#pragma once
// The first image of an icon file, drawn at (0, 0) on a white bitmap of its
// size, as Windows draws an icon: the mask keeps the background, the colour
// bits are combined with it, and 32-bit images with an alpha channel are
// blended. This portable reader takes images stored as bitmaps; icons stored
// as PNG images are drawn by the Windows build only.
#include "engine/Bitmap.h"

#include <cstdint>

TBitmap DecodeIconPortable(const uint8_t* data, size_t size);

// Where the first image's bytes lie in an icon file, with its stated size.
struct TIconEntry {
    int Width = 0, Height = 0;
    size_t Offset = 0, Size = 0;
};
TIconEntry FirstIconEntry(const uint8_t* data, size_t size);
