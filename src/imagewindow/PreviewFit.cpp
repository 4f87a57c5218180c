#include "imagewindow/PreviewFit.h"

#include <algorithm>
#include <cstdint>

namespace {

// numerator / denominator rounded to the nearest integer, halves up; both
// positive.
int RoundedQuotient(int64_t numerator, int64_t denominator) {
    return static_cast<int>((2 * numerator + denominator) / (2 * denominator));
}

} // namespace

TPreviewRect FitPreview(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight) {
    if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
    int width = pictureWidth, height = pictureHeight;
    if (width > areaWidth || height > areaHeight) {
        // Compare the aspect ratios without division: the picture is at
        // least as wide, relative to the area, when w/h >= aw/ah.
        const int64_t w = pictureWidth, h = pictureHeight;
        if (w * areaHeight >= h * areaWidth) {
            width = areaWidth;
            height = std::clamp(RoundedQuotient(h * areaWidth, w), 1, areaHeight);
        } else {
            height = areaHeight;
            width = std::clamp(RoundedQuotient(w * areaHeight, h), 1, areaWidth);
        }
    }
    return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}
