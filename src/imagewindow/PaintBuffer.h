#pragma once
// The off-screen picture of a flicker-free paint box: a bitmap of the
// control's size, in the pixel format and palette of the picture it shows,
// filled with the control's colour before each painting. It is made again
// only when the size or the format changes, so a drag step costs a fill
// and a copy, never an allocation.
#include "engine/Bitmap.h"

#include <cstdint>
#include <vector>

class TPaintBuffer {
public:
    // Takes the picture's pixel format and palette (no pixels are copied).
    void AssignFormat(const TBitmap& like);
    // The buffer at this size in the assigned format, every pixel the colour
    // (0x00BBGGRR; for a palette, its nearest entry).
    TBitmap& Prepare(int width, int height, uint32_t color);
    TBitmap& Bitmap() { return bitmap_; }
    const TBitmap& Bitmap() const { return bitmap_; }
    TPixelFormat Format() const { return format_; }

private:
    TBitmap bitmap_;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    std::vector<TRGBQuad> palette_;
};

// Draws a picture of the buffer's format at (x, y), clipped; the view's
// whole painting for one drag step.
void DrawPicture(TBitmap& buffer, const TBitmap& picture, int x, int y);

// A frame one pixel wide round the whole bitmap in the colour (0x00BBGGRR;
// for a palette, its nearest entry).
void FrameBitmap(TBitmap& bitmap, uint32_t color);
