#pragma once
// The program's bitmap: a device-independent image of 1, 4 or 8 bits with a
// palette, or of 24 or 32 bits, stored top-down with rows padded to four
// bytes, the layout Windows uses for device-independent sections. On Windows
// the pixel memory is such a section (see SetPixelAllocator), so GDI can draw
// on it and blit it without a copy.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

enum class TPixelFormat { pf1bit, pf4bit, pf8bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat format);
bool HasPalette(TPixelFormat format);
// Bytes per row, padded to a multiple of four.
size_t RowBytes(int width, TPixelFormat format);

struct TRGBQuad {
    uint8_t Blue = 0, Green = 0, Red = 0, Reserved = 0;
    bool operator==(const TRGBQuad& o) const { return Blue == o.Blue && Green == o.Green && Red == o.Red; }
    bool operator!=(const TRGBQuad& o) const { return !(*this == o); }
};
inline TRGBQuad MakeRGB(uint8_t r, uint8_t g, uint8_t b) {
    return TRGBQuad{b, g, r, 0};
}

// Where pixels live. The default is zeroed heap memory.
class TPixelMemory {
public:
    virtual ~TPixelMemory() = default;
    virtual uint8_t* Data() = 0;
};
using TPixelAllocator =
    std::function<std::unique_ptr<TPixelMemory>(int width, int height, TPixelFormat format, size_t bytes)>;
// The Windows layer installs an allocator of device-independent sections at
// start-up; nothing else changes it.
void SetPixelAllocator(TPixelAllocator allocator);

// Whether new pixels must start at zero, or may be left for a decoder that writes
// every byte of every row (padding included) anyway.
enum class TPixelInit { Zeroed, Uninitialised };

class TBitmap {
public:
    TBitmap() = default;
    TBitmap(int width, int height, TPixelFormat format, TPixelInit init = TPixelInit::Zeroed);
    // A moved-from bitmap is empty, never a size without pixels.
    TBitmap(TBitmap&& other) noexcept { *this = std::move(other); }
    TBitmap& operator=(TBitmap&& other) noexcept;
    // No hidden copies: Clone says so.
    TBitmap(const TBitmap&) = delete;
    TBitmap& operator=(const TBitmap&) = delete;
    TBitmap Clone() const;

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    TPixelFormat PixelFormat() const { return format_; }
    size_t Stride() const { return stride_; }
    uint8_t* Row(int y) { return bits_ + static_cast<size_t>(y) * stride_; }
    const uint8_t* Row(int y) const { return bits_ + static_cast<size_t>(y) * stride_; }
    TPixelMemory* Memory() const { return memory_.get(); }

    std::vector<TRGBQuad>& Palette() { return palette_; }
    const std::vector<TRGBQuad>& Palette() const { return palette_; }

    // New zeroed pixels of this size and format; the palette is kept.
    void SetSize(int width, int height, TPixelFormat format, TPixelInit init = TPixelInit::Zeroed);
    void Clear();
    // Converts the pixels. Indexed to true colour uses the palette; 1 and 4
    // bits widen to 8 keeping their colours; true colour to 8 bits reduces the
    // colours (octree quantiser, system colours at both ends, error diffusion).
    void SetPixelFormat(TPixelFormat format);

    // The colour of one pixel, for indexed formats through the palette
    // (an index past the palette reads black).
    TRGBQuad Pixel(int x, int y) const;
    uint8_t Index(int x, int y) const;
    void SetIndex(int x, int y, uint8_t index);
    // Every pixel this colour; for palette formats the nearest entry.
    void Fill(TRGBQuad color);

private:
    int width_ = 0, height_ = 0;
    TPixelFormat format_ = TPixelFormat::pf24bit;
    size_t stride_ = 0;
    std::unique_ptr<TPixelMemory> memory_;
    uint8_t* bits_ = nullptr;
    std::vector<TRGBQuad> palette_;
};

// Copies src onto dst with its top-left corner at (x, y), clipped to dst.
// Both must have the same pixel format of 8 bits or more.
void DrawBitmap(TBitmap& dst, const TBitmap& src, int x, int y);

// Colours as the program stores them: 0x00BBGGRR.
inline TRGBQuad ColorToQuad(uint32_t color) {
    return MakeRGB(uint8_t(color & 0xFF), uint8_t((color >> 8) & 0xFF), uint8_t((color >> 16) & 0xFF));
}
inline uint32_t QuadToColor(const TRGBQuad& q) {
    return uint32_t(q.Red) | (uint32_t(q.Green) << 8) | (uint32_t(q.Blue) << 16);
}
