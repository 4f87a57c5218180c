#pragma once
// Where a picture goes in a preview area: scaled down to fit keeping its
// aspect ratio, never enlarged, centred.
//
// Rounding: the side that limits the fit takes the area's whole length, the
// other side is rounded to the nearest pixel (halves up) and is at least one
// pixel long, so a thin picture never vanishes. The centring offset is
// rounded down: an odd leftover pixel goes to the right or bottom margin.
// A picture or an area without pixels yields an empty rectangle at (0, 0).

struct TPreviewRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Empty() const { return Width <= 0 || Height <= 0; }
    bool operator==(const TPreviewRect& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};

TPreviewRect FitPreview(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);
