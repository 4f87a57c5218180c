#pragma once
// The effects box's miniature of the screen: the picture shrunk by the
// preview's width over the screen's, with the box's effects applied to the
// small copy (amounts from the preview's width, fast rotation onto the
// background colour), kept centred where the full-size picture's centre is,
// and tiled when the picture tiles. The image window owns one and draws it
// into its preview control; everything here is portable so that the host
// tests check the arithmetic.
#include "engine/Bitmap.h"

#include <cstdint>
#include <optional>

namespace effectsbox {

struct TPoint {
    int32_t X = 0, Y = 0;
    bool operator==(const TPoint& o) const { return X == o.X && Y == o.Y; }
};

// What the box's controls say.
struct TBoxValues {
    bool Fit = false;
    int32_t Percentage = 100; // as read: an unreadable text is 0
    bool Mirror = false, FishEye = false, Twirl = false, Waves = false;
    int32_t Rotate = 0;
};

// The sizes the preview works with: the screen (SW × SH) and the preview
// control (PW × PH), all in pixels.
struct TPreviewArea {
    int ScreenWidth = 0, ScreenHeight = 0;
    int PreviewWidth = 0, PreviewHeight = 0;
};

// The percentage the preview and the rendering use: 0, and anything below 1,
// is 100.
int32_t EffectivePercentage(int32_t percentage);

// Preview pixels per pixel of a W0 × H0 source, in single precision: the
// screen shrunk by PW / SW, the picture fitted to its limiting side when Fit
// is on (through its turned outline), else scaled by the percentage.
float PreviewScale(int sourceWidth, int sourceHeight, const TBoxValues& values, const TPreviewArea& area);

// Where a fitted W0 × H0 picture lies on an SW × SH screen: centred, at the
// size the smaller of the two screen-to-picture ratios gives.
TPoint FittedPosition(int sourceWidth, int sourceHeight, int screenWidth, int screenHeight);

// What is taken off the previewed position so that the new picture (the
// source at the preview's scale, brought back to screen size and turned)
// stays centred on the current picture's centre.
TPoint PreviewShift(int sourceWidth, int sourceHeight, float previewScale, int32_t rotate, const TPreviewArea& area,
                    TPoint previewPos, TPoint imageCentre);

// The preview's top-left corner in the preview control for a picture placed
// at previewPos - shift on the screen.
TPoint PreviewCorner(TPoint previewPos, TPoint shift, const TPreviewArea& area);

// Where the tiled preview buffer is drawn so that the copies' corners lie on
// corner + (i·w, j·h): the buffer starts its copies at
// ((PW div 2) mod w − w, (PH div 2) mod h − h).
TPoint TiledPreviewOrigin(TPoint corner, int imageWidth, int imageHeight, const TPreviewArea& area);

class TEffectsPreview {
public:
    // The preview of the rendered picture, in preview pixels, and in tile
    // mode that preview repeated over a buffer (PW + w) × (PH + h); both in
    // the source's pixel format and palette. None before the box first
    // opens and after Free.
    std::optional<TBitmap> PreviewImage, PreviewTile;
    TPoint PreviewPos;   // screen pixels: what the box shows and applies
    TPoint PreviewShift; // taken off PreviewPos to keep the picture centred
    TPoint ImageCentre;  // the full-size picture's centre on the screen
    float Scale = 1;     // preview pixels per source pixel

    // New 1 × 1 previews with the source's pixel format and palette.
    void Reset(const TBitmap& source);
    void Free();

    // The source shrunk to the preview, its effects and turn applied, then
    // the tiles: the whole rebuild after a control change. color is the
    // background (0x00BBGGRR) a turned picture's corners take.
    void Rebuild(const TBitmap& source, const TBoxValues& values, const TPreviewArea& area, uint32_t color, bool tile);
    // The effects and the turn on the already shrunk preview, and the tiles.
    void ApplyEffects(int sourceWidth, int sourceHeight, const TBoxValues& values, const TPreviewArea& area,
                      uint32_t color, bool tile);
    // The tiled buffer again (after the tile mode or the preview changed).
    void RebuildTile(const TPreviewArea& area, bool tile);

    // Draws the preview into the control's buffer (already filled with the
    // background colour and in the preview's pixel format).
    void Paint(TBitmap& buffer, const TPreviewArea& area, bool tile) const;
};

// Nearest-pixel stretch of the whole source over the whole target, both of
// one format of 8 bits or more (target column i takes source column
// i·W div width, as the colour-on-colour stretch does).
void StretchBitmap(const TBitmap& source, TBitmap& target);

} // namespace effectsbox
