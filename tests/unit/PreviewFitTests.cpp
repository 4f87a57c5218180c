// Where the open dialog's preview puts a picture: scaled down keeping its
// aspect, never enlarged, centred, with the rounding the header promises.
#include "imagewindow/PreviewFit.h"

#include <gtest/gtest.h>

#include <ostream>

static std::ostream& operator<<(std::ostream& out, const TPreviewRect& r) {
    return out << "(" << r.Left << "," << r.Top << " " << r.Width << "x" << r.Height << ")";
}

TEST(PreviewFit, WidePicturesTakeTheWholeWidthAndAreCentredVertically) {
    EXPECT_EQ(FitPreview(400, 100, 200, 200), (TPreviewRect{0, 75, 200, 50}));
    // 133.33 rounds down, 50.5 up; the odd leftover pixel goes below.
    EXPECT_EQ(FitPreview(300, 200, 200, 200), (TPreviewRect{0, 33, 200, 133}));
    EXPECT_EQ(FitPreview(200, 101, 100, 100), (TPreviewRect{0, 24, 100, 51}));
    // Wider than the area but less tall: still limited by the width.
    EXPECT_EQ(FitPreview(1000, 50, 100, 100), (TPreviewRect{0, 47, 100, 5}));
    // A thin line keeps one pixel; sizes near the limit do not overflow.
    EXPECT_EQ(FitPreview(10000, 1, 100, 100), (TPreviewRect{0, 49, 100, 1}));
    EXPECT_EQ(FitPreview(2000000000, 1000000000, 300, 300), (TPreviewRect{0, 75, 300, 150}));
}

TEST(PreviewFit, TallPicturesTakeTheWholeHeightAndAreCentredHorizontally) {
    EXPECT_EQ(FitPreview(100, 400, 200, 100), (TPreviewRect{87, 0, 25, 100}));
    EXPECT_EQ(FitPreview(1, 10000, 100, 100), (TPreviewRect{49, 0, 1, 100}));
    // The area's own aspect fills it exactly.
    EXPECT_EQ(FitPreview(640, 480, 160, 120), (TPreviewRect{0, 0, 160, 120}));
}

TEST(PreviewFit, PicturesThatFitKeepTheirSizeAndAreCentred) {
    EXPECT_EQ(FitPreview(50, 30, 200, 100), (TPreviewRect{75, 35, 50, 30}));
    EXPECT_EQ(FitPreview(51, 31, 200, 100), (TPreviewRect{74, 34, 51, 31}));
    EXPECT_EQ(FitPreview(200, 100, 200, 100), (TPreviewRect{0, 0, 200, 100}));
}

TEST(PreviewFit, NoPictureOrNoAreaGivesAnEmptyRectangle) {
    for (const TPreviewRect& r : {FitPreview(0, 10, 100, 100), FitPreview(-5, 10, 100, 100),
                                  FitPreview(10, 10, 0, 100), FitPreview(10, 10, 100, -1)})
        EXPECT_EQ(r, TPreviewRect{}) << r;
}
