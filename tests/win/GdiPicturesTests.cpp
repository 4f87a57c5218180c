// Icons and metafiles drawn by GDI, and bitmaps held in sections.
#include "engine/AllMap.h"
#include "engine/BmpFile.h"
#include "engine/win/GdiPictures.h"
#include "platform/Errors.h"
#include "unit/ImageTestSupport.h"

#include <windows.h>

namespace {

class GdiPictures : public ::testing::Test {
protected:
    void SetUp() override {
        UseDibSectionsForBitmaps();
        fx.Platform.Pictures = &pictures;
    }
    void TearDown() override { SetPixelAllocator(nullptr); }
    TImagePlatform fx;
    TGdiPictures pictures;
};

// An enhanced metafile of the given frame (hundredths of a millimetre)
// holding one red rectangle over its left half.
std::vector<uint8_t> RedHalfMetafile(int frameWidth, int frameHeight) {
    const RECT frame{0, 0, frameWidth, frameHeight};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    HDC screen = GetDC(nullptr);
    const int w = MulDiv(frameWidth, GetDeviceCaps(screen, LOGPIXELSX), 2540);
    const int h = MulDiv(frameHeight, GetDeviceCaps(screen, LOGPIXELSY), 2540);
    ReleaseDC(nullptr, screen);
    const RECT left{0, 0, w / 2, h};
    FillRect(dc, &left, red);
    DeleteObject(red);
    HENHMETAFILE metafile = CloseEnhMetaFile(dc);
    std::vector<uint8_t> bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
    GetEnhMetaFileBits(metafile, static_cast<UINT>(bytes.size()), bytes.data());
    DeleteEnhMetaFile(metafile);
    return bytes;
}

} // namespace

TEST_F(GdiPictures, BitmapsLiveInSectionsThatGdiSees) {
    TBitmap b(7, 5, TPixelFormat::pf24bit);
    HBITMAP section = DibSectionOf(b);
    ASSERT_NE(section, nullptr);
    b.Row(2)[3 * 4 + 2] = 200; // red of pixel (4, 2)
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 4, 2), RGB(200, 0, 0));
    SetPixel(dc, 1, 0, RGB(0, 0, 99));
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(b.Pixel(1, 0), MakeRGB(0, 0, 99));
}

TEST_F(GdiPictures, IconsDrawTheirFirstImageOnWhiteIncludingPng) {
    TAnymap icon(fx.Platform);
    icon.LoadFromFile(FixturePath("ico-sizes.ico"));
    EXPECT_TRUE(SamePixels(icon, ReadPnm("ico-sizes.ico.ppm")));
    TAnymap png(fx.Platform);
    png.LoadFromFile(FixturePath("ico-png.ico"));
    EXPECT_EQ(png.Width(), 256);
    EXPECT_EQ(png.Height(), 256);
}

TEST_F(GdiPictures, EnhancedMetafilesDrawAtTheirFrameSize) {
    fx.WriteScratch("half.emf", RedHalfMetafile(5080, 2540)); // 2 by 1 inches
    TAnymap map(fx.Platform);
    map.LoadFromFile(fx.ScratchPath("half.emf"));
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(map.Width(), 2 * dpi);
    EXPECT_EQ(map.Height(), dpi);
    EXPECT_EQ(map.Pixel(2, 2), MakeRGB(255, 0, 0));
    EXPECT_EQ(map.Pixel(map.Width() - 3, map.Height() - 3), MakeRGB(255, 255, 255));
}

TEST_F(GdiPictures, PlaceableMetafilesNeedTheirHeader) {
    // A placeable header (1 inch square at 1440 units per inch) around a
    // Windows metafile that paints a blue rectangle.
    HDC dc = CreateMetaFileW(nullptr);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, 1440, 1440, nullptr);
    HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
    SelectObject(dc, blue);
    Rectangle(dc, 0, 0, 1440, 1440);
    HMETAFILE metafile = CloseMetaFile(dc);
    std::vector<uint8_t> body(GetMetaFileBitsEx(metafile, 0, nullptr));
    GetMetaFileBitsEx(metafile, static_cast<UINT>(body.size()), body.data());
    DeleteMetaFile(metafile);
    DeleteObject(blue);
    std::vector<uint8_t> file = {0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0, 0xA0, 0x05, 0xA0, 0x05, 0xA0, 0x05,
                                 0, 0, 0, 0, 0, 0};
    file.insert(file.end(), body.begin(), body.end());
    fx.WriteScratch("square.wmf", file);
    TAnymap map(fx.Platform);
    map.LoadFromFile(fx.ScratchPath("square.wmf"));
    EXPECT_EQ(map.Width(), map.Height());
    EXPECT_GT(map.Width(), 50);
    EXPECT_EQ(map.Pixel(map.Width() / 2, map.Height() / 2), MakeRGB(0, 0, 255));

    fx.WriteScratch("plain.wmf", body); // no placeable header: no size
    try {
        map.LoadFromFile(fx.ScratchPath("plain.wmf"));
        FAIL() << "a metafile without size loaded";
    } catch (const EMuraltoError& e) {
        EXPECT_NE(std::string(e.what()).find("no size"), std::string::npos);
    }
}

TEST_F(GdiPictures, RleFourDecodesLikeGdi) {
    // The program's RLE4 reading must agree with GDI's on a file with runs,
    // literals, a delta and an early end of line.
    std::vector<uint8_t> rle = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 2, 0, 2, 0x77, 0, 0, 5, 0xAB, 0, 1};
    std::vector<uint8_t> file(14 + 40 + 64, 0);
    const auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put(10, 14 + 40 + 64), put(14, 40), put(18, 6), put(22, 3);
    file[26] = 1, file[28] = 4, put(30, 2);
    // Entry 0 is black: pixels the runs skip stay entry 0 for us and black for GDI.
    for (int i = 1; i < 16; ++i) file[54 + 4 * i] = uint8_t(i * 17), file[55 + 4 * i] = uint8_t(255 - i * 17);
    file.insert(file.end(), rle.begin(), rle.end());
    put(2, uint32_t(file.size()));
    put(34, uint32_t(rle.size())); // GDI wants the size of compressed data
    const TBitmap ours = ReadBmp(file);

    const auto* info = reinterpret_cast<const BITMAPINFO*>(file.data() + 14);
    HDC screen = GetDC(nullptr);
    BITMAPINFO out{};
    out.bmiHeader = {sizeof(BITMAPINFOHEADER), 6, -3, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint8_t> pixels(20 * 3); // three rows of 6 pixels, padded to 20 bytes
    HBITMAP gdi = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, file.data() + 14 + 40 + 64, info, DIB_RGB_COLORS);
    GetDIBits(screen, gdi, 0, 3, pixels.data(), &out, DIB_RGB_COLORS);
    DeleteObject(gdi);
    ReleaseDC(nullptr, screen);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 6; ++x) {
            const uint8_t* p = pixels.data() + y * 20 + 3 * x;
            EXPECT_EQ(ours.Pixel(x, y), (TRGBQuad{p[0], p[1], p[2], 0})) << x << "," << y;
        }
}
