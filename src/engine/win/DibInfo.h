#pragma once
// The description GDI needs of one of the program's bitmaps: a 40-byte
// header for top-down rows (the height negative) and up to 256 colours.
#include "engine/Bitmap.h"

#include <windows.h>

#include <algorithm>

struct TDibInfo {
    BITMAPINFOHEADER Header{};
    RGBQUAD Colors[256]{};
    BITMAPINFO* Get() { return reinterpret_cast<BITMAPINFO*>(this); }
};

inline TDibInfo DibInfo(int width, int height, TPixelFormat format, const std::vector<TRGBQuad>& palette = {}) {
    TDibInfo info;
    info.Header.biSize = sizeof(BITMAPINFOHEADER);
    info.Header.biWidth = width;
    info.Header.biHeight = -height; // top-down, as the program's rows run
    info.Header.biPlanes = 1;
    info.Header.biBitCount = static_cast<WORD>(BitsPerPixel(format));
    info.Header.biCompression = BI_RGB;
    if (HasPalette(format)) {
        const size_t count = std::min<size_t>(palette.size(), size_t(1) << BitsPerPixel(format));
        info.Header.biClrUsed = static_cast<DWORD>(count);
        for (size_t i = 0; i < count; ++i)
            info.Colors[i] = RGBQUAD{palette[i].Blue, palette[i].Green, palette[i].Red, 0};
    }
    return info;
}

inline TDibInfo DibInfo(const TBitmap& bitmap) {
    return DibInfo(bitmap.Width(), bitmap.Height(), bitmap.PixelFormat(), bitmap.Palette());
}
