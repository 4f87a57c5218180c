// The Windows logos: the placed image as the pictures Windows shows while it
// starts ("C:\Logo.sys") and shuts down ("Logow.sys" in the Windows folder).
// Both are 320 × 400 bitmaps of 256 colours stretched to a 4:3 screen, so a
// logo pixel is twice as wide as it is high.
#include "engine/Wallpaper.h"

#include "engine/BmpFile.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/PixelMath.h"

using pixelmath::RoundToInt32; // ties to even

namespace {

// The screen's 4:3 area is 266.67 logo pixels wide, centred in the 320.
constexpr double kLogoMargin = 26.67;
// Widening that makes up for the stretch on screens that are not 4:3.
constexpr double kCorrectedAspect = 1.1375;

} // namespace

TBitmap TWallpaper::ComposeLogo() {
    if (!PictureOpen()) return {};
    const int screenH = platform_.Screen.Height();

    // 1. The source always with a palette: loaded again at 8 bits when the
    // display took it at 24.
    TAnymap reloaded(platform_);
    const TBitmap* source = &SourceImage;
    if (SourceImage.PixelFormat() != TPixelFormat::pf8bit) {
        reloaded.SetTrueColor(false);
        reloaded.LoadFromFile(FileName);
        source = &reloaded;
    }
    if (source->Empty() || source->PixelFormat() != TPixelFormat::pf8bit) return {};
    // Pixels and background map onto the source's own colours; the entries
    // a short palette lacks are added only afterwards, so that no pixel
    // lands on them.
    std::vector<TRGBQuad> palette = source->Palette();
    if (palette.size() > 256) palette.resize(256);

    // 2. The scale: the picture takes the same share of the logo's rows as
    // of the screen's.
    double r = Fit ? FitToScreen().Factor : Percentage * 0.01;
    r = r * kLogoHeight / screenH;

    // 3. Effects and rotation at full size, on the background colour.
    TFastBMP work = TFastBMP::CreateFromBitmap(*source);
    ApplyEffects(work);
    if (Rotate % 360 != 0) work = TurnOntoBackground(work, false);

    // 4. and 5. Half as wide for the double-width logo pixels, then onto the
    // source's palette.
    const double k = CorrectLogos ? kCorrectedAspect : 1.0;
    TFastBMP scaled =
        TFastBMP::CreateBlank(RoundToInt32(k * (r * work.Width() * 0.5)), RoundToInt32(r * work.Height()));
    work.ResizeSmooth(scaled);
    work = TFastBMP();
    TBitmap picture(scaled.Width(), scaled.Height(), TPixelFormat::pf8bit);
    picture.Palette() = palette;
    scaled.Draw(picture, 0, 0);

    // 6. The logo: the screen mapped onto a 4:3 area of 266.67 × 400 logo
    // pixels centred across the 320.
    TBitmap logo(kLogoWidth, kLogoHeight, TPixelFormat::pf8bit);
    logo.Palette() = palette;
    logo.Fill(ColorToQuad(Color)); // what a picture of no pixels leaves, tiled or not
    if (!picture.Empty()) {
        const int wp = picture.Width(), hp = picture.Height();
        const double shift = CorrectLogos ? (k - 1) * wp / (k + 1) : 0.0;
        const int32_t x = RoundToInt32(double(Position.X) * 200 / screenH + kLogoMargin - shift);
        const int32_t y = RoundToInt32(double(Position.Y) * kLogoHeight / screenH);
        if (!Tile) {
            DrawBitmap(logo, picture, x, y);
        } else {
            for (int32_t ty = y % hp - hp; ty < kLogoHeight; ty += hp)
                for (int32_t tx = x % wp - wp; tx < kLogoWidth; tx += wp) DrawBitmap(logo, picture, tx, ty);
        }
    }
    logo.Palette().resize(256); // a logo always has 256 colours
    return logo;
}

bool TWallpaper::ReplaceLogo(const std::string& path, const std::string& backup, const std::string& question,
                             const std::vector<uint8_t>& file) {
    // The backup is made once, so that it keeps the logo from before the
    // program's first one; a failed copy leaves the choice to the user.
    if (!platform_.Files.FileExists(backup) && !platform_.Files.Copy(path, backup) &&
        !platform_.Prompts.Confirm(question))
        return false;
    platform_.Files.WriteFile(path, file);
    return true;
}

void TWallpaper::WriteLogos(int mode) {
    if (mode == lmRestore) {
        if (!platform_.Files.Copy(StartupLogoBackup(), StartupLogoPath()))
            platform_.Prompts.Message("Failed to restore your StartUp logo.", TMessageKind::Error);
        if (!platform_.Files.Copy(ShutdownLogoBackup(), ShutdownLogoPath()))
            platform_.Prompts.Message("Failed to restore your Shut Down logo.", TMessageKind::Error);
        return;
    }
    if (mode != lmStartup && mode != lmShutdown && mode != lmBoth) return;
    if (!PictureOpen()) return;
    TWaitGuard wait(View);
    TBitmap logo = ComposeLogo();
    if (logo.Empty()) return;
    // The shut-down logo first: the start-up one rebuilds the same bitmap's
    // palette.
    if (mode != lmStartup)
        ReplaceLogo(ShutdownLogoPath(), ShutdownLogoBackup(),
                    "Failed to backup your Shut Down logo. Are you sure you still want to change it?", WriteBmp(logo));
    if (mode != lmShutdown)
        ReplaceLogo(StartupLogoPath(), StartupLogoBackup(),
                    "Failed to backup your StartUp logo. Are you sure you still want to change it?",
                    StartupLogoFile(logo));
}
