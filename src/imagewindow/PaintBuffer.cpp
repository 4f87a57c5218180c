#include "imagewindow/PaintBuffer.h"

#include "engine/Palette.h"

#include <cstring>

void TPaintBuffer::AssignFormat(const TBitmap& like) {
    // Only 8 bits and more can be drawn onto: smaller formats show as 8 bits.
    format_ = BitsPerPixel(like.PixelFormat()) < 8 ? TPixelFormat::pf8bit : like.PixelFormat();
    palette_ = like.Palette();
}

TBitmap& TPaintBuffer::Prepare(int width, int height, uint32_t color) {
    if (width <= 0 || height <= 0) {
        bitmap_ = TBitmap();
        return bitmap_;
    }
    if (bitmap_.Width() != width || bitmap_.Height() != height || bitmap_.PixelFormat() != format_)
        bitmap_.SetSize(width, height, format_, TPixelInit::Uninitialised);
    if (bitmap_.Palette() != palette_) bitmap_.Palette() = palette_;
    bitmap_.Fill(ColorToQuad(color));
    return bitmap_;
}

void DrawPicture(TBitmap& buffer, const TBitmap& picture, int x, int y) {
    if (buffer.Empty() || picture.Empty() || picture.PixelFormat() != buffer.PixelFormat()) return;
    DrawBitmap(buffer, picture, x, y);
}

void FrameBitmap(TBitmap& bitmap, uint32_t color) {
    if (bitmap.Empty()) return;
    const int bytes = BitsPerPixel(bitmap.PixelFormat()) / 8;
    if (bytes < 1) return;
    const TRGBQuad q = ColorToQuad(color);
    uint8_t pixel[4] = {q.Blue, q.Green, q.Red, 0};
    if (bytes == 1) pixel[0] = NearestPaletteIndex(bitmap.Palette(), q.Red, q.Green, q.Blue);
    const int w = bitmap.Width(), h = bitmap.Height();
    const auto put = [&](int x, int y) { std::memcpy(bitmap.Row(y) + size_t(x) * bytes, pixel, size_t(bytes)); };
    for (int x = 0; x < w; ++x) put(x, 0), put(x, h - 1);
    for (int y = 0; y < h; ++y) put(0, y), put(w - 1, y);
}
