// The start-up logo's palette: Windows animates entries 236 to 255 of it
// while it starts, so the picture must live in entries 0 to 235 and the
// cycle and the moving strip at the bottom take the rest.
#include "engine/Palette.h"
#include "engine/VBitmap.h"
#include "engine/BmpFile.h"
#include "engine/Wallpaper.h"
#include "imagewindow/Colors.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kPictureRows = 389; // rows 0 to 388; the strip takes 389 to 399
constexpr int kStripRows = 11;
constexpr int kKeptColors = 236;
constexpr int kBlockWidth = 16;
constexpr int kBlocks = 20;

// Per strip row, pixels 7 to 15 of a block: '1' takes the next block's entry,
// so that the blocks' edges blur into each other as the colours cycle.
constexpr std::array<const char*, kStripRows> kStripEdges = {
    "000010111", "101101101", "000010111", "101011010", "000001011", "010110110",
    "100101101", "010010111", "000101010", "101010111", "010011011",
};

// The cycle's base: the picture's commonest colour, brought into the middle
// range of brightness so that its lighter steps stay visible.
TRGBQuad CycleBase(TRGBQuad c) {
    const int brightest = std::max({c.Red, c.Green, c.Blue});
    const int v = (Brightness(QuadToColor(c)) + brightest) / 2;
    uint32_t color = QuadToColor(c);
    if (v < 50)
        color = Lighten(color, 50 - v, nullptr);
    else if (v > 220)
        color = Darken(color, v - 140, nullptr);
    else if (v > 140)
        color = Darken(color, 100, nullptr);
    return ColorToQuad(color);
}

} // namespace

void TWallpaper::PrepareStartupLogo(TBitmap& logo) {
    if (logo.Empty() || logo.PixelFormat() != TPixelFormat::pf8bit) return;
    std::vector<TRGBQuad>& palette = logo.Palette();
    palette.resize(256);
    const int width = std::min(logo.Width(), kLogoWidth);
    const int rows = std::min(logo.Height(), kPictureRows);

    // 1. How often each entry is used by the picture.
    std::array<uint64_t, 256> counts{};
    for (int y = 0; y < rows; ++y) {
        const uint8_t* row = logo.Row(y);
        for (int x = 0; x < width; ++x) ++counts[row[x]];
    }
    const std::vector<TRGBQuad> old = palette;

    // 2. The base colour of the cycle (a tie goes to the lower entry).
    const TRGBQuad base = CycleBase(old[std::max_element(counts.begin(), counts.end()) - counts.begin()]);

    // 3. The 20 least used entries make room (a tie sets the lower one aside).
    std::array<bool, 256> setAside{};
    for (int n = 0; n < 256 - kKeptColors; ++n) {
        int least = -1;
        for (int i = 0; i < 256; ++i)
            if (!setAside[i] && (least < 0 || counts[i] < counts[least])) least = i;
        setAside[least] = true;
    }

    // 4. The kept entries close up in their order; the set-aside ones take
    // the nearest kept colour.
    std::array<uint8_t, 256> map{};
    std::vector<TRGBQuad> kept;
    kept.reserve(kKeptColors);
    for (int i = 0; i < 256; ++i)
        if (!setAside[i]) {
            map[i] = static_cast<uint8_t>(kept.size());
            kept.push_back(old[i]);
        }
    for (int i = 0; i < 256; ++i)
        if (setAside[i]) map[i] = NearestPaletteIndex(kept, old[i].Red, old[i].Green, old[i].Blue);

    // 5. The new palette: the kept colours, then the cycle lighter and back.
    std::copy(kept.begin(), kept.end(), palette.begin());
    const uint32_t baseColor = QuadToColor(base);
    palette[236] = base;
    for (int step = 1; step <= 9; ++step) {
        palette[236 + step] = ColorToQuad(Lighten(baseColor, 10 * step, nullptr));
        palette[255 - step] = palette[236 + step];
    }
    palette[255] = base;

    // 6. The picture on its new entries.
    for (int y = 0; y < rows; ++y) {
        uint8_t* row = logo.Row(y);
        for (int x = 0; x < width; ++x) row[x] = map[row[x]];
    }

    // 7. The strip: block b on entry 255 - b, its right edge dithered toward
    // the next block's entry.
    for (int i = 0; i < kStripRows && kPictureRows + i < logo.Height(); ++i) {
        uint8_t* row = logo.Row(kPictureRows + i);
        for (int b = 0; b < kBlocks; ++b) {
            for (int k = 0; k < kBlockWidth && kBlockWidth * b + k < logo.Width(); ++k) {
                const bool edge = b < kBlocks - 1 && k >= 7 && kStripEdges[i][k - 7] == '1';
                row[kBlockWidth * b + k] = static_cast<uint8_t>(edge ? 254 - b : 255 - b);
            }
        }
    }
}

std::vector<uint8_t> TWallpaper::StartupLogoFile(TBitmap& logo) {
    PrepareStartupLogo(logo);
    TVirtualBitmap file(WriteBmp(logo));
    file.SetImportantColors(kKeptColors); // the system cycles only the rest
    return file.Bytes();
}
