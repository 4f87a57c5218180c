// Windows: working images live in sections selected into memory DCs, as in
// the program, for every test of this program; GDI sees their pixels and
// draws them as the portable operations do; the system colours contract.
#include "engine/ImageLimits.h"
#include "engine/win/GdiPictures.h"
#include "imagewindow/FastBMP.h"
#include "imagewindow/win/FastBMPWin.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinSystemColors.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace {

class TSectionEnvironment : public ::testing::Environment {
public:
    void SetUp() override { UseDibSectionsForFastBMP(); }
    void TearDown() override { SetFastBMPAllocator(nullptr); }
};
::testing::Environment* const sectionEnvironment = ::testing::AddGlobalTestEnvironment(new TSectionEnvironment);

// GDI objects held by the program's owners (Wine's own count is always 0).
int GdiObjects() {
    return win::LiveObjects(win::TObjectKind::Gdi);
}

} // namespace

TEST(FastBMPWin, PixelsAreASectionThatGdiSeesAndReleases) {
    const int before = GdiObjects();
    {
        TFastBMP image = TFastBMP::CreateBlank(5, 3);
        ASSERT_NE(FastBMPHandle(image), nullptr);
        ASSERT_NE(FastBMPDC(image), nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(FastBMPHandle(image), sizeof section, &section), int(sizeof section));
        EXPECT_EQ(section.dsBm.bmBits, image.Bits());
        EXPECT_EQ(section.dsBmih.biBitCount, 24);
        EXPECT_EQ(section.dsBm.bmWidthBytes, image.RowBytes());

        image.Row(2)[3 * 4 + 2] = 200; // red of pixel (4, 2): row 2 is the bottom row on the screen
        EXPECT_EQ(GetPixel(FastBMPDC(image), 4, 2), RGB(200, 0, 0));
        SetPixel(FastBMPDC(image), 1, 0, RGB(0, 0, 99));
        GdiFlush();
        EXPECT_EQ(image.Row(0)[3], 99);

        TFastBMP moved = std::move(image); // the section goes with the pixels
        EXPECT_EQ(GetPixel(FastBMPDC(moved), 4, 2), RGB(200, 0, 0));
    }
    EXPECT_EQ(GdiObjects(), before);
}

TEST(FastBMPWin, GdiDrawsAndReadsLikeThePortableOperations) {
    struct TBitmapSections { // the program's bitmaps in sections for this test only
        TBitmapSections() { UseDibSectionsForBitmaps(); }
        ~TBitmapSections() { SetPixelAllocator(nullptr); }
    } sections;
    TFastBMP image = TFastBMP::CreateBlank(3, 2);
    for (int i = 0; i < 18; ++i) image.Bits()[i % 9 + (i / 9) * image.RowBytes()] = uint8_t(i * 13 + 5);

    TBitmap byGdi(8, 6, TPixelFormat::pf24bit), portable(8, 6, TPixelFormat::pf24bit);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, DibSectionOf(byGdi));
    DrawFastBMP(image, dc, 5, 4); // clipped at the right edge
    StretchDrawFastBMP(image, dc, 0, 0, 6, 4);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    image.Draw(portable, 5, 4);
    image.StretchDraw(portable, 0, 0, 6, 4);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) EXPECT_EQ(byGdi.Pixel(x, y), portable.Pixel(x, y)) << x << "," << y;

    const TFastBMP back = FastBMPFromBitmap(static_cast<HBITMAP>(DibSectionOf(portable)));
    ASSERT_EQ(back.Width(), 8);
    ASSERT_EQ(back.Height(), 6);
    for (int y = 0; y < 6; ++y) EXPECT_EQ(std::memcmp(back.Row(y), portable.Row(y), 24), 0) << y;
    EXPECT_THROW(FastBMPFromBitmap(nullptr), EImageError);
}

// The contract of the system colours, for the Windows implementation and
// the classic fallback alike (a fresh Wine prefix keeps white windows with
// black text).
TEST(SystemColorsContract, ColoursAreRgbAndUnknownIndicesBlack) {
    WinSystemColors system;
    TClassicSystemColors classic;
    for (ISystemColors* colors : {static_cast<ISystemColors*>(&system), static_cast<ISystemColors*>(&classic)}) {
        for (int index = 0; index <= 30; ++index) EXPECT_EQ(colors->SystemColor(index) >> 24, 0u) << index;
        EXPECT_EQ(colors->SystemColor(5), 0x00FFFFFFu);  // window
        EXPECT_EQ(colors->SystemColor(8), 0u);           // window text
        EXPECT_EQ(colors->SystemColor(200), 0u);
        EXPECT_EQ(ColorToRGB(kSystemColorFlag | 5, colors), 0x00FFFFFFu);
    }
}
