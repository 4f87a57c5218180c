#pragma once
// The Windows side of the working image. Its pixels live in a 24-bit
// top-down device-independent section selected into a memory DC of its own,
// both owned by the image and released with it, so GDI can blit the picture
// at once.
#include "imagewindow/FastBMP.h"

#include <windows.h>

// Makes every working image's pixels such a section; call once at start-up.
// A section that cannot be made is an EImageError, as any failed allocation.
void UseDibSectionsForFastBMP();

// The section that holds the image's pixels, and the memory DC it is
// selected into: null for an image with no pixels or one made before
// UseDibSectionsForFastBMP. After GDI has drawn into the DC, GdiFlush before
// the pixels are read.
HBITMAP FastBMPHandle(const TFastBMP& image);
HDC FastBMPDC(const TFastBMP& image);

// The image's description for GDI: a 40-byte header with its width, minus
// its height (top-down rows), one plane, 24 bits, no compression.
BITMAPINFO FastBMPInfo(const TFastBMP& image);

// A bitmap's pixels, converted by GDI to 24-bit top-down rows.
// Errors: EImageError.
TFastBMP FastBMPFromBitmap(HBITMAP bitmap);

// The whole image onto a device context at (x, y), a plain source copy; and
// stretched over width × height pixels in the colour-on-colour stretch mode.
// An image with no pixels draws nothing. Errors: EImageError.
void DrawFastBMP(const TFastBMP& image, HDC dc, int x, int y);
void StretchDrawFastBMP(const TFastBMP& image, HDC dc, int x, int y, int width, int height);
