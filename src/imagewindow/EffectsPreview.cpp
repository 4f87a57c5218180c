#include "imagewindow/EffectsPreview.h"

#include "imagewindow/FastBMP.h"
#include "imagewindow/FastFX.h"
#include "imagewindow/PixelMath.h"

#include <cmath>
#include <cstring>
#include <vector>

namespace effectsbox {

namespace {

using pixelmath::RoundToInt32; // ties to even

constexpr double kDegreesToRadians = 0.017453292519943295769;

// Integer division truncating toward zero and its remainder with the sign
// of the dividend: C++'s own / and %.
int32_t Div(int32_t a, int32_t b) {
    return a / b;
}
int32_t Mod(int32_t a, int32_t b) {
    return a % b;
}

bool Turned(int32_t rotate) {
    return rotate % 360 != 0;
}

// A bitmap of the size in the source's format and palette (no pixels for a
// side of 0 or less).
TBitmap LikeSource(const TBitmap& source, int width, int height) {
    TBitmap bitmap;
    bitmap.Palette() = source.Palette();
    if (width > 0 && height > 0) bitmap.SetSize(width, height, source.PixelFormat());
    return bitmap;
}

} // namespace

int32_t EffectivePercentage(int32_t percentage) {
    return percentage < 1 ? 100 : percentage;
}

float PreviewScale(int w0, int h0, const TBoxValues& values, const TPreviewArea& area) {
    const int sw = area.ScreenWidth, sh = area.ScreenHeight, pw = area.PreviewWidth, ph = area.PreviewHeight;
    if (w0 <= 0 || h0 <= 0 || sw <= 0 || sh <= 0) return 1;
    if (!values.Fit) return float(EffectivePercentage(values.Percentage)) * 0.01f * float(pw) / float(sw);
    int w = w0, h = h0;
    RotatedSize(w, h, values.Rotate);
    const double a = std::abs(double(values.Rotate)) * kDegreesToRadians;
    const float e = float(h0) / float(w0);
    const bool turned = Turned(values.Rotate);
    if (double(w) / sw > double(h) / sh) { // the width limits
        if (!turned) return float(pw) / float(w0);
        const double t = sw / (std::abs(std::sin(a) * e) + std::abs(std::cos(a)));
        return float(t / w0 * pw / sw);
    }
    if (!turned) return float(ph) / float(h0);
    const double t = sh / (std::abs(std::cos(a) * e) + std::abs(std::sin(a)));
    return float(t / w0 * pw / sw);
}

TPoint FittedPosition(int w0, int h0, int sw, int sh) {
    if (w0 <= 0 || h0 <= 0 || sw <= 0 || sh <= 0) return {};
    const float byWidth = float(w0) / float(sw), byHeight = float(h0) / float(sh);
    const float x = byWidth > byHeight ? byWidth : byHeight;
    return {Div(sw - RoundToInt32(w0 / x), 2), Div(sh - RoundToInt32(h0 / x), 2)};
}

TPoint PreviewShift(int w0, int h0, float previewScale, int32_t rotate, const TPreviewArea& area, TPoint previewPos,
                    TPoint imageCentre) {
    if (area.PreviewWidth <= 0) return {};
    // The size the picture will have on the screen, turned.
    const double toScreen = double(previewScale) * area.ScreenWidth / area.PreviewWidth;
    int w1 = RoundToInt32(w0 * toScreen), h1 = RoundToInt32(h0 * toScreen);
    RotatedSize(w1, h1, rotate);
    return {previewPos.X + Div(w1, 2) - imageCentre.X, previewPos.Y + Div(h1, 2) - imageCentre.Y};
}

TPoint PreviewCorner(TPoint previewPos, TPoint shift, const TPreviewArea& area) {
    if (area.PreviewWidth <= 0) return {};
    const float s = float(area.ScreenWidth) / float(area.PreviewWidth);
    return {RoundToInt32((previewPos.X - shift.X) / s), RoundToInt32((previewPos.Y - shift.Y) / s)};
}

TPoint TiledPreviewOrigin(TPoint corner, int w, int h, const TPreviewArea& area) {
    if (w <= 0 || h <= 0) return {};
    const int32_t tx = Mod(Mod(Mod(Div(area.PreviewWidth, 2), w) - corner.X, w) + w, w);
    const int32_t ty = Mod(Mod(Mod(Div(area.PreviewHeight, 2), h) - corner.Y, h) + h, h);
    return {-tx, -ty};
}

void StretchBitmap(const TBitmap& source, TBitmap& target) {
    if (source.Empty() || target.Empty() || source.PixelFormat() != target.PixelFormat()) return;
    const int bytes = BitsPerPixel(source.PixelFormat()) / 8;
    if (bytes < 1) return;
    const int w = source.Width(), h = source.Height(), tw = target.Width(), th = target.Height();
    std::vector<size_t> columns(static_cast<size_t>(tw));
    for (int x = 0; x < tw; ++x) columns[x] = static_cast<size_t>(int64_t(x) * w / tw) * bytes;
    for (int y = 0; y < th; ++y) {
        const uint8_t* in = source.Row(static_cast<int>(int64_t(y) * h / th));
        uint8_t* out = target.Row(y);
        if (bytes == 3) {
            for (int x = 0; x < tw; ++x, out += 3) std::memcpy(out, in + columns[x], 3);
        } else {
            for (int x = 0; x < tw; ++x, out += bytes) std::memcpy(out, in + columns[x], bytes);
        }
    }
}

void TEffectsPreview::Reset(const TBitmap& source) {
    PreviewImage = LikeSource(source, 1, 1);
    PreviewTile = LikeSource(source, 1, 1);
}

void TEffectsPreview::Free() {
    PreviewImage.reset();
    PreviewTile.reset();
}

void TEffectsPreview::Rebuild(const TBitmap& source, const TBoxValues& values, const TPreviewArea& area, uint32_t color,
                              bool tile) {
    const int w0 = source.Width(), h0 = source.Height();
    Scale = PreviewScale(w0, h0, values, area);
    PreviewImage = LikeSource(source, RoundToInt32(w0 * double(Scale)), RoundToInt32(h0 * double(Scale)));
    StretchBitmap(source, *PreviewImage);
    ApplyEffects(w0, h0, values, area, color, tile);
}

void TEffectsPreview::ApplyEffects(int w0, int h0, const TBoxValues& values, const TPreviewArea& area, uint32_t color,
                                   bool tile) {
    PreviewShift = effectsbox::PreviewShift(w0, h0, Scale, values.Rotate, area, PreviewPos, ImageCentre);
    const bool turned = Turned(values.Rotate);
    if (PreviewImage && !PreviewImage->Empty() &&
        (turned || values.Mirror || values.FishEye || values.Twirl || values.Waves)) {
        // The effects read a copy and write the working image; their amounts
        // come from the preview's width, as the full-size ones come from the
        // screen's.
        const int pw = area.PreviewWidth;
        TFastBMP work = TFastBMP::CreateFromBitmap(*PreviewImage);
        if (values.Mirror) MirrorLeftRight(work);
        if (values.FishEye) ApplyFishEye(TFastBMP::CreateCopy(work), work, 1.0);
        if (values.Twirl) ApplyTwirl(TFastBMP::CreateCopy(work), work, RoundToInt32(pw * 0.15));
        if (values.Waves) ApplyWaves(TFastBMP::CreateCopy(work), work, pw * 0.01, pw * 0.025, pw * 0.025);
        int w2 = work.Width(), h2 = work.Height();
        RotatedSize(w2, h2, values.Rotate);
        if (turned) {
            TFastBMP onBackground = TFastBMP::CreateBlank(w2, h2);
            FillColor(onBackground, color);
            RotateFast(work, onBackground, Div(w2, 2), Div(h2, 2), values.Rotate);
            work = std::move(onBackground);
        }
        // Back into the preview's own format and palette.
        PreviewImage->SetSize(w2, h2, PreviewImage->PixelFormat());
        work.Draw(*PreviewImage, 0, 0);
    }
    RebuildTile(area, tile);
}

void TEffectsPreview::RebuildTile(const TPreviewArea& area, bool tile) {
    if (!tile || !PreviewImage || PreviewImage->Empty()) return;
    const int w = PreviewImage->Width(), h = PreviewImage->Height();
    TBitmap tiles = LikeSource(*PreviewImage, w + area.PreviewWidth, h + area.PreviewHeight);
    const int x0 = Mod(Div(area.PreviewWidth, 2), w) - w, y0 = Mod(Div(area.PreviewHeight, 2), h) - h;
    for (int y = y0; y < tiles.Height(); y += h)
        for (int x = x0; x < tiles.Width(); x += w) DrawBitmap(tiles, *PreviewImage, x, y);
    PreviewTile = std::move(tiles);
}

void TEffectsPreview::Paint(TBitmap& buffer, const TPreviewArea& area, bool tile) const {
    if (!PreviewImage || !PreviewTile || PreviewImage->Empty()) return;
    if (buffer.PixelFormat() != PreviewImage->PixelFormat()) return;
    const TPoint corner = PreviewCorner(PreviewPos, PreviewShift, area);
    if (!tile) {
        DrawBitmap(buffer, *PreviewImage, corner.X, corner.Y);
        return;
    }
    const TPoint at = TiledPreviewOrigin(corner, PreviewImage->Width(), PreviewImage->Height(), area);
    DrawBitmap(buffer, *PreviewTile, at.X, at.Y);
}

} // namespace effectsbox
