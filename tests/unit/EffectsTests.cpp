// The working image and the pixel effects, to the bit; the colour helpers.
// Under Wine the same tests run on images held in device-independent sections.
#include "engine/ImageLimits.h"
#include "imagewindow/Colors.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/FastFX.h"
#include "imagewindow/PixelMath.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <sstream>
#include <utility>
#include <vector>

namespace {

// A pixel as 0xRRGGBB, for readable comparisons.
uint32_t Px(const TFastBMP& image, int x, int y) {
    const uint8_t* p = image.Row(y) + 3 * x;
    return uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
}

uint32_t Px(const TBitmap& bitmap, int x, int y) {
    const TRGBQuad c = bitmap.Pixel(x, y);
    return uint32_t(c.Red) << 16 | uint32_t(c.Green) << 8 | c.Blue;
}

void SetPx(TFastBMP& image, int x, int y, uint32_t rgb) {
    uint8_t* p = image.Row(y) + 3 * x;
    p[0] = uint8_t(rgb), p[1] = uint8_t(rgb >> 8), p[2] = uint8_t(rgb >> 16);
}

// Every pixel different from its neighbours, so that a pixel taken from the
// wrong place shows.
TFastBMP Pattern(int w, int h) {
    TFastBMP image = TFastBMP::CreateBlank(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) SetPx(image, x, y, uint32_t((x * 37 + y * 101) & 255) << 16 | uint32_t(x & 255) << 8 | uint32_t(y & 255));
    return image;
}

::testing::AssertionResult SameImage(const TFastBMP& actual, const TFastBMP& expected) {
    if (actual.Width() != expected.Width() || actual.Height() != expected.Height())
        return ::testing::AssertionFailure() << "size " << actual.Width() << "x" << actual.Height();
    int differences = 0;
    std::ostringstream report;
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (Px(actual, x, y) != Px(expected, x, y) && differences++ < 4)
                report << " (" << x << "," << y << "): " << std::hex << Px(actual, x, y) << " instead of "
                       << Px(expected, x, y) << std::dec << ";";
    if (differences == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differences << " pixels differ:" << report.str();
}

TFastBMP Filled(int w, int h, uint32_t color) {
    TFastBMP image = TFastBMP::CreateBlank(w, h);
    FillColor(image, color);
    return image;
}

constexpr uint32_t kMarker = 0x00ABCDEF; // 0x00BBGGRR: red EF, green CD, blue AB
constexpr uint32_t kMarkerRGB = 0xEFCDAB;
constexpr double kPi = 3.14159265358979323846;

} // namespace

TEST(FastBMP, RowsArePaddedToFourBytesAndZeroed) {
    const struct {
        int Width, Padding, RowBytes;
    } cases[] = {{5, 1, 16}, {4, 0, 12}, {1, 1, 4}, {2, 2, 8}, {3, 3, 12}};
    for (const auto& c : cases) {
        TFastBMP image = TFastBMP::CreateBlank(c.Width, 3);
        EXPECT_EQ(image.Padding(), c.Padding) << c.Width;
        EXPECT_EQ(image.RowBytes(), c.RowBytes) << c.Width;
        EXPECT_EQ(image.ByteSize(), size_t(c.RowBytes) * 3) << c.Width;
        for (int y = 0; y < 3; ++y) EXPECT_EQ(image.Rows()[y], image.Bits() + y * c.RowBytes);
        for (size_t i = 0; i < image.ByteSize(); ++i) ASSERT_EQ(image.Bits()[i], 0);
        const uint8_t* bits = image.Bits();
        const TFastBMP moved = std::move(image);
        EXPECT_EQ(moved.Bits(), bits);
        EXPECT_TRUE(image.Empty()); // what is moved from has no pixels left to reach
        EXPECT_EQ(image.ByteSize(), 0u);
    }
    for (auto size : {std::pair{0, 5}, std::pair{5, 0}, std::pair{-3, 4}}) {
        const TFastBMP none = TFastBMP::CreateBlank(size.first, size.second);
        EXPECT_TRUE(none.Empty());
        EXPECT_EQ(none.Bits(), nullptr);
    }
}

TEST(FastBMP, ImagesBeyondTheLimitsAreErrorsNotCrashes) {
    TImageLimitScope limit(1 << 20);
    EXPECT_THROW(TFastBMP::CreateBlank(1000, 1000), EImageTooLarge);
    EXPECT_THROW(TFastBMP::CreateBlank(INT_MAX, 2), EImageError);
}

TEST(FastBMP, MadeFromBitmapsOfEveryFormatAndCopiedWithTheirPadding) {
    TBitmap true24(3, 2, TPixelFormat::pf24bit), true32(3, 2, TPixelFormat::pf32bit);
    TBitmap indexed8(3, 2, TPixelFormat::pf8bit), indexed4(3, 2, TPixelFormat::pf4bit), indexed1(3, 2, TPixelFormat::pf1bit);
    for (TBitmap* b : {&indexed8, &indexed4, &indexed1}) b->Palette() = {MakeRGB(10, 20, 30), MakeRGB(200, 100, 50)};
    const uint32_t colors[] = {0x0A141E, 0xC86432, 0}; // entry 0, entry 1, index 2 is past the palette: black
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const int i = (x + y) % 3;
            for (TBitmap* b : {&indexed8, &indexed4}) b->SetIndex(x, y, uint8_t(i));
            indexed1.SetIndex(x, y, uint8_t(i & 1));
            const TRGBQuad c = MakeRGB(uint8_t(x * 50 + 1), uint8_t(y * 70 + 2), uint8_t(x + y + 3));
            std::memcpy(true24.Row(y) + 3 * x, &c, 3);
            std::memcpy(true32.Row(y) + 4 * x, &c, 4);
        }
    const TFastBMP f24 = TFastBMP::CreateFromBitmap(true24), f32 = TFastBMP::CreateFromBitmap(true32);
    const TFastBMP f8 = TFastBMP::CreateFromBitmap(indexed8), f4 = TFastBMP::CreateFromBitmap(indexed4);
    const TFastBMP f1 = TFastBMP::CreateFromBitmap(indexed1);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint32_t rgb = uint32_t(x * 50 + 1) << 16 | uint32_t(y * 70 + 2) << 8 | uint32_t(x + y + 3);
            EXPECT_EQ(Px(f24, x, y), rgb);
            EXPECT_EQ(Px(f32, x, y), rgb);
            EXPECT_EQ(Px(f8, x, y), colors[(x + y) % 3]);
            EXPECT_EQ(Px(f4, x, y), colors[(x + y) % 3]);
            EXPECT_EQ(Px(f1, x, y), colors[(x + y) % 3 & 1]);
        }
    TFastBMP original = Pattern(5, 2);
    original.Row(1)[15] = 0x5A; // a padding byte
    const TFastBMP copy = TFastBMP::CreateCopy(original);
    EXPECT_EQ(std::memcmp(copy.Bits(), original.Bits(), original.ByteSize()), 0);
    EXPECT_NE(copy.Bits(), original.Bits());
}

TEST(FastBMP, AViewReadsA24BitBitmapInPlaceForEveryRowPadding) {
    for (int w = 1; w <= 4; ++w) {
        TBitmap bitmap(w, 3, TPixelFormat::pf24bit);
        bitmap.Row(2)[3 * w - 1] = 0x77; // the last pixel's red
        const TFastBMP view = TFastBMP::ViewOf(bitmap);
        ASSERT_EQ(view.Width(), w);
        EXPECT_EQ(view.RowBytes(), int(bitmap.Stride()));
        EXPECT_EQ(view.Row(2), bitmap.Row(2));
        EXPECT_EQ(Px(view, w - 1, 2), 0x770000u);
        // Reading through the view gives what a copy gives.
        TFastBMP fromView = TFastBMP::CreateBlank(2 * w, 5), fromCopy = TFastBMP::CreateBlank(2 * w, 5);
        view.ResizeSmooth(fromView);
        TFastBMP::CreateFromBitmap(bitmap).ResizeSmooth(fromCopy);
        EXPECT_EQ(std::memcmp(fromView.Bits(), fromCopy.Bits(), fromCopy.ByteSize()), 0);
    }
    TBitmap indexed(4, 2, TPixelFormat::pf8bit);
    EXPECT_TRUE(TFastBMP::ViewOf(indexed).Empty()); // its pixels are not colours: no view
}

TEST(FastBMP, DrawingClipsToBothImagesAndMapsColoursToPalettes) {
    const TFastBMP image = Pattern(4, 3);
    TBitmap target(5, 5, TPixelFormat::pf24bit);
    target.Fill(MakeRGB(1, 2, 3));
    image.Draw(target, -1, 3); // only image rows 0 and 1, columns 1 to 3, land on the target
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(Px(target, x, y), y >= 3 && x <= 2 ? Px(image, x + 1, y - 3) : 0x010203u) << x << "," << y;
    image.Draw(target, INT_MAX, INT_MIN); // far outside: nothing, no overflow

    TBitmap wide(3, 1, TPixelFormat::pf32bit);
    std::memset(wide.Row(0), 0x77, wide.Stride());
    image.DrawPart(wide, 1, 0, 2, 1, 10, 10);
    EXPECT_EQ(wide.Row(0)[3], 0x77); // pixel 0 untouched
    EXPECT_EQ(Px(wide, 1, 0), Px(image, 2, 1));
    EXPECT_EQ(wide.Row(0)[4 + 3], 0); // the fourth byte of a drawn 32-bit pixel

    TBitmap indexed(2, 1, TPixelFormat::pf8bit);
    indexed.Palette() = {MakeRGB(0, 0, 0), MakeRGB(255, 0, 0), MakeRGB(0, 0, 255)};
    const TFastBMP reds = Filled(2, 1, 0x000000F0); // red 240: nearest to entry 1
    reds.Draw(indexed, 0, 0);
    EXPECT_EQ(indexed.Index(0, 0), 1);
    EXPECT_EQ(indexed.Index(1, 0), 1);
}

TEST(FastBMP, StretchAndTileCoverTheirRectangles) {
    const TFastBMP image = Pattern(2, 2);
    TBitmap target(7, 6, TPixelFormat::pf24bit);
    image.StretchDraw(target, 1, 0, 6, 4); // each pixel becomes a 3 × 2 block
    for (int y = 0; y < 4; ++y)
        for (int x = 1; x < 7; ++x) EXPECT_EQ(Px(target, x, y), Px(image, (x - 1) / 3, y / 2));
    EXPECT_EQ(Px(target, 0, 0), 0u);
    EXPECT_EQ(Px(target, 1, 4), 0u);

    TBitmap tiled(5, 5, TPixelFormat::pf24bit);
    image.TileDraw(tiled, 1, 1, 3, 4); // copies at (1,1), (3,1), (1,3), (3,3), cut at x = 4 and y = 5
    TFastBMP intoTarget = TFastBMP::CreateBlank(5, 3);
    image.TileInto(intoTarget);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(Px(tiled, x, y), x >= 1 && x < 4 && y >= 1 ? Px(image, (x - 1) % 2, (y - 1) % 2) : 0u) << x << "," << y;
            if (y < 3) {
                EXPECT_EQ(Px(intoTarget, x, y), Px(image, x % 2, y % 2));
            }
        }
}

TEST(FastBMP, CopyRectToClipsAndMovesWithinOneImage) {
    TFastBMP image = Pattern(4, 4);
    const TFastBMP before = TFastBMP::CreateCopy(image);
    image.CopyRectTo(image, 1, 1, 0, 0, 4, 4); // down and right by one, overlapping
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Px(image, x, y), x >= 1 && y >= 1 ? Px(before, x - 1, y - 1) : Px(before, x, y));
    TFastBMP small = TFastBMP::CreateBlank(2, 2);
    before.CopyRectTo(small, -1, 0, 0, 2, 3, 5);
    EXPECT_EQ(Px(small, 0, 0), Px(before, 1, 2));
    EXPECT_EQ(Px(small, 1, 1), Px(before, 2, 3));
}

TEST(ResizeFast, EnlargesInBlocksAndShrinksInFixedPoint) {
    const TFastBMP image = Pattern(2, 2);
    TFastBMP big = TFastBMP::CreateBlank(6, 6); // factor 3: blocks of 3 × 3, the spill of 4 overwritten
    image.ResizeFast(big);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(Px(big, x, y), Px(image, x / 3, y / 3));

    const TFastBMP source = Pattern(8, 6);
    TFastBMP half = TFastBMP::CreateBlank(4, 4); // 16.16 steps of 2 and 1.5 source pixels
    source.ResizeFast(half);
    const int rows[] = {0, 1, 3, 4};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(Px(half, x, y), Px(source, 2 * x, rows[y]));

    TFastBMP same = TFastBMP::CreateBlank(8, 6);
    source.ResizeFast(same);
    EXPECT_TRUE(SameImage(same, source));
    TFastBMP none;
    source.ResizeFast(none); // nothing to do, nothing to fail
    none.ResizeFast(same);
    EXPECT_TRUE(SameImage(same, source));
}

TEST(ResizeSmooth, KeepsConstantsAndTheFirstPixel) {
    for (auto size : {std::pair{6, 1}, std::pair{2, 9}, std::pair{13, 7}, std::pair{1, 1}}) {
        for (auto from : {std::pair{3, 1}, std::pair{7, 5}, std::pair{1, 4}}) {
            const TFastBMP flat = Filled(from.first, from.second, 0x00817263);
            TFastBMP out = TFastBMP::CreateBlank(size.first, size.second);
            flat.ResizeSmooth(out);
            for (int y = 0; y < out.Height(); ++y)
                for (int x = 0; x < out.Width(); ++x) ASSERT_EQ(Px(out, x, y), 0x637281u);
        }
    }
    TFastBMP row = TFastBMP::CreateBlank(3, 1);
    SetPx(row, 0, 0, 0x102030), SetPx(row, 1, 0, 0x405060), SetPx(row, 2, 0, 0xFFFFFF);
    TFastBMP six = TFastBMP::CreateBlank(6, 1);
    row.ResizeSmooth(six);
    EXPECT_EQ(Px(six, 0, 0), 0x102030u);
    for (int x = 1; x < 6; ++x) EXPECT_GE(Px(six, x, 0) & 0xFF, Px(six, x - 1, 0) & 0xFF) << "a ramp stays a ramp";
}

// Wider than 32,767 (and 65,536) pixels, the original's 32-bit fixed-point
// products overflowed.
TEST(Resize, ImagesWiderThanThe32BitFixedPointRange) {
    for (int w : {40000, 70000}) {
        TFastBMP ramp = TFastBMP::CreateBlank(w, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < w; ++x) SetPx(ramp, x, y, uint32_t(y * 60) << 16 | uint32_t(x % 251) << 8 | uint32_t(int64_t(x) * 255 / (w - 1)));
        TFastBMP fast = TFastBMP::CreateBlank(w / 2, 2);
        ramp.ResizeFast(fast);
        for (int x = 0; x < w / 2; ++x) {
            ASSERT_EQ(Px(fast, x, 0), Px(ramp, 2 * x, 0)) << w << " " << x;
            ASSERT_EQ(Px(fast, x, 1), Px(ramp, 2 * x, 1)) << w << " " << x;
        }
        TFastBMP smooth = TFastBMP::CreateBlank(w / 2, 2);
        ramp.ResizeSmooth(smooth);
        for (int x = 0; x < w / 2; ++x) {
            const int blue = int(Px(smooth, x, 0) & 0xFF), expected = int(int64_t(x) * 2 * 255 / (w - 1));
            ASSERT_LE(std::abs(blue - expected), 1) << w << " " << x;
        }
    }
}

TEST(FillAndMirror, FillLeavesPaddingAndMirrorSwapsAroundTheMiddle) {
    TFastBMP image = TFastBMP::CreateBlank(5, 2);
    image.Row(0)[15] = 0xAA;
    FillColor(image, 0x00112233);
    EXPECT_EQ(Px(image, 4, 1), 0x332211u);
    EXPECT_EQ(image.Row(0)[15], 0xAA);

    for (int w : {1, 3, 4}) {
        TFastBMP row = Pattern(w, 2);
        const TFastBMP before = TFastBMP::CreateCopy(row);
        MirrorLeftRight(row);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(Px(row, x, y), Px(before, w - 1 - x, y)) << w;
    }
}

TEST(Waves, ShiftRowsAndColumnsAndKeepPixelsWithNoSource) {
    const TFastBMP source = Pattern(6, 5);
    TFastBMP target = Filled(6, 5, kMarker);
    ApplyWaves(source, target, 1.0, 0.0, 3.0); // a period of 0: a plain copy
    EXPECT_TRUE(SameImage(target, source));

    // Row period 2/π: row 1 reaches one pixel right (sin π/2 = 1), row 3 one
    // left; column period so long that no column moves.
    target = Filled(6, 5, kMarker);
    ApplyWaves(source, target, 1.0, 1e300, 2 / kPi);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(Px(target, x, 0), Px(source, x, 0));
        EXPECT_EQ(Px(target, x, 1), x < 5 ? Px(source, x + 1, 1) : kMarkerRGB);
        EXPECT_EQ(Px(target, x, 3), x > 0 ? Px(source, x - 1, 3) : kMarkerRGB);
    }
    // The same down the columns: column 1 takes the row below.
    target = Filled(6, 5, kMarker);
    ApplyWaves(source, target, 1.0, 2 / kPi, 1e300);
    for (int y = 0; y < 5; ++y) EXPECT_EQ(Px(target, 1, y), y < 4 ? Px(source, 1, y + 1) : kMarkerRGB);
    ApplyWaves(source, target, std::nan(""), 1.0, 1.0); // no number: no pixel has a source
}

TEST(RotatedSize, Examples) {
    const auto size = [](int w, int h, double degrees) {
        RotatedSize(w, h, degrees);
        return std::pair{w, h};
    };
    EXPECT_EQ(size(300, 100, 90), std::pair(100, 300));
    EXPECT_EQ(size(300, 100, 45), std::pair(283, 283));
    EXPECT_EQ(size(300, 100, -30), size(300, 100, 30));
    EXPECT_EQ(size(300, 100, 360), std::pair(300, 100));
    EXPECT_EQ(size(300, 100, 0), std::pair(300, 100));
}

TEST(RotateFast, QuarterTurnsAreClockwiseAndFourGiveTheImageBack) {
    TFastBMP line = TFastBMP::CreateBlank(3, 1);
    SetPx(line, 0, 0, 0x0000FF), SetPx(line, 1, 0, 0x00FF00), SetPx(line, 2, 0, 0xFF0000);
    TFastBMP column = TFastBMP::CreateBlank(1, 3);
    RotateFast(line, column, 0, 1, 90);
    EXPECT_EQ(Px(column, 0, 0), 0x0000FFu); // left → top
    EXPECT_EQ(Px(column, 0, 1), 0x00FF00u);
    EXPECT_EQ(Px(column, 0, 2), 0xFF0000u); // right → bottom

    TFastBMP image = Pattern(5, 5);
    const TFastBMP original = TFastBMP::CreateCopy(image);
    for (int turn = 0; turn < 4; ++turn) {
        TFastBMP next = TFastBMP::CreateBlank(5, 5);
        RotateFast(image, next, 2, 2, 90);
        image = std::move(next);
    }
    EXPECT_TRUE(SameImage(image, original));
}

TEST(RotateFast, CornersKeepTheBackgroundAndWideImagesDoNotWrap) {
    const TFastBMP image = Pattern(9, 9);
    int w = 9, h = 9;
    RotatedSize(w, h, 45);
    TFastBMP turned = Filled(w, h, kMarker);
    RotateFast(image, turned, w / 2, h / 2, 45);
    EXPECT_EQ(Px(turned, 0, 0), kMarkerRGB);
    EXPECT_EQ(Px(turned, w - 1, h - 1), kMarkerRGB);
    EXPECT_EQ(Px(turned, w / 2, h / 2), Px(image, 4, 4));

    // 40,000 pixels centred in 100,000: the source starts 30,000 pixels in.
    // A 32-bit accumulator read as unsigned would have drawn it at 0 too.
    const TFastBMP wide = Pattern(40000, 1);
    TFastBMP wider = Filled(100000, 1, kMarker);
    RotateFast(wide, wider, 50000, 0, 0);
    for (int x = 0; x < 100000; ++x)
        ASSERT_EQ(Px(wider, x, 0), x >= 30000 && x < 70000 ? Px(wide, x - 30000, 0) : kMarkerRGB) << x;
    RotateFast(wide, wider, 0, 0, std::numeric_limits<double>::infinity()); // no angle: nothing drawn
}

TEST(RotateSmooth, TurnsThroughPixelCentresAndClampsExtrapolation) {
    const TFastBMP image = Pattern(4, 4);
    TFastBMP same = Filled(4, 4, kMarker), half = Filled(4, 4, kMarker), quarter = Filled(4, 4, kMarker);
    RotateSmooth(image, same, 2, 2, 0);
    RotateSmooth(image, half, 2, 2, 180);
    RotateSmooth(image, quarter, 2, 2, 90);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(Px(same, x, y), Px(image, x, y));
            EXPECT_EQ(Px(half, x, y), Px(image, 3 - x, 3 - y));
            EXPECT_EQ(Px(quarter, x, y), Px(image, y, 3 - x));
        }
    // Turned by −20°, the first pixel's centre falls 0.14 left of the source's
    // first centre: blue extrapolates 0 → 255 to −36, green 255 → 0 to 291;
    // both are clamped.
    TFastBMP pair = TFastBMP::CreateBlank(2, 1);
    SetPx(pair, 0, 0, 0x00FF00), SetPx(pair, 1, 0, 0x0000FF);
    TFastBMP out = Filled(2, 1, kMarker);
    RotateSmooth(pair, out, 1, 0, -20);
    EXPECT_EQ(Px(out, 0, 0), 0x00FF00u);
}

TEST(PolarAngle, CoversMinusAQuarterToThreeQuartersOfATurnInSinglePrecision) {
    const float pi = float(kPi);
    EXPECT_EQ(PolarAngle(0, 1), float(kPi / 2));
    EXPECT_EQ(PolarAngle(0, -1), -float(kPi / 2));
    EXPECT_EQ(PolarAngle(0, 0), -float(kPi / 2));
    EXPECT_EQ(PolarAngle(1, 0), 0.0f);
    EXPECT_EQ(PolarAngle(-1, 0), pi);
    EXPECT_EQ(PolarAngle(1, 1), float(std::atan(1.0)));
    EXPECT_EQ(PolarAngle(-1, -1), float(std::atan(1.0)) + pi);
    EXPECT_EQ(PolarAngle(3, 1), float(std::atan(double(1.0f / 3.0f))));
}

TEST(FishEye, MagnifiesTheMiddleAndKeepsPixelsWithNoValue) {
    const TFastBMP source = Pattern(8, 8);
    TFastBMP target = Filled(8, 8, kMarker);
    ApplyFishEye(source, target, 1.0);
    EXPECT_EQ(Px(target, 4, 4), Px(source, 4, 4)); // the centre of an even image
    EXPECT_EQ(Px(target, 0, 4), Px(source, 0, 4)); // d = R / 2: the identity
    EXPECT_EQ(Px(target, 4, 0), Px(source, 4, 0));

    // Twice as tall as wide with amount 1: R = 2, and every pixel 2 or more
    // from the centre has no value.
    const TFastBMP tall = Pattern(2, 8);
    TFastBMP out = Filled(2, 8, kMarker);
    ApplyFishEye(tall, out, 1.0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 2; ++x) {
            const float dx = x - 1.0f, dy = y - 4.0f;
            if (std::sqrt(dx * dx + dy * dy) >= 2.0f) {
                EXPECT_EQ(Px(out, x, y), kMarkerRGB) << x << "," << y;
            }
        }
    EXPECT_EQ(Px(out, 1, 4), Px(tall, 1, 4));
    for (double amount : {0.0, -1.0, std::nan("")}) ApplyFishEye(tall, out, amount); // no crash, no overflow
}

TEST(Twirl, AHugeAmountTurnsAQuarterCounterClockwise) {
    const TFastBMP source = Pattern(5, 5);
    TFastBMP target = Filled(5, 5, kMarker);
    ApplyTwirl(source, target, INT_MAX);
    EXPECT_EQ(Px(target, 2, 1), Px(source, 3, 2)); // right of the centre appears above it
    EXPECT_EQ(Px(target, 1, 2), Px(source, 2, 1)); // above appears left
    EXPECT_EQ(Px(target, 2, 3), Px(source, 1, 2));
    EXPECT_EQ(Px(target, 3, 2), Px(source, 2, 3));
    for (int amount : {1, -3, 7, INT_MAX, INT_MIN}) {
        const TFastBMP small = Pattern(3, 3);
        TFastBMP out = Filled(3, 3, kMarker);
        ApplyTwirl(small, out, amount);
        EXPECT_EQ(Px(out, 1, 1), Px(small, 1, 1)) << amount;
    }
    target = Filled(5, 5, kMarker);
    ApplyTwirl(source, target, 0); // no amount: the picture as it was
    EXPECT_TRUE(SameImage(target, source));
}

TEST(Effects, ImagesWithNoPixelsAreLeftAlone) {
    TFastBMP none;
    TFastBMP some = Filled(3, 3, kMarker);
    FillColor(none, 0);
    MirrorLeftRight(none);
    ApplyWaves(none, some, 1, 1, 1);
    ApplyWaves(some, none, 1, 0, 0);
    RotateFast(none, some, 1, 1, 30);
    RotateSmooth(some, none, 1, 1, 30);
    ApplyFishEye(none, some, 1);
    ApplyTwirl(some, none, 5);
    EXPECT_EQ(Px(some, 2, 2), kMarkerRGB);
}

// The pixel code rounds with std::rint, which compilers inline, relying on
// the default rounding mode: it must agree with std::nearbyint everywhere.
TEST(PixelMath, InlineRoundingIsNearbyint) {
    std::mt19937_64 random(99);
    std::vector<double> values = {0.5, 1.5, 2.5, -0.5, -1.5, 254.5, 255.5, 4503599627370495.5, -0.0, 1e300, -1e300};
    for (int k = -4096; k <= 4096; ++k) values.push_back(k / 4.0);
    for (int i = 0; i < 100000; ++i) values.push_back(std::ldexp(double(int64_t(random())) , -int(random() % 80)));
    for (double v : values) {
        ASSERT_EQ(pixelmath::RoundEven(v), std::nearbyint(v)) << v;
        const float f = float(v);
        ASSERT_EQ(pixelmath::RoundEven(f), std::nearbyint(f)) << f;
    }
    EXPECT_EQ(pixelmath::RoundToInt64(std::nan("")), -pixelmath::kFarOutside);
    EXPECT_EQ(pixelmath::RoundToInt32(1e12), INT32_MAX);
}

TEST(Colors, LightenDarkenAndBrightness) {
    const auto rgb = [](int r, int g, int b) { return uint32_t(r | g << 8 | b << 16); };
    EXPECT_EQ(Lighten(rgb(250, 10, 128), 10, nullptr), rgb(255, 20, 138));
    EXPECT_EQ(Darken(rgb(5, 10, 200), 10, nullptr), rgb(0, 0, 190));
    EXPECT_EQ(Lighten(rgb(10, 11, 0), 0.5, nullptr), rgb(10, 12, 0)); // ties to even
    EXPECT_EQ(Brightness(rgb(10, 20, 31)), 20);
    EXPECT_EQ(Brightness(0x8000000F), 5); // a system colour's bytes, as they are

    // A system colour is resolved first: the classic button face, or the
    // platform's own.
    EXPECT_EQ(Lighten(kSystemColorFlag | 15, 1, nullptr), rgb(193, 193, 193));
    struct TFixed : ISystemColors {
        uint32_t SystemColor(int index) override { return index == 5 ? 0x00102030 : 0; }
    } fixed;
    EXPECT_EQ(Darken(kSystemColorFlag | 5, 16, &fixed), 0x00001020u);
    EXPECT_EQ(ColorToRGB(0x00123456, &fixed), 0x00123456u);
}

// The bytes every effect gives for one picture with the callers' kind of
// amounts. Both builds must give these same bytes: a libm, a rounding or an
// evaluation order that differs shows here.
TEST(Effects, EveryBuildGivesTheSameBytes) {
    const auto fingerprint = [](const TFastBMP& image) {
        uint64_t hash = 14695981039346656037ull; // FNV-1a over the pixels, padding left out
        for (int y = 0; y < image.Height(); ++y)
            for (int i = 0; i < 3 * image.Width(); ++i) hash = (hash ^ image.Row(y)[i]) * 1099511628211ull;
        return hash;
    };
    TFastBMP source = TFastBMP::CreateBlank(64, 48);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) SetPx(source, x, y, uint32_t(x * 4) << 16 | uint32_t(y * 5) << 8 | uint32_t((x ^ y) * 9 & 255));
    const auto resized = [&](int w, int h, bool smooth) {
        TFastBMP out = TFastBMP::CreateBlank(w, h);
        smooth ? source.ResizeSmooth(out) : source.ResizeFast(out);
        return fingerprint(out);
    };
    const auto turned = [&](double degrees, bool smooth) {
        int w = source.Width(), h = source.Height();
        RotatedSize(w, h, degrees);
        TFastBMP out = Filled(w, h, kMarker);
        (smooth ? RotateSmooth : RotateFast)(source, out, w / 2, h / 2, degrees);
        return fingerprint(out);
    };
    const auto effect = [&](auto apply) {
        TFastBMP out = TFastBMP::CreateCopy(source);
        apply(out);
        return fingerprint(out);
    };
    const std::vector<uint64_t> actual = {
        resized(150, 100, false),
        resized(40, 30, false),
        resized(150, 100, true),
        resized(40, 30, true),
        turned(30, false),
        turned(-125, false),
        turned(30, true),
        turned(-125, true),
        effect([&](TFastBMP& out) { MirrorLeftRight(out); }),
        effect([&](TFastBMP& out) { ApplyWaves(source, out, 64 * 0.01, 64 * 0.025, 64 * 0.025); }),
        effect([&](TFastBMP& out) { ApplyWaves(source, out, 3.7, 4.1, 2.3); }),
        effect([&](TFastBMP& out) { ApplyFishEye(source, out, 1.0); }),
        effect([&](TFastBMP& out) { ApplyFishEye(source, out, 0.6); }),
        effect([&](TFastBMP& out) { ApplyTwirl(source, out, 10); }),
        effect([&](TFastBMP& out) { ApplyTwirl(source, out, -3); }),
    };
    const std::vector<uint64_t> expected = {
        0xfd39c3c7a1b3af35ull, 0xc8a9b3b8f5426655ull, 0x1409b4cce66be7bfull, 0xe76749d8b09197b6ull,
        0xf28de5a264cb7eb1ull, 0xb55db4be0204bbe1ull, 0x4f45110981c3304dull, 0xd134df2247be3da6ull,
        0x690b33eebca7a7a5ull, 0x4bceb6e65dddaccaull, 0x2a1b7a045b58934cull, 0x504adee09df01d52ull,
        0x1ef2d5d29d235c66ull, 0xd185b818417dc5bdull, 0xd12b283c7cdfe8cbull,
    };
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < actual.size(); ++i) EXPECT_EQ(actual[i], expected[i]) << "operation " << i;
}
