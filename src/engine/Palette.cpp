#include "engine/Palette.h"

#include <algorithm>
#include <limits>

namespace {

inline int Distance(const TRGBQuad& c, int r, int g, int b) {
    const int dr = c.Red - r, dg = c.Green - g, db = c.Blue - b;
    return dr * dr + dg * dg + db * db;
}

// Squared distance from v to the nearest and farthest value of [lo, hi].
inline int MinAxis(int v, int lo, int hi) {
    const int d = v < lo ? lo - v : (v > hi ? v - hi : 0);
    return d * d;
}
inline int MaxAxis(int v, int lo, int hi) {
    const int d = std::max(v - lo, hi - v);
    return d * d;
}

} // namespace

uint8_t NearestPaletteIndex(const std::vector<TRGBQuad>& palette, uint8_t r, uint8_t g, uint8_t b) {
    int best = std::numeric_limits<int>::max();
    size_t bestIndex = 0;
    const size_t n = std::min<size_t>(palette.size(), 256);
    for (size_t i = 0; i < n; ++i) {
        const int d = Distance(palette[i], r, g, b);
        if (d < best) best = d, bestIndex = i;
    }
    return static_cast<uint8_t>(bestIndex);
}

TNearestColorMap::TNearestColorMap(const std::vector<TRGBQuad>& palette)
    : palette_(palette.begin(), palette.begin() + std::min<size_t>(palette.size(), 256)),
      first_(kCells, -1),
      count_(kCells, 0) {
    if (palette_.empty()) palette_.push_back(TRGBQuad{});
}

void TNearestColorMap::BuildCell(int cell) {
    const int side = 1 << kCellBits;
    const int shift = 8 - kCellBits;
    const int r0 = ((cell >> (2 * shift)) & ((1 << shift) - 1)) << kCellBits;
    const int g0 = ((cell >> shift) & ((1 << shift) - 1)) << kCellBits;
    const int b0 = (cell & ((1 << shift) - 1)) << kCellBits;
    const int r1 = r0 + side - 1, g1 = g0 + side - 1, b1 = b0 + side - 1;
    // No entry farther than the best worst case can be nearest anywhere in the cell.
    int bound = std::numeric_limits<int>::max();
    for (const auto& c : palette_)
        bound = std::min(bound, MaxAxis(c.Red, r0, r1) + MaxAxis(c.Green, g0, g1) + MaxAxis(c.Blue, b0, b1));
    first_[cell] = static_cast<int32_t>(candidates_.size());
    for (size_t i = 0; i < palette_.size(); ++i) {
        const auto& c = palette_[i];
        if (MinAxis(c.Red, r0, r1) + MinAxis(c.Green, g0, g1) + MinAxis(c.Blue, b0, b1) <= bound) {
            candidates_.push_back(static_cast<uint8_t>(i));
            ++count_[cell];
        }
    }
}

uint8_t TNearestColorMap::Nearest(uint8_t r, uint8_t g, uint8_t b) {
    const int shift = 8 - kCellBits;
    const int cell = ((r >> kCellBits) << (2 * shift)) | ((g >> kCellBits) << shift) | (b >> kCellBits);
    if (first_[cell] < 0) BuildCell(cell);
    const uint8_t* c = candidates_.data() + first_[cell];
    int best = std::numeric_limits<int>::max();
    uint8_t bestIndex = 0;
    for (int k = 0, n = count_[cell]; k < n; ++k) {
        const int d = Distance(palette_[c[k]], r, g, b);
        if (d < best) best = d, bestIndex = c[k]; // candidates are in index order: ties keep the lower
    }
    return bestIndex;
}

const std::array<TRGBQuad, 10>& SystemColorsLow() {
    static const std::array<TRGBQuad, 10> colors = {
        MakeRGB(0, 0, 0),       MakeRGB(128, 0, 0),     MakeRGB(0, 128, 0),     MakeRGB(128, 128, 0),
        MakeRGB(0, 0, 128),     MakeRGB(128, 0, 128),   MakeRGB(0, 128, 128),   MakeRGB(192, 192, 192),
        MakeRGB(192, 220, 192), MakeRGB(166, 202, 240)};
    return colors;
}

const std::array<TRGBQuad, 10>& SystemColorsHigh() {
    static const std::array<TRGBQuad, 10> colors = {
        MakeRGB(255, 251, 240), MakeRGB(160, 160, 164), MakeRGB(128, 128, 128), MakeRGB(255, 0, 0),
        MakeRGB(0, 255, 0),     MakeRGB(255, 255, 0),   MakeRGB(0, 0, 255),     MakeRGB(255, 0, 255),
        MakeRGB(0, 255, 255),   MakeRGB(255, 255, 255)};
    return colors;
}
