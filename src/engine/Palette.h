#pragma once
// The one rule for putting a true-colour pixel on a palette without
// dithering: the entry nearest by the sum of squared red, green and blue
// differences, the lower index on a tie. Both builds give the same bytes.
#include "engine/Bitmap.h"

#include <array>
#include <cstdint>
#include <vector>

// The plain rule, entry by entry.
uint8_t NearestPaletteIndex(const std::vector<TRGBQuad>& palette, uint8_t r, uint8_t g, uint8_t b);

// The same rule, fast: the colour cube is split into 8×8×8 cells, and each
// cell keeps (once first asked) only the entries that can be nearest to some
// colour inside it. Answers are identical to NearestPaletteIndex.
class TNearestColorMap {
public:
    explicit TNearestColorMap(const std::vector<TRGBQuad>& palette);
    uint8_t Nearest(uint8_t r, uint8_t g, uint8_t b);

private:
    static constexpr int kCellBits = 3;  // 8 levels per cell side
    static constexpr int kCells = 1 << (3 * (8 - kCellBits));
    void BuildCell(int cell);

    std::vector<TRGBQuad> palette_;
    std::vector<int32_t> first_;        // per cell: offset into candidates_, -1 until built
    std::vector<uint16_t> count_;
    std::vector<uint8_t> candidates_;
};

// The 20 colours Windows reserves in its default palette: entries 0-9 and
// 246-255 of a 256-colour system palette.
const std::array<TRGBQuad, 10>& SystemColorsLow();
const std::array<TRGBQuad, 10>& SystemColorsHigh();
