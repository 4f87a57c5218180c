#include "imagewindow/win/DibDrawing.h"

#include "engine/win/DibInfo.h"

#include <vector>

void DrawDib(HDC dc, const TBitmap& bitmap, int x, int y) {
    if (!dc || bitmap.Empty()) return;
    TDibInfo info = DibInfo(bitmap);
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()), static_cast<DWORD>(bitmap.Height()), 0, 0, 0,
                      static_cast<UINT>(bitmap.Height()), bitmap.Row(0), info.Get(), DIB_RGB_COLORS);
}

win::UniquePalette MakeLogicalPalette(const TBitmap& bitmap) {
    const std::vector<TRGBQuad>& colors = bitmap.Palette();
    if (!HasPalette(bitmap.PixelFormat()) || colors.empty()) return {};
    const size_t count = std::min<size_t>(colors.size(), 256);
    std::vector<uint8_t> storage(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
    auto* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(count);
    for (size_t i = 0; i < count; ++i)
        palette->palPalEntry[i] = PALETTEENTRY{colors[i].Red, colors[i].Green, colors[i].Blue, 0};
    return win::UniquePalette(CreatePalette(palette));
}
