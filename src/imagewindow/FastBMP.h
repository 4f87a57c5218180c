#pragma once
// The working image of every pixel operation: a 24-bit top-down picture
// that lives for one operation. Besides making one, it draws itself onto the
// program's bitmaps (whatever their format) and resizes itself into another
// working image, fast (nearest pixel) or smooth (bilinear).
//
// On Windows the pixels are a device-independent section selected into a
// memory DC; imagewindow/win/FastBMPWin.h reaches the section and the DC.
#include "engine/Bitmap.h"
#include "imagewindow/FastRGB.h"

class TFastBMP : public TFastRGB {
public:
    // An image with no pixels; every operation on it does nothing.
    TFastBMP() = default;
    TFastBMP(TFastBMP&&) noexcept = default;
    TFastBMP& operator=(TFastBMP&&) noexcept = default;

    // New pixels of this size, all zero (a section's first content). A side
    // of 0 or less gives an image with no pixels. Errors: EImageError.
    static TFastBMP CreateBlank(int width, int height);
    // The bitmap's pixels as 24-bit colour, whatever its format (indexed
    // formats through the palette; an index past it reads black).
    static TFastBMP CreateFromBitmap(const TBitmap& bitmap);
    // A 24-bit bitmap's own pixels as a working image to read from, without
    // a copy: the bitmap must outlive the view and stay unchanged meanwhile.
    // Bitmaps of other formats give an image with no pixels.
    static const TFastBMP ViewOf(const TBitmap& bitmap);
    // An image of the same size with the same bytes. No copy is ever made
    // without saying so: this is the only way to get one.
    static TFastBMP CreateCopy(const TFastBMP& other);

    // The operations, in the order of the original slot table. Rectangles
    // are clipped to both images; a width or height of 0 or less draws
    // nothing. Targets of 1, 4 or 8 bits get, for every pixel, the palette
    // entry nearest to its colour (the program's one nearest-colour rule);
    // 32-bit targets get 0 in the fourth byte of the pixels drawn.

    // The whole image with its top-left corner at (x, y) of the target.
    virtual void Draw(TBitmap& target, int x, int y) const;
    // The whole image stretched over width × height pixels at (x, y),
    // nearest pixel (each target pixel takes one source pixel, none are
    // blended), as the colour-on-colour stretch mode does.
    virtual void StretchDraw(TBitmap& target, int x, int y, int width, int height) const;
    // width × height pixels from (sourceX, sourceY) of this image, unscaled,
    // to (x, y) of the target.
    virtual void DrawPart(TBitmap& target, int x, int y, int sourceX, int sourceY, int width, int height) const;
    // The rectangle of width × height at (x, y) covered with copies of this
    // image, the first one's top-left corner at (x, y).
    virtual void TileDraw(TBitmap& target, int x, int y, int width, int height) const;
    // Resamples this image into the target (whose size is the result's),
    // nearest pixel.
    virtual void ResizeFast(TFastBMP& target) const;
    // The same, bilinear with 15-bit weights.
    virtual void ResizeSmooth(TFastBMP& target) const;
    // DrawPart between two working images.
    virtual void CopyRectTo(TFastBMP& target, int x, int y, int sourceX, int sourceY, int width, int height) const;
    // Covers the whole target with copies of this image from its top-left corner.
    virtual void TileInto(TFastBMP& target) const;
};

// The overlapping top-left part of source copied into target (the whole
// image when the sizes are equal): what an operation does whose parameters
// leave the picture as it is.
void CopyPixels(const TFastBMP& source, TFastBMP& target);
