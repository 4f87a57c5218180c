// The image window's rules and the effects box's miniature, with the cases
// a user meets: previews at the box's scale, fitted pictures, turned
// previews, tiles, the dropper's box near the screen's edges, the keys in
// each mode and the end of a drag.
#include "imagewindow/EffectsPreview.h"
#include "imagewindow/ImageWindowRules.h"
#include "imagewindow/PixelMath.h"

#include <gtest/gtest.h>

using namespace effectsbox;
using namespace imagewindow;

namespace {

constexpr TRGBQuad kRed = {0, 0, 255, 0};
constexpr uint32_t kGreenColor = 0x0000FF00; // 0x00BBGGRR
constexpr TRGBQuad kGreen = {0, 255, 0, 0};

TBitmap Solid(int w, int h, TRGBQuad color) {
    TBitmap b(w, h, TPixelFormat::pf24bit);
    b.Fill(color);
    return b;
}

// A 1024 × 768 screen with the box's 200 × 150 preview.
const TPreviewArea kArea{1024, 768, 200, 150};

} // namespace

TEST(EffectsBoxScale, PercentageAndFitFollowTheScreenShrunkToThePreview) {
    TBoxValues values;
    // 0 and an unreadable text (0) preview at 100 percent, as anything below 1.
    for (int32_t p : {0, -5, 100}) {
        values.Percentage = p;
        EXPECT_FLOAT_EQ(PreviewScale(800, 600, values, kArea), 100 * 0.01f * 200 / 1024) << p;
    }
    // 50 % of an 800-wide picture: a 78-wide preview.
    values.Percentage = 50;
    TEffectsPreview preview;
    preview.Rebuild(Solid(800, 600, kRed), values, kArea, 0, false);
    EXPECT_FLOAT_EQ(preview.Scale, 50 * 0.01f * 200 / 1024);
    EXPECT_EQ(preview.PreviewImage->Width(), 78);
    EXPECT_EQ(preview.PreviewImage->Height(), 59); // 58.59

    // A square picture fitted to a 4:3 screen: the height limits.
    values = TBoxValues{};
    values.Fit = true;
    EXPECT_FLOAT_EQ(PreviewScale(400, 400, values, kArea), 150.0f / 400);
    // A wide one: the width.
    EXPECT_FLOAT_EQ(PreviewScale(2000, 500, values, kArea), 200.0f / 2000);
    // Turned by 90 degrees, a wide picture is limited by its (new) height:
    // its width then becomes the screen's height.
    values.Rotate = 90;
    EXPECT_NEAR(PreviewScale(2000, 500, values, kArea), 768.0 / 2000 * 200 / 1024, 1e-6);
}

TEST(EffectsBoxScale, AFittedPictureLiesCentredOnTheScreen) {
    // 400 × 400 at 1024 × 768 becomes 768 × 768, centred horizontally.
    EXPECT_EQ(FittedPosition(400, 400, 1024, 768), (TPoint{128, 0}));
    // A wide picture fills the width and is centred vertically.
    EXPECT_EQ(FittedPosition(2048, 512, 1024, 768), (TPoint{0, 256}));
    EXPECT_EQ(FittedPosition(0, 10, 1024, 768), (TPoint{0, 0}));
}

TEST(EffectsBoxPreview, ATurnSwapsOrKeepsTheSidesAndCornersTakeTheBackground) {
    TBoxValues values;
    TEffectsPreview preview;
    // 300 × 100 at 1024/200 scale is 59 × 20 (rounded), turned by 90: 20 × 59.
    values.Rotate = 90;
    preview.Rebuild(Solid(300, 100, kRed), values, kArea, kGreenColor, false);
    const float scale = PreviewScale(300, 100, TBoxValues{}, kArea);
    const int w = pixelmath::RoundToInt32(300 * double(scale)), h = pixelmath::RoundToInt32(100 * double(scale));
    ASSERT_EQ(w, 59);
    ASSERT_EQ(h, 20);
    EXPECT_EQ(preview.PreviewImage->Width(), h);
    EXPECT_EQ(preview.PreviewImage->Height(), w);
    // A full turn either way is no turn.
    for (int32_t r : {360, -360}) {
        values.Rotate = r;
        preview.Rebuild(Solid(300, 100, kRed), values, kArea, kGreenColor, false);
        EXPECT_EQ(preview.PreviewImage->Width(), w) << r;
        EXPECT_EQ(preview.PreviewImage->Height(), h) << r;
        EXPECT_EQ(preview.PreviewImage->Pixel(0, 0), kRed) << r;
    }
    // 45 degrees: the outline grows and its corners are the background.
    values.Rotate = 45;
    preview.Rebuild(Solid(400, 400, kRed), values, kArea, kGreenColor, false);
    const TBitmap& turned = *preview.PreviewImage;
    EXPECT_GT(turned.Width(), 78);
    const int right = turned.Width() - 1, bottom = turned.Height() - 1;
    for (auto [x, y] : {std::pair{0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
        EXPECT_EQ(turned.Pixel(x, y), kGreen) << x << "," << y;
    EXPECT_EQ(turned.Pixel(right / 2, bottom / 2), kRed);
}

TEST(EffectsBoxPreview, AnEightBitSourceKeepsItsFormatAndPaletteThroughTheEffects) {
    TBitmap source(64, 32, TPixelFormat::pf8bit);
    source.Palette() = {kRed, kGreen, TRGBQuad{255, 0, 0, 0}};
    source.Fill(kRed);
    TEffectsPreview preview;
    preview.Reset(source);
    EXPECT_EQ(preview.PreviewImage->Width(), 1);
    EXPECT_EQ(preview.PreviewImage->PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(preview.PreviewTile->Palette().size(), 3u);
    TBoxValues values;
    values.Percentage = 1000;
    values.Rotate = 30;
    values.Mirror = values.Waves = true;
    preview.Rebuild(source, values, kArea, kGreenColor, true);
    EXPECT_EQ(preview.PreviewImage->PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(preview.PreviewImage->Palette().size(), 3u);
    // The corners of the turn map onto the palette's green.
    EXPECT_EQ(preview.PreviewImage->Pixel(0, 0), kGreen);
}

TEST(EffectsBoxPreview, TheNewPictureStaysCentredOnTheOldOne) {
    // A 400 × 200 picture at 100 % whose centre is at (512, 384): shown at
    // (312, 284) unturned, the shift is nothing.
    const float scale = PreviewScale(400, 200, TBoxValues{}, kArea);
    EXPECT_EQ(PreviewShift(400, 200, scale, 0, kArea, {312, 284}, {512, 384}), (TPoint{0, 0}));
    // Turned by 90, the 200 × 400 outline must move by (−100, +100) to keep
    // the centre: the shift is what is taken off.
    EXPECT_EQ(PreviewShift(400, 200, scale, 90, kArea, {312, 284}, {512, 384}), (TPoint{-100, 100}));
    // The preview's corner at the preview's scale (1024 / 200 = 5.12).
    EXPECT_EQ(PreviewCorner({312, 284}, {-100, 100}, kArea), (TPoint{80, 36}));
}

TEST(EffectsBoxPreview, TiledCopiesHaveTheirCornersOnThePreviewedPosition) {
    TEffectsPreview preview;
    TBoxValues values;
    values.Percentage = 400; // 40 × 30 source → 31 × 23 preview
    TBitmap source = Solid(40, 30, kRed);
    source.Row(0)[0] = 1, source.Row(0)[1] = 2, source.Row(0)[2] = 3; // a marked corner
    preview.PreviewPos = {100, 60};
    preview.ImageCentre = {100 + 80, 60 + 60}; // keeps the shift at zero
    preview.Rebuild(source, values, kArea, 0, true);
    ASSERT_EQ(preview.PreviewShift, (TPoint{0, 0}));
    const int w = preview.PreviewImage->Width(), h = preview.PreviewImage->Height();
    EXPECT_EQ(preview.PreviewTile->Width(), w + 200);
    EXPECT_EQ(preview.PreviewTile->Height(), h + 150);

    TBitmap box = Solid(200, 150, kGreen);
    preview.Paint(box, kArea, true);
    const TPoint corner = PreviewCorner(preview.PreviewPos, preview.PreviewShift, kArea);
    const TRGBQuad mark = box.Pixel(corner.X, corner.Y);
    EXPECT_EQ(mark, (TRGBQuad{1, 2, 3, 0}));
    // Every copy's corner is marked, the whole box covered.
    for (int y = corner.Y % h; y < 150; y += h)
        for (int x = corner.X % w; x < 200; x += w) EXPECT_EQ(box.Pixel(x, y), mark) << x << "," << y;
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) ASSERT_NE(box.Pixel(x, y), kGreen) << x << "," << y;
    // Not tiled: one copy at the corner, the rest the background.
    TBitmap single = Solid(200, 150, kGreen);
    preview.Paint(single, kArea, false);
    EXPECT_EQ(single.Pixel(corner.X, corner.Y), mark);
    EXPECT_EQ(single.Pixel(corner.X - 1, corner.Y), kGreen);
    EXPECT_EQ(single.Pixel(corner.X + w, corner.Y), kGreen);
}

TEST(EffectsBoxPreview, EmptyPreviewsDrawNothing) {
    TEffectsPreview preview;
    TBitmap box = Solid(20, 15, kGreen);
    preview.Paint(box, kArea, false); // never built
    TBoxValues values;
    values.Percentage = 1; // 0.5 × 0.25 pixels: nothing left
    preview.Rebuild(Solid(50, 25, kRed), values, kArea, 0, true);
    EXPECT_TRUE(preview.PreviewImage->Empty());
    preview.Paint(box, kArea, true);
    EXPECT_EQ(box.Pixel(10, 7), kGreen);
}

TEST(ImageWindowKeys, EachKeyActsByItsModeWithTheDropperFirst) {
    struct TCase {
        uint16_t Key;
        bool Box, Dropper;
        TKeyAction Expected;
    };
    using A = TKeyAction;
    const TCase cases[] = {
        {key::Back, false, false, A::PreviousImage}, {key::Space, false, false, A::NextImage},
        {key::Home, false, false, A::FirstImage},    {key::End, false, false, A::LastImage},
        {key::Space, true, false, A::None},          {key::Left, true, false, A::None},
        {key::Delete, false, false, A::RecycleImage}, {key::Delete, true, false, A::None},
        {key::Return, true, false, A::BoxOK},        {key::Return, false, false, A::ReopenImage},
        {key::Escape, true, true, A::EndDropper},    {'C', true, false, A::BoxCancel},
        {key::Escape, false, false, A::Close},       {'D', true, true, A::EndDropper},
        {'D', true, false, A::StartDropper},         {'S', true, true, A::BoxCancel},
        {'S', false, false, A::ShowBox},             {'A', true, true, A::Apply},
        {'B', false, false, A::AlignBottom},         {'E', false, false, A::Center},
        {'H', false, false, A::CenterHorizontally},  {'L', false, false, A::AlignLeft},
        {'R', false, false, A::AlignRight},          {'T', false, false, A::AlignTop},
        {'V', false, false, A::CenterVertically},    {'F', true, false, A::ToggleFullScreen},
        {'I', false, false, A::ToggleTile},          {'O', false, false, A::Open},
        {'M', false, false, A::ShowMenu},            {'W', true, true, A::ShowMenu},
        {key::F1, false, false, A::Help},            {key::F1, true, false, A::None},
        {'X', false, false, A::None},                {'1', false, false, A::None},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(KeyAction(c.Key, c.Box, c.Dropper), c.Expected) << c.Key << " box " << c.Box << " dropper " << c.Dropper;
    // The arrows move the image against their direction.
    EXPECT_EQ(KeyStep(key::Left).X, 50);
    EXPECT_EQ(KeyStep(key::Right).X, -50);
    EXPECT_EQ(KeyStep(key::Up).Y, 50);
    EXPECT_EQ(KeyStep(key::Down).Y, -50);
    EXPECT_EQ(KeyStep('A').X, 0);
}

TEST(ImageWindowDrag, OnlyTheLeftButtonAloneContinuesADrag) {
    EXPECT_TRUE(ContinuesDrag({true}));
    EXPECT_FALSE(ContinuesDrag({}));
    EXPECT_FALSE(ContinuesDrag({true, true}));
    EXPECT_FALSE(ContinuesDrag({true, false, true}));
    for (int modifier = 0; modifier < 3; ++modifier) {
        TShiftState s{true};
        (modifier == 0 ? s.Shift : modifier == 1 ? s.Ctrl : s.Alt) = true;
        EXPECT_FALSE(ContinuesDrag(s)) << modifier;
    }
}

TEST(ImageWindowDropper, TheBoxFlipsNearTheRightAndTopEdgesAndScalesWithTheDpi) {
    const int sw = 1024;
    EXPECT_EQ(DropperBoxPlace(sw - 90, 60, sw, 96), (TBoxPlace{sw - 90 + 14, 2, 70, 40}));
    EXPECT_EQ(DropperBoxPlace(sw - 89, 59, sw, 96), (TBoxPlace{sw - 89 - 72, 63, 70, 40}));
    // At 144 dpi every length is half as long again, the thresholds too.
    EXPECT_EQ(DropperBoxPlace(sw - 135, 90, sw, 144), (TBoxPlace{sw - 135 + 21, 3, 105, 60}));
    EXPECT_EQ(DropperBoxPlace(sw - 134, 89, sw, 144), (TBoxPlace{sw - 134 - 108, 95, 105, 60}));
}
