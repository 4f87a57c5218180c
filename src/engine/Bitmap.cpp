#include "engine/Bitmap.h"

#include "engine/ColorReduction.h"
#include "engine/ImageLimits.h"
#include "engine/Palette.h"
#include "engine/PixelHeap.h"

#include <algorithm>

#include <cstring>
#include <new>
#include <utility>

namespace {

TPixelAllocator& Allocator() {
    static TPixelAllocator allocator;
    return allocator;
}

} // namespace

void SetPixelAllocator(TPixelAllocator allocator) {
    Allocator() = std::move(allocator);
}

int BitsPerPixel(TPixelFormat format) {
    switch (format) {
    case TPixelFormat::pf1bit: return 1;
    case TPixelFormat::pf4bit: return 4;
    case TPixelFormat::pf8bit: return 8;
    case TPixelFormat::pf24bit: return 24;
    case TPixelFormat::pf32bit: return 32;
    }
    return 24;
}

bool HasPalette(TPixelFormat format) {
    return BitsPerPixel(format) <= 8;
}

size_t RowBytes(int width, TPixelFormat format) {
    return ((static_cast<size_t>(width) * BitsPerPixel(format) + 31) / 32) * 4;
}

TBitmap& TBitmap::operator=(TBitmap&& other) noexcept {
    if (this == &other) return *this;
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    format_ = other.format_;
    stride_ = std::exchange(other.stride_, 0);
    memory_ = std::move(other.memory_);
    bits_ = std::exchange(other.bits_, nullptr);
    palette_ = std::move(other.palette_);
    other.palette_.clear();
    return *this;
}

TBitmap::TBitmap(int width, int height, TPixelFormat format, TPixelInit init) {
    SetSize(width, height, format, init);
}

void TBitmap::SetSize(int width, int height, TPixelFormat format, TPixelInit) {
    memory_.reset();
    bits_ = nullptr;
    format_ = format;
    if (width <= 0 || height <= 0) {
        width_ = height_ = 0;
        stride_ = 0;
        return;
    }
    // The padded rows are what is allocated; the count cannot have wrapped.
    const size_t bytes = TImageLimits::Current().CheckRows(width, height, BitsPerPixel(format));
    const size_t stride = RowBytes(width, format);
    memory_ = Allocator() ? Allocator()(width, height, format, bytes) : nullptr;
    if (!memory_) memory_ = NewHeapPixels(bytes); // zeroed either way: fresh pages cost nothing
    if (!memory_) throw std::bad_alloc();
    bits_ = memory_->Data();
    width_ = width;
    height_ = height;
    stride_ = stride;
}

void TBitmap::Clear() {
    SetSize(0, 0, format_);
    palette_.clear();
}

TBitmap TBitmap::Clone() const {
    TBitmap copy;
    copy.palette_ = palette_;
    copy.SetSize(width_, height_, format_);
    if (!Empty()) std::memcpy(copy.bits_, bits_, stride_ * static_cast<size_t>(height_));
    return copy;
}

uint8_t TBitmap::Index(int x, int y) const {
    const uint8_t* row = Row(y);
    switch (format_) {
    case TPixelFormat::pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case TPixelFormat::pf4bit: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    case TPixelFormat::pf8bit: return row[x];
    default: return 0;
    }
}

void TBitmap::SetIndex(int x, int y, uint8_t index) {
    uint8_t* row = Row(y);
    switch (format_) {
    case TPixelFormat::pf1bit: {
        const uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        row[x >> 3] = static_cast<uint8_t>((index & 1) ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit));
        break;
    }
    case TPixelFormat::pf4bit:
        row[x >> 1] = static_cast<uint8_t>((x & 1) ? ((row[x >> 1] & 0xF0) | (index & 0x0F))
                                                   : ((row[x >> 1] & 0x0F) | (index << 4)));
        break;
    case TPixelFormat::pf8bit: row[x] = index; break;
    default: break;
    }
}

TRGBQuad TBitmap::Pixel(int x, int y) const {
    if (HasPalette(format_)) {
        const uint8_t i = Index(x, y);
        return i < palette_.size() ? palette_[i] : TRGBQuad{};
    }
    const uint8_t* p = Row(y) + static_cast<size_t>(x) * (format_ == TPixelFormat::pf32bit ? 4 : 3);
    return TRGBQuad{p[0], p[1], p[2], 0};
}

void TBitmap::Fill(TRGBQuad color) {
    if (HasPalette(format_)) {
        uint8_t index = NearestPaletteIndex(palette_, color.Red, color.Green, color.Blue);
        // A whole byte of that index: 1 and 4 bits repeat it.
        if (format_ == TPixelFormat::pf4bit) index = static_cast<uint8_t>(index * 0x11);
        if (format_ == TPixelFormat::pf1bit) index = index ? 0xFF : 0x00;
        for (int y = 0; y < height_; ++y) std::memset(Row(y), index, stride_);
        return;
    }
    if (Empty()) return;
    const int bpp = format_ == TPixelFormat::pf32bit ? 4 : 3;
    uint8_t* first = Row(0);
    for (int x = 0; x < width_; ++x, first += bpp) first[0] = color.Blue, first[1] = color.Green, first[2] = color.Red;
    for (int y = 1; y < height_; ++y) std::memcpy(Row(y), Row(0), static_cast<size_t>(width_) * bpp);
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
    if (format == format_) return;
    if (Empty()) {
        format_ = format;
        return;
    }
    if (format == TPixelFormat::pf8bit && !HasPalette(format_)) {
        *this = ReduceTo256Colors(*this);
        return;
    }
    TBitmap out(width_, height_, format);
    if (format == TPixelFormat::pf8bit) { // widen 1 or 4 bits, keeping the colours
        out.palette_ = palette_;
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) out.Row(y)[x] = Index(x, y);
    } else if (format == TPixelFormat::pf24bit || format == TPixelFormat::pf32bit) {
        const int bpp = format == TPixelFormat::pf32bit ? 4 : 3;
        for (int y = 0; y < height_; ++y) {
            uint8_t* p = out.Row(y);
            for (int x = 0; x < width_; ++x, p += bpp) {
                const TRGBQuad c = Pixel(x, y);
                p[0] = c.Blue, p[1] = c.Green, p[2] = c.Red;
            }
        }
    } else {
        throw EImageError("This bitmap cannot be converted to fewer than 8 bits per pixel.");
    }
    *this = std::move(out);
}

void DrawBitmap(TBitmap& dst, const TBitmap& src, int x, int y) {
    if (dst.Empty() || src.Empty()) return;
    if (dst.PixelFormat() != src.PixelFormat() || BitsPerPixel(src.PixelFormat()) < 8)
        throw EImageError("Bitmaps of different formats cannot be drawn onto each other.");
    const int bytes = BitsPerPixel(src.PixelFormat()) / 8;
    // The far edges in 64 bits: a position far off the target cannot wrap.
    const int left = std::max(x, 0), right = int(std::min<int64_t>(int64_t(x) + src.Width(), dst.Width()));
    const int top = std::max(y, 0), bottom = int(std::min<int64_t>(int64_t(y) + src.Height(), dst.Height()));
    if (left >= right || top >= bottom) return;
    for (int row = top; row < bottom; ++row)
        std::memcpy(dst.Row(row) + size_t(left) * bytes, src.Row(row - y) + size_t(left - x) * bytes,
                    size_t(right - left) * bytes);
}
