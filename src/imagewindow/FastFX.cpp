#include "imagewindow/FastFX.h"

#include "imagewindow/PixelMath.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

using pixelmath::MakeBuffer;
using pixelmath::RoundToInt64;

namespace {

constexpr int kPixelBytes = 3;
constexpr double kPi = 3.14159265358979323846;
// π and π/2 rounded to single precision, for the single-precision angles.
constexpr float kPiF = static_cast<float>(kPi);
constexpr float kHalfPiF = static_cast<float>(kPi / 2);

// Sine, cosine and arc tangent of single-precision angles: evaluated in
// double and rounded once to single, as the original's extended-precision
// unit did. The float functions of the C library are not correctly rounded
// and would give other pixels.
inline float SinF(float a) {
    return static_cast<float>(std::sin(static_cast<double>(a)));
}
inline float CosF(float a) {
    return static_cast<float>(std::cos(static_cast<double>(a)));
}
inline float AtanF(float a) {
    return static_cast<float>(std::atan(static_cast<double>(a)));
}

// 16.16 fixed point of the fast rotation: one source pixel is 1 << 16 = 65536.
constexpr int kFixed16Shift = 16;
constexpr double kFixed16One = 65536.0;

inline void CopyPixel(uint8_t* to, const uint8_t* from) {
    to[0] = from[0], to[1] = from[1], to[2] = from[2];
}

// Radians of an angle in degrees, as the rotations form them: −degrees × π × (1 / 180).
inline double RotationRadians(double degrees) {
    return -degrees * kPi * (1.0 / 180);
}

// One axis of the wrap-around sampling: the two neighbouring columns (or
// rows) of a source point and their weights.
struct TSampleAxis {
    int I0 = 0, I1 = 0;
    float W0 = 0, W1 = 0;
};

// Source points this far out or farther, and those that are no number at
// all, have no pixel: their integer part would not fit in 64 bits.
constexpr float kSampleReach = 4.0e18f;

inline bool SampleAxis(float n, int size, TSampleAxis& axis) {
    if (!(std::fabs(n) < kSampleReach)) return false;
    int64_t i = static_cast<int64_t>(n); // trunc(n), exact in this range
    const float t = static_cast<float>(i);
    if (n >= 0) {
        const float f = n - t;
        axis.W0 = 1.0f - f, axis.W1 = f;
    } else {
        const float g = t - n;
        axis.W0 = g, axis.W1 = 1.0f - g;
    }
    // Wrap into the image (a point just left of it lands one pixel short of
    // the right edge, as in the original).
    if (i < 0)
        i = (size - 1) - ((-i) % size);
    else if (i > size - 1)
        i = i % size;
    axis.I0 = static_cast<int>(i);
    axis.I1 = axis.I0 + 1 == size ? 0 : axis.I0 + 1;
    return true;
}

// The sample of the fish eye and the twirl at the source point (nx, ny):
// four neighbours, wrapping around the edges, weighted and summed in single
// precision in the order (tx, ty), (tx + 1, ty), (tx, ty + 1), (tx + 1, ty + 1).
// False (and nothing written) when the point has no pixel.
inline bool SampleWrapped(const TFastBMP& source, float nx, float ny, uint8_t* out) {
    TSampleAxis ax, ay;
    if (!SampleAxis(nx, source.Width(), ax) || !SampleAxis(ny, source.Height(), ay)) return false;
    const uint8_t* top = source.Row(ay.I0);
    const uint8_t* bottom = source.Row(ay.I1);
    const uint8_t* p00 = top + ax.I0 * kPixelBytes;
    const uint8_t* p10 = top + ax.I1 * kPixelBytes;
    const uint8_t* p01 = bottom + ax.I0 * kPixelBytes;
    const uint8_t* p11 = bottom + ax.I1 * kPixelBytes;
    for (int c = 0; c < kPixelBytes; ++c) {
        float sum = static_cast<float>(p00[c]) * ax.W0 * ay.W0;
        sum += static_cast<float>(p10[c]) * ax.W1 * ay.W0;
        sum += static_cast<float>(p01[c]) * ax.W0 * ay.W1;
        sum += static_cast<float>(p11[c]) * ax.W1 * ay.W1;
        out[c] = pixelmath::ClampByte(static_cast<int>(pixelmath::RoundEven(sum)));
    }
    return true;
}

// The fish eye and the twirl: point(x, y, nx, ny) gives the source point of
// each target pixel (NaN where the pixel has no value and keeps its own),
// row by row into a line buffer, then the row is sampled. In two loops the
// processor overlaps the work of neighbouring pixels; in one, every pixel's
// reads waited for its own arithmetic, and the effects took half as long
// again.
template <typename SourcePoint>
void SampleRows(const TFastBMP& source, TFastBMP& target, SourcePoint point) {
    const size_t w = static_cast<size_t>(target.Width());
    std::vector<float> xs = MakeBuffer<float>(w), ys = MakeBuffer<float>(w);
    for (int y = 0; y < target.Height(); ++y) {
        for (size_t x = 0; x < w; ++x) point(static_cast<int>(x), y, xs[x], ys[x]);
        uint8_t* out = target.Row(y);
        for (size_t x = 0; x < w; ++x, out += kPixelBytes) SampleWrapped(source, xs[x], ys[x], out);
    }
}

constexpr float kNoPoint = std::numeric_limits<float>::quiet_NaN();

} // namespace

void FillColor(TFastBMP& image, uint32_t color) {
    if (image.Empty()) return;
    const uint8_t pixel[kPixelBytes] = {uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color)};
    uint8_t* first = image.Row(0);
    for (int x = 0; x < image.Width(); ++x) CopyPixel(first + x * kPixelBytes, pixel);
    const size_t bytes = static_cast<size_t>(image.Width()) * kPixelBytes;
    for (int y = 1; y < image.Height(); ++y) std::memcpy(image.Row(y), first, bytes);
}

void MirrorLeftRight(TFastBMP& image) {
    const int w = image.Width();
    for (int y = 0; y < image.Height(); ++y) {
        uint8_t* row = image.Row(y);
        for (int i = 0; i <= (w - 1) / 2; ++i) {
            uint8_t* a = row + i * kPixelBytes;
            uint8_t* b = row + (w - 1 - i) * kPixelBytes;
            std::swap(a[0], b[0]), std::swap(a[1], b[1]), std::swap(a[2], b[2]);
        }
    }
}

void ApplyWaves(const TFastBMP& source, TFastBMP& target, double amplitude, double columnPeriod, double rowPeriod) {
    if (source.Empty() || target.Empty()) return;
    if (columnPeriod == 0 || rowPeriod == 0) {
        CopyPixels(source, target);
        return;
    }
    const int w = source.Width(), h = source.Height(), wt = target.Width(), ht = target.Height();
    // How far each target row reaches sideways and each target column down.
    std::vector<int64_t> rowShift = MakeBuffer<int64_t>(static_cast<size_t>(ht));
    for (int y = 0; y < ht; ++y) rowShift[static_cast<size_t>(y)] = RoundToInt64(amplitude * std::sin(y / rowPeriod));
    std::vector<int64_t> columnDrop = MakeBuffer<int64_t>(static_cast<size_t>(wt));
    for (int x = 0; x < wt; ++x) columnDrop[static_cast<size_t>(x)] = RoundToInt64(amplitude * std::sin(x / columnPeriod));
    // Target pixel (x, y) takes source pixel (x + shift[y], y + drop[x]) when
    // that exists. (The original walked column by column and stopped a column
    // at the source's last row; row by row the result is the same.)
    for (int y = 0; y < ht; ++y) {
        const int64_t shift = rowShift[static_cast<size_t>(y)];
        const int64_t x0 = std::max<int64_t>(0, -shift), x1 = std::min<int64_t>(wt, int64_t(w) - shift);
        uint8_t* out = target.Row(y);
        for (int64_t x = x0; x < x1; ++x) {
            const int64_t sy = y + columnDrop[static_cast<size_t>(x)];
            if (sy < 0 || sy >= h) continue;
            CopyPixel(out + x * kPixelBytes, source.Row(static_cast<int>(sy)) + (x + shift) * kPixelBytes);
        }
    }
}

void RotatedSize(int& width, int& height, double degrees) {
    const double a = std::fabs(degrees) * kPi / 180;
    const double c = std::cos(a), s = std::sin(a);
    const double w = width, h = height;
    width = pixelmath::RoundToInt32(std::fabs(c * w) + std::fabs(s * h));
    height = pixelmath::RoundToInt32(std::fabs(s * w) + std::fabs(c * h));
}

void RotateFast(const TFastBMP& source, TFastBMP& target, int cx, int cy, double degrees) {
    if (source.Empty() || target.Empty()) return;
    const double a = RotationRadians(degrees);
    const double s = std::sin(a), c = std::cos(a);
    if (!std::isfinite(s) || !std::isfinite(c)) return;
    const int w = source.Width(), h = source.Height(), wt = target.Width(), ht = target.Height();
    // The source's offset inside the target, both centred.
    const int64_t ox = (int64_t(wt) - w) / 2, oy = (int64_t(ht) - h) / 2;
    // Steps of the source position per target pixel along a row, 16.16.
    const int64_t ds = RoundToInt64(s * kFixed16One), dc = RoundToInt64(c * kFixed16One);
    for (int y = 0; y < ht; ++y) {
        const double dy = static_cast<double>(int64_t(y) - cy);
        // The source position of the row's first pixel, 16.16; 64 bits hold
        // it for any size (the original's 32 bits overflowed beyond 32,767
        // pixels).
        int64_t sx = RoundToInt64((cx - cx * c - dy * s - static_cast<double>(ox)) * kFixed16One);
        int64_t sy = RoundToInt64((cy - cx * s + dy * c - static_cast<double>(oy)) * kFixed16One);
        uint8_t* out = target.Row(y);
        for (int x = 0; x < wt; ++x, out += kPixelBytes, sx += dc, sy += ds) {
            // Unsigned: a negative position becomes huge, so one comparison
            // per axis finds it outside.
            const uint64_t px = static_cast<uint64_t>(sx) >> kFixed16Shift;
            const uint64_t py = static_cast<uint64_t>(sy) >> kFixed16Shift;
            if (px < uint64_t(w) && py < uint64_t(h))
                CopyPixel(out, source.Row(static_cast<int>(py)) + px * kPixelBytes);
        }
    }
}

void RotateSmooth(const TFastBMP& source, TFastBMP& target, int cx, int cy, double degrees) {
    if (source.Empty() || target.Empty()) return;
    const double a = RotationRadians(degrees);
    const double s = std::sin(a), c = std::cos(a);
    if (!std::isfinite(s) || !std::isfinite(c)) return;
    const int w = source.Width(), h = source.Height(), wt = target.Width(), ht = target.Height();
    const double ox = static_cast<double>((int64_t(wt) - w) / 2), oy = static_cast<double>((int64_t(ht) - h) / 2);
    // u × c and u × s of every column, u = 2 × (x − cx) + 1 (twice the
    // distance of the pixel's centre from the turning point).
    std::vector<double> uc = MakeBuffer<double>(static_cast<size_t>(wt));
    std::vector<double> us = MakeBuffer<double>(static_cast<size_t>(wt));
    for (int x = 0; x < wt; ++x) {
        const double u = static_cast<double>(2 * (int64_t(x) - cx) + 1);
        uc[static_cast<size_t>(x)] = u * c, us[static_cast<size_t>(x)] = u * s;
    }
    for (int y = 0; y < ht; ++y) {
        const double v = static_cast<double>(2 * (int64_t(y) - cy) + 1);
        const double vs = v * s, vc = v * c;
        uint8_t* out = target.Row(y);
        for (int x = 0; x < wt; ++x, out += kPixelBytes) {
            const double fx = (uc[static_cast<size_t>(x)] - vs - 1) * 0.5 + cx - ox;
            const double fy = (us[static_cast<size_t>(x)] + vc - 1) * 0.5 + cy - oy;
            const int64_t ix = RoundToInt64(fx), iy = RoundToInt64(fy);
            if (ix < 0 || ix >= w || iy < 0 || iy >= h) continue;
            // Fractions between −0.5 and 0.5; a negative one extrapolates
            // away from the neighbour, hence the clamp of the result.
            const double tx = fx - static_cast<double>(ix), ty = fy - static_cast<double>(iy);
            const int64_t ix1 = std::min<int64_t>(ix + 1, w - 1), iy1 = std::min<int64_t>(iy + 1, h - 1);
            const uint8_t* r0 = source.Row(static_cast<int>(iy));
            const uint8_t* r1 = source.Row(static_cast<int>(iy1));
            const uint8_t* p00 = r0 + ix * kPixelBytes;
            const uint8_t* p10 = r0 + ix1 * kPixelBytes;
            const uint8_t* p01 = r1 + ix * kPixelBytes;
            const uint8_t* p11 = r1 + ix1 * kPixelBytes;
            for (int k = 0; k < kPixelBytes; ++k) {
                const double topValue = tx * (p10[k] - p00[k]) + p00[k];
                const double bottomValue = tx * (p11[k] - p01[k]) + p01[k];
                out[k] = static_cast<uint8_t>(
                    pixelmath::Clamp<int64_t>(RoundToInt64(ty * (bottomValue - topValue) + topValue), 0, 255));
            }
        }
    }
}

float PolarAngle(float dx, float dy) {
    if (dx == 0) return dy > 0 ? kHalfPiF : -kHalfPiF;
    float angle = AtanF(dy / dx);
    if (dx < 0) angle += kPiF;
    return angle;
}

void ApplyFishEye(const TFastBMP& source, TFastBMP& target, double amount) {
    if (source.Empty() || target.Empty()) return;
    const float mx = static_cast<float>(source.Width()) * 0.5f;
    const float my = static_cast<float>(source.Height()) * 0.5f;
    const float radius = static_cast<float>(amount * target.Width());
    const float halfRadius = radius * 0.5f;
    SampleRows(source, target, [&](int x, int y, float& nx, float& ny) {
        const float dx = static_cast<float>(x) - mx, dy = static_cast<float>(y) - my;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d == 0) {
            nx = mx, ny = my;
            return;
        }
        // 1 − d / R reaches 0 at d = R, where the mapping has no value, and
        // is negative beyond: such pixels keep their value.
        const float q = 1.0f - d / radius;
        if (!(q > 0)) {
            nx = ny = kNoPoint;
            return;
        }
        const float r = (1.0f / q - 1.0f) * halfRadius;
        nx = mx + dx * r / d, ny = my + dy * r / d;
    });
}

void ApplyTwirl(const TFastBMP& source, TFastBMP& target, int amount) {
    if (source.Empty() || target.Empty()) return;
    if (amount == 0) {
        CopyPixels(source, target);
        return;
    }
    const float cx = static_cast<float>(source.Width() - 1) * 0.5f;
    const float cy = static_cast<float>(source.Height() - 1) * 0.5f;
    const float k = static_cast<float>(amount);
    SampleRows(source, target, [&](int x, int y, float& nx, float& ny) {
        const float dx = static_cast<float>(x) - cx, dy = static_cast<float>(y) - cy;
        const float d = std::sqrt(dx * dx + dy * dy);
        if (d == 0) {
            nx = cx, ny = cy;
            return;
        }
        const float theta = PolarAngle(dx, dy) - d / k + kHalfPiF;
        nx = cx + d * CosF(theta), ny = cy + d * SinF(theta);
    });
}
