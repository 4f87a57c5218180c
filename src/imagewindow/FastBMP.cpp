#include "imagewindow/FastBMP.h"

#include "engine/Palette.h"
#include "imagewindow/PixelMath.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

using pixelmath::MakeBuffer;

namespace {

constexpr int kPixelBytes = 3;

// 16.16 fixed point of the fast resize: one source pixel is 1 << 16 = 65536.
constexpr int kFixed16Shift = 16;
// 1.15 fixed point of the smooth resize: one pixel, and a weight of 1, is
// 1 << 15 = 32768; the fraction is the low 15 bits (mask 32767). Fifteen
// bits keep a channel (< 2^8) times a weight (<= 2^15), and the sum of four
// such products, below 2^24, inside 32 unsigned bits.
constexpr int kFixed15Shift = 15;
constexpr uint32_t kFixed15One = uint32_t(1) << kFixed15Shift;
constexpr uint32_t kFixed15Fraction = kFixed15One - 1;

// A copy of width × height pixels from (sourceX, sourceY) of one image to
// (x, y) of another, clipped to both. Computed in 64 bits, so no position
// or size the caller passes can overflow.
struct TCopyRect {
    int X = 0, Y = 0, SourceX = 0, SourceY = 0, Width = 0, Height = 0;
};

bool ClipAxis(int64_t& target, int64_t& source, int64_t& size, int64_t sourceSize, int64_t targetSize) {
    if (source < 0) target -= source, size += source, source = 0;
    if (target < 0) source -= target, size += target, target = 0;
    size = std::min({size, sourceSize - source, targetSize - target});
    return size > 0;
}

std::optional<TCopyRect> ClipCopy(int x, int y, int sourceX, int sourceY, int width, int height, int sourceWidth,
                                  int sourceHeight, int targetWidth, int targetHeight) {
    int64_t tx = x, ty = y, sx = sourceX, sy = sourceY, w = width, h = height;
    if (!ClipAxis(tx, sx, w, sourceWidth, targetWidth) || !ClipAxis(ty, sy, h, sourceHeight, targetHeight))
        return std::nullopt;
    return TCopyRect{int(tx), int(ty), int(sx), int(sy), int(w), int(h)};
}

// The part [from, to) of [start, start + size) that lies inside [0, limit).
void ClipSpan(int64_t start, int64_t size, int64_t limit, int64_t& from, int64_t& to) {
    from = std::max<int64_t>(start, 0);
    to = std::min<int64_t>(start + size, limit);
}

// Calls span(targetX, targetY, sourceX, sourceY, count) for the runs of a
// tiling whose copies have their corners at (x + i·w, y + j·h), over the
// target rectangle [x0, x1) × [y0, y1), which lies right of and below (x, y).
template <typename Span>
void ForEachTileSpan(int w, int h, int64_t x, int64_t y, int64_t x0, int64_t x1, int64_t y0, int64_t y1, Span span) {
    for (int64_t ty = y0; ty < y1; ++ty) {
        const int sy = static_cast<int>((ty - y) % h);
        for (int64_t tx = x0; tx < x1;) {
            const int sx = static_cast<int>((tx - x) % w);
            const int count = static_cast<int>(std::min<int64_t>(w - sx, x1 - tx));
            span(static_cast<int>(tx), static_cast<int>(ty), sx, sy, count);
            tx += count;
        }
    }
}

// Writes runs of 24-bit pixels into a bitmap of any format. Indexed targets
// take the nearest palette entry of each colour.
class TBitmapWriter {
public:
    explicit TBitmapWriter(TBitmap& target) : target_(target) {}

    void Write(int x, int y, const uint8_t* bgr, int count) {
        uint8_t* row = target_.Row(y);
        switch (target_.PixelFormat()) {
        case TPixelFormat::pf24bit:
            std::memcpy(row + static_cast<size_t>(x) * kPixelBytes, bgr, static_cast<size_t>(count) * kPixelBytes);
            break;
        case TPixelFormat::pf32bit: {
            uint8_t* p = row + static_cast<size_t>(x) * 4;
            for (int i = 0; i < count; ++i, p += 4, bgr += kPixelBytes) p[0] = bgr[0], p[1] = bgr[1], p[2] = bgr[2], p[3] = 0;
            break;
        }
        case TPixelFormat::pf8bit: {
            TNearestColorMap& map = Map();
            for (int i = 0; i < count; ++i, bgr += kPixelBytes) row[x + i] = map.Nearest(bgr[2], bgr[1], bgr[0]);
            break;
        }
        default: {
            TNearestColorMap& map = Map();
            for (int i = 0; i < count; ++i, bgr += kPixelBytes)
                target_.SetIndex(x + i, y, map.Nearest(bgr[2], bgr[1], bgr[0]));
            break;
        }
        }
    }

private:
    TNearestColorMap& Map() {
        if (!map_) map_.emplace(target_.Palette());
        return *map_;
    }

    TBitmap& target_;
    std::optional<TNearestColorMap> map_;
};

// The 256 colours an indexed bitmap's pixels can name; past the palette, black.
std::array<TRGBQuad, 256> ColorTable(const TBitmap& bitmap) {
    std::array<TRGBQuad, 256> table{};
    const size_t n = std::min<size_t>(bitmap.Palette().size(), table.size());
    std::copy_n(bitmap.Palette().begin(), n, table.begin());
    return table;
}

} // namespace

TFastBMP TFastBMP::CreateBlank(int width, int height) {
    TFastBMP image;
    image.Allocate(width, height);
    return image;
}

const TFastBMP TFastBMP::ViewOf(const TBitmap& bitmap) {
    TFastBMP view;
    view.Borrow(bitmap);
    return view;
}

TFastBMP TFastBMP::CreateFromBitmap(const TBitmap& bitmap) {
    TFastBMP image = CreateBlank(bitmap.Width(), bitmap.Height());
    if (image.Empty()) return image;
    const int w = image.Width();
    const TPixelFormat format = bitmap.PixelFormat();
    const std::array<TRGBQuad, 256> colors = ColorTable(bitmap);
    for (int y = 0; y < image.Height(); ++y) {
        const uint8_t* in = bitmap.Row(y);
        uint8_t* out = image.Row(y);
        switch (format) {
        case TPixelFormat::pf24bit: std::memcpy(out, in, static_cast<size_t>(w) * kPixelBytes); break;
        case TPixelFormat::pf32bit:
            for (int x = 0; x < w; ++x, in += 4, out += kPixelBytes) out[0] = in[0], out[1] = in[1], out[2] = in[2];
            break;
        case TPixelFormat::pf8bit:
            for (int x = 0; x < w; ++x, out += kPixelBytes) {
                const TRGBQuad& c = colors[in[x]];
                out[0] = c.Blue, out[1] = c.Green, out[2] = c.Red;
            }
            break;
        default:
            for (int x = 0; x < w; ++x, out += kPixelBytes) {
                const TRGBQuad& c = colors[bitmap.Index(x, y)];
                out[0] = c.Blue, out[1] = c.Green, out[2] = c.Red;
            }
            break;
        }
    }
    return image;
}

TFastBMP TFastBMP::CreateCopy(const TFastBMP& other) {
    TFastBMP image = CreateBlank(other.Width(), other.Height());
    if (!image.Empty()) std::memcpy(image.Bits(), other.Bits(), other.ByteSize());
    return image;
}

void CopyPixels(const TFastBMP& source, TFastBMP& target) {
    if (source.Empty() || target.Empty() || &source == &target) return;
    if (source.Width() == target.Width() && source.Height() == target.Height()) {
        std::memcpy(target.Bits(), source.Bits(), source.ByteSize());
        return;
    }
    const size_t bytes = static_cast<size_t>(std::min(source.Width(), target.Width())) * kPixelBytes;
    for (int y = 0; y < std::min(source.Height(), target.Height()); ++y) std::memcpy(target.Row(y), source.Row(y), bytes);
}

void TFastBMP::Draw(TBitmap& target, int x, int y) const {
    DrawPart(target, x, y, 0, 0, Width(), Height());
}

void TFastBMP::StretchDraw(TBitmap& target, int x, int y, int width, int height) const {
    if (Empty() || target.Empty() || width <= 0 || height <= 0) return;
    int64_t x0, x1, y0, y1;
    ClipSpan(x, width, target.Width(), x0, x1);
    ClipSpan(y, height, target.Height(), y0, y1);
    if (x0 >= x1 || y0 >= y1) return;
    // Target column i of the stretched picture takes source column i·W div width.
    const size_t count = static_cast<size_t>(x1 - x0);
    std::vector<uint32_t> columns = MakeBuffer<uint32_t>(count);
    for (size_t i = 0; i < count; ++i)
        columns[i] = static_cast<uint32_t>((x0 - x + int64_t(i)) * Width() / width * kPixelBytes);
    std::vector<uint8_t> line = MakeBuffer<uint8_t>(count * kPixelBytes);
    TBitmapWriter writer(target);
    int64_t lineRow = -1;
    for (int64_t ty = y0; ty < y1; ++ty) {
        const int64_t sy = (ty - y) * Height() / height;
        if (sy != lineRow) {
            const uint8_t* row = Row(static_cast<int>(sy));
            for (size_t i = 0; i < count; ++i) std::memcpy(&line[i * kPixelBytes], row + columns[i], kPixelBytes);
            lineRow = sy;
        }
        writer.Write(static_cast<int>(x0), static_cast<int>(ty), line.data(), static_cast<int>(count));
    }
}

void TFastBMP::DrawPart(TBitmap& target, int x, int y, int sourceX, int sourceY, int width, int height) const {
    if (Empty() || target.Empty()) return;
    const auto r = ClipCopy(x, y, sourceX, sourceY, width, height, Width(), Height(), target.Width(), target.Height());
    if (!r) return;
    TBitmapWriter writer(target);
    for (int i = 0; i < r->Height; ++i)
        writer.Write(r->X, r->Y + i, Row(r->SourceY + i) + static_cast<size_t>(r->SourceX) * kPixelBytes, r->Width);
}

void TFastBMP::TileDraw(TBitmap& target, int x, int y, int width, int height) const {
    if (Empty() || target.Empty() || width <= 0 || height <= 0) return;
    int64_t x0, x1, y0, y1;
    ClipSpan(x, width, target.Width(), x0, x1);
    ClipSpan(y, height, target.Height(), y0, y1);
    TBitmapWriter writer(target);
    ForEachTileSpan(Width(), Height(), x, y, x0, x1, y0, y1, [&](int tx, int ty, int sx, int sy, int count) {
        writer.Write(tx, ty, Row(sy) + static_cast<size_t>(sx) * kPixelBytes, count);
    });
}

void TFastBMP::ResizeFast(TFastBMP& target) const {
    if (Empty() || target.Empty()) return;
    const int w = Width(), h = Height(), wt = target.Width(), ht = target.Height();
    if (w == wt && h == ht) {
        CopyPixels(*this, target);
        return;
    }
    // The scale factors in single precision, as the original kept them.
    const float sx = static_cast<float>(wt) / static_cast<float>(w);
    const float sy = static_cast<float>(ht) / static_cast<float>(h);
    if (sx >= 1.0f && sy >= 1.0f) {
        // Enlarging: each source pixel is written over a block of nx × ny
        // target pixels (rounded up by half a pixel and ties to even, so that
        // blocks meet); a block that spills over is overwritten by the next.
        const int64_t nx = pixelmath::RoundToInt64(static_cast<double>(sx) + 0.5);
        const int64_t ny = pixelmath::RoundToInt64(static_cast<double>(sy) + 0.5);
        std::vector<uint8_t> line = MakeBuffer<uint8_t>(static_cast<size_t>(wt) * kPixelBytes);
        for (int i = 0; i < h; ++i) {
            const uint8_t* in = Row(i);
            for (int j = 0; j < w; ++j, in += kPixelBytes) {
                const int64_t tx = static_cast<int64_t>(static_cast<double>(sx) * j);
                const int64_t end = std::min<int64_t>(tx + nx, wt);
                for (int64_t k = tx; k < end; ++k) std::memcpy(&line[static_cast<size_t>(k) * kPixelBytes], in, kPixelBytes);
            }
            const int64_t ty = static_cast<int64_t>(static_cast<double>(sy) * i);
            const int64_t end = std::min<int64_t>(ty + ny, ht);
            for (int64_t r = ty; r < end; ++r) std::memcpy(target.Row(static_cast<int>(r)), line.data(), line.size());
        }
        return;
    }
    // Otherwise 16.16 fixed point: the step in source pixels per target
    // pixel, formed in 64 bits (W × 65536 overflows 32 bits from 32,768 pixels).
    const int64_t xs = (int64_t(w) << kFixed16Shift) / wt;
    const int64_t ys = (int64_t(h) << kFixed16Shift) / ht;
    std::vector<uint32_t> columns = MakeBuffer<uint32_t>(static_cast<size_t>(wt));
    int64_t ax = 0;
    for (int x = 0; x < wt; ++x, ax += xs) columns[static_cast<size_t>(x)] = static_cast<uint32_t>((ax >> kFixed16Shift) * kPixelBytes);
    const size_t lineBytes = static_cast<size_t>(wt) * kPixelBytes;
    int64_t ay = 0, previous = -1;
    for (int y = 0; y < ht; ++y, ay += ys) {
        const int64_t sourceRow = ay >> kFixed16Shift;
        uint8_t* out = target.Row(y);
        if (sourceRow == previous) { // the same source row again: the same target row
            std::memcpy(out, target.Row(y - 1), lineBytes);
            continue;
        }
        const uint8_t* in = Row(static_cast<int>(sourceRow));
        for (int x = 0; x < wt; ++x, out += kPixelBytes) std::memcpy(out, in + columns[static_cast<size_t>(x)], kPixelBytes);
        previous = sourceRow;
    }
}

void TFastBMP::ResizeSmooth(TFastBMP& target) const {
    if (Empty() || target.Empty()) return;
    const int w = Width(), h = Height(), wt = target.Width(), ht = target.Height();
    if (w == 1) {
        ResizeFast(target);
        return;
    }
    if (w == wt && h == ht) {
        CopyPixels(*this, target);
        return;
    }
    // Steps in 1.15 fixed point over W − 1 and H − 1 pixels, so that the
    // right-hand neighbour of every sample exists; in 64 bits, since
    // (W − 1) × 32768 overflows 32 bits from 65,537 pixels.
    const int64_t xs = (int64_t(w - 1) << kFixed15Shift) / wt;
    const int64_t ys = (int64_t(h - 1) << kFixed15Shift) / ht;
    std::vector<uint32_t> offsets = MakeBuffer<uint32_t>(static_cast<size_t>(wt));
    std::vector<uint32_t> fractions = MakeBuffer<uint32_t>(static_cast<size_t>(wt));
    int64_t ax = 0;
    for (int x = 0; x < wt; ++x, ax += xs) {
        offsets[static_cast<size_t>(x)] = static_cast<uint32_t>((ax >> kFixed15Shift) * kPixelBytes);
        fractions[static_cast<size_t>(x)] = static_cast<uint32_t>(ax & kFixed15Fraction);
    }
    int64_t ay = 0;
    for (int y = 0; y < ht; ++y, ay += ys) {
        const int r0 = static_cast<int>(ay >> kFixed15Shift);
        const uint8_t* top = Row(r0);
        const uint8_t* bottom = h == 1 ? top : Row(r0 + 1);
        const uint32_t fy = static_cast<uint32_t>(ay & kFixed15Fraction);
        uint8_t* out = target.Row(y);
        for (int x = 0; x < wt; ++x, out += kPixelBytes) {
            const uint32_t fx = fractions[static_cast<size_t>(x)];
            const uint32_t wtr = (fx * (kFixed15One - fy)) >> kFixed15Shift;
            const uint32_t wtl = kFixed15One - fy - wtr;
            const uint32_t wbr = (fx * fy) >> kFixed15Shift;
            const uint32_t wbl = fy - wbr;
            const uint8_t* p = top + offsets[static_cast<size_t>(x)];
            const uint8_t* q = bottom + offsets[static_cast<size_t>(x)];
            for (int c = 0; c < kPixelBytes; ++c)
                out[c] = static_cast<uint8_t>((p[c] * wtl + p[c + kPixelBytes] * wtr + q[c] * wbl + q[c + kPixelBytes] * wbr) >>
                                              kFixed15Shift);
        }
    }
}

void TFastBMP::CopyRectTo(TFastBMP& target, int x, int y, int sourceX, int sourceY, int width, int height) const {
    if (Empty() || target.Empty()) return;
    const auto r = ClipCopy(x, y, sourceX, sourceY, width, height, Width(), Height(), target.Width(), target.Height());
    if (!r) return;
    // Within one image, a copy downwards goes bottom row first so that no
    // row is overwritten before it is read.
    const bool bottomFirst = &target == this && r->Y > r->SourceY;
    for (int k = 0; k < r->Height; ++k) {
        const int i = bottomFirst ? r->Height - 1 - k : k;
        std::memmove(target.Row(r->Y + i) + static_cast<size_t>(r->X) * kPixelBytes,
                     Row(r->SourceY + i) + static_cast<size_t>(r->SourceX) * kPixelBytes,
                     static_cast<size_t>(r->Width) * kPixelBytes);
    }
}

void TFastBMP::TileInto(TFastBMP& target) const {
    if (Empty() || target.Empty() || &target == this) return; // an image tiled over itself is itself
    ForEachTileSpan(Width(), Height(), 0, 0, 0, target.Width(), 0, target.Height(),
                    [&](int tx, int ty, int sx, int sy, int count) {
                        std::memcpy(target.Row(ty) + static_cast<size_t>(tx) * kPixelBytes,
                                    Row(sy) + static_cast<size_t>(sx) * kPixelBytes,
                                    static_cast<size_t>(count) * kPixelBytes);
                    });
}
