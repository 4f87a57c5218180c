// Rendering: the loaded image scaled, distorted and turned as its placement
// says, on a 24-bit working image, then put back into the image's own format.
#include "engine/Wallpaper.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/FastFX.h"
#include "imagewindow/PixelMath.h"

#include <cmath>

using pixelmath::RoundToInt32; // ties to even

namespace {

constexpr double kDegreesToRadians = 0.017453292519943295769;

// The working image put into a bitmap of the given format: 24 bits as they
// are, 8 bits through the core's nearest-colour rule onto the palette.
TBitmap ToFormat(const TFastBMP& work, TPixelFormat format, const std::vector<TRGBQuad>& palette) {
    TBitmap out(work.Width(), work.Height(), format == TPixelFormat::pf8bit ? TPixelFormat::pf8bit : TPixelFormat::pf24bit);
    if (out.PixelFormat() == TPixelFormat::pf8bit) out.Palette() = palette;
    work.Draw(out, 0, 0);
    return out;
}

} // namespace

TWallpaper::TFitChoice TWallpaper::FitToScreen() const {
    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    const int w0 = SourceImage.Width(), h0 = SourceImage.Height();
    int w = w0, h = h0;
    RotatedSize(w, h, Rotate);
    const bool turned = Rotate % 360 != 0;
    const double a = std::abs(Rotate) * kDegreesToRadians, e = double(h0) / w0;
    TFitChoice fit;
    fit.ToHeight = double(h) / w > 0.75; // the turned image is taller than the screen's shape
    if (fit.ToHeight)
        fit.Factor = turned ? screenH / (std::abs(std::cos(a) * e) + std::abs(std::sin(a))) / w0 : double(screenH) / h0;
    else
        fit.Factor = turned ? screenW / (std::abs(std::sin(a) * e) + std::abs(std::cos(a))) / w0 : double(screenW) / w0;
    return fit;
}

void TWallpaper::ApplyEffects(TFastBMP& work) const {
    const int screenW = platform_.Screen.Width();
    if (Mirror) MirrorLeftRight(work);
    if (FishEye) ApplyFishEye(TFastBMP::CreateCopy(work), work, 1.0);
    if (Twirl) ApplyTwirl(TFastBMP::CreateCopy(work), work, RoundToInt32(screenW * 0.15));
    if (Waves) ApplyWaves(TFastBMP::CreateCopy(work), work, screenW * 0.01, screenW * 0.025, screenW * 0.025);
}

TFastBMP TWallpaper::TurnOntoBackground(const TFastBMP& picture, bool fast) const {
    int w = picture.Width(), h = picture.Height();
    RotatedSize(w, h, Rotate);
    TFastBMP turned = TFastBMP::CreateBlank(w, h);
    FillColor(turned, Color);
    if (fast)
        RotateFast(picture, turned, w / 2, h / 2, Rotate);
    else
        RotateSmooth(picture, turned, w / 2, h / 2, Rotate);
    return turned;
}

void TWallpaper::RenderImage() {
    if (SourceImage.Empty()) return;
    {
        TWaitGuard wait(View);
        const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
        const int w0 = SourceImage.Width(), h0 = SourceImage.Height();

        // 1. The size factor b / q.
        int64_t b, q;
        if (Fit) {
            const TFitChoice fit = FitToScreen();
            const bool turned = Rotate % 360 != 0;
            b = turned ? RoundToInt32(fit.Factor * 10000) : fit.ToHeight ? screenH : screenW;
            q = turned ? 10000 : fit.ToHeight ? h0 : w0;
        } else {
            if (Percentage < 1) Percentage = 100;
            b = Percentage, q = 100;
        }

        // The size it scales to (q is never 0: a side of the image, 100 or 10000).
        const bool scale = b != q;
        const double f = double(b) / double(q);
        const int w = scale ? RoundToInt32(w0 * f) : w0, h = scale ? RoundToInt32(h0 * f) : h0;

        // The old rendering and its tiles go first, so that they never live
        // beside the working images.
        static_cast<TBitmap&>(Image) = TBitmap();
        TileBuffer.reset();
        if (w <= 0 || h <= 0) {
            // A size that rounds to nothing leaves the picture out: the image
            // has no pixels (in its own format and palette), and the screen
            // shows the background colour alone.
            static_cast<TBitmap&>(Image) = ToFormat(TFastBMP(), SourceImage.PixelFormat(), SourceImage.Palette());
        } else {
            // 2. and 3. The effects on a 24-bit copy, each reading from a
            // copy. Without effects a 24-bit picture is read where it is:
            // the first step that changes it makes the working image.
            const TFastBMP loaded = TFastBMP::ViewOf(SourceImage);
            TFastBMP work;
            if (Mirror || FishEye || Twirl || Waves || loaded.Empty()) {
                work = TFastBMP::CreateFromBitmap(SourceImage);
                ApplyEffects(work);
            }
            const auto current = [&]() -> const TFastBMP& { return work.Empty() ? loaded : work; };

            // 4. Scale: nearest pixel while editing, bilinear otherwise.
            if (scale) {
                TFastBMP scaled = TFastBMP::CreateBlank(w, h);
                if (Editing)
                    current().ResizeFast(scaled);
                else
                    current().ResizeSmooth(scaled);
                work = std::move(scaled);
            }

            // 5. Turn about the centre onto the background colour.
            if (Rotate % 360 != 0) work = TurnOntoBackground(current(), Editing);

            // 6. Back into the image's own format and palette.
            static_cast<TBitmap&>(Image) = ToFormat(current(), SourceImage.PixelFormat(), SourceImage.Palette());
        }
    }
    SetTile(Tile);
    if (View) View->Repaint();
}
