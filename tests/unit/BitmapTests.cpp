// The bitmap, its files, the nearest-colour rule and the 256-colour reduction.
#include "engine/BmpFile.h"
#include "engine/ColorReduction.h"
#include "engine/ImageLimits.h"
#include "engine/Palette.h"
#include "imagewindow/FastBMP.h"
#include "unit/ImageTestSupport.h"

#include <random>

namespace {

TBitmap Checkerboard(int w, int h) {
    TBitmap b(w, h, TPixelFormat::pf24bit);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = b.Row(y) + 3 * x;
            p[0] = uint8_t(x * 7), p[1] = uint8_t(y * 11), p[2] = uint8_t((x + y) & 1 ? 255 : 0);
        }
    return b;
}

// A bitmap file with a chosen header form around the given rows (bottom-up).
std::vector<uint8_t> HandMadeBmp(uint32_t headerSize, int width, int height, uint16_t bpp, uint32_t compression,
                                 const std::vector<uint32_t>& masks, const std::vector<uint8_t>& pixels,
                                 const std::vector<uint8_t>& palette = {}) {
    std::vector<uint8_t> f(14 + headerSize, 0);
    const auto put = [&](size_t at, uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f[at + i] = uint8_t(v >> (8 * i));
    };
    f[0] = 'B', f[1] = 'M';
    put(14, headerSize, 4);
    put(18, uint32_t(width), 4);
    put(22, uint32_t(height), 4);
    put(26, 1, 2);
    put(28, bpp, 2);
    put(30, compression, 4);
    for (size_t i = 0; i < masks.size() && headerSize >= 52; ++i) put(54 + 4 * i, masks[i], 4);
    if (headerSize == 40) {
        for (uint32_t m : masks)
            for (int i = 0; i < 4; ++i) f.push_back(uint8_t(m >> (8 * i)));
    }
    f.insert(f.end(), palette.begin(), palette.end());
    put(10, uint32_t(f.size()), 4);
    f.insert(f.end(), pixels.begin(), pixels.end());
    put(2, uint32_t(f.size()), 4);
    return f;
}

// Counts the pixel blocks asked for while it lives (the heap still gives
// them).
class TCountedPixels {
public:
    TCountedPixels() {
        SetPixelAllocator([this](int, int, TPixelFormat, size_t bytes) -> std::unique_ptr<TPixelMemory> {
            ++Blocks;
            Bytes += bytes;
            return nullptr;
        });
    }
    ~TCountedPixels() { SetPixelAllocator(nullptr); }
    TCountedPixels(const TCountedPixels&) = delete;
    TCountedPixels& operator=(const TCountedPixels&) = delete;
    int Blocks = 0;
    uint64_t Bytes = 0;
};

std::string ErrorOf(const std::vector<uint8_t>& file) {
    try {
        ReadBmp(file);
    } catch (const EMuraltoError& e) {
        return e.what();
    }
    return "<no error>";
}

} // namespace

TEST(NearestColor, FastMapAgreesWithThePlainRuleIncludingTies) {
    std::mt19937 random(1234);
    for (int round = 0; round < 4; ++round) {
        std::vector<TRGBQuad> palette;
        const int size = round == 0 ? 1 : (round == 1 ? 16 : 256);
        for (int i = 0; i < size; ++i)
            palette.push_back(MakeRGB(uint8_t(random() % 256), uint8_t(random() % 256), uint8_t(random() % 256)));
        if (round == 3) palette[200] = palette[3]; // a duplicate: the lower index must win
        TNearestColorMap map(palette);
        for (int i = 0; i < 20000; ++i) {
            const uint8_t r = uint8_t(random()), g = uint8_t(random()), b = uint8_t(random());
            ASSERT_EQ(map.Nearest(r, g, b), NearestPaletteIndex(palette, r, g, b));
        }
        if (round == 3) {
            EXPECT_EQ(map.Nearest(palette[3].Red, palette[3].Green, palette[3].Blue), 3);
        }
    }
    // Equal distances: (10,0,0) lies between entries 0 and 1.
    const std::vector<TRGBQuad> two = {MakeRGB(0, 0, 0), MakeRGB(20, 0, 0)};
    EXPECT_EQ(NearestPaletteIndex(two, 10, 0, 0), 0);
    EXPECT_EQ(TNearestColorMap(two).Nearest(10, 0, 0), 0);
}

TEST(BmpFile, WritingAndReadingKeepsEveryFormat) {
    for (TPixelFormat format : {TPixelFormat::pf1bit, TPixelFormat::pf4bit, TPixelFormat::pf8bit, TPixelFormat::pf24bit}) {
        TBitmap b(13, 5, format);
        if (HasPalette(format))
            for (int i = 0; i < (1 << BitsPerPixel(format)); ++i)
                b.Palette().push_back(MakeRGB(uint8_t(i * 3), uint8_t(255 - i), uint8_t(i)));
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 13; ++x) {
                if (HasPalette(format)) {
                    b.SetIndex(x, y, uint8_t((x * 5 + y) % (1 << BitsPerPixel(format))));
                } else {
                    b.Row(y)[3 * x] = uint8_t(x * 19 + y);
                    b.Row(y)[3 * x + 2] = uint8_t(y * 40);
                }
            }
        const TBitmap back = ReadBmp(WriteBmp(b));
        EXPECT_EQ(back.PixelFormat(), format);
        EXPECT_TRUE(SamePixels(back, b)) << BitsPerPixel(format);
    }
}

TEST(BmpFile, MatchesImageMagicksDecoding) {
    for (const char* name : {"bmp-1.bmp", "bmp-4.bmp", "bmp-8.bmp", "bmp-24.bmp", "bmp-rle8.bmp", "bmp-32.bmp"}) {
        const TBitmap b = ReadBmp(ReadFixture(name));
        EXPECT_TRUE(SamePixels(b, ReadPnm(std::string(name) + ".ppm"))) << name;
    }
    // 32-bit files become 24-bit bitmaps, never device-dependent ones.
    EXPECT_EQ(ReadBmp(ReadFixture("bmp-32.bmp")).PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(ReadBmp(ReadFixture("bmp-4.bmp")).PixelFormat(), TPixelFormat::pf4bit);
}

TEST(BmpFile, ReadsEveryHeaderFormWithMasksAndTopDownRows) {
    // Two rows of two 16-bit pixels in 5-6-5, stored top-down (negative height).
    const std::vector<uint8_t> rows = {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF};
    for (uint32_t header : {40u, 52u, 56u, 108u, 124u}) {
        const TBitmap b = ReadBmp(HandMadeBmp(header, 2, -2, 16, 3, {0xF800, 0x07E0, 0x001F}, rows));
        EXPECT_EQ(b.Pixel(0, 0), MakeRGB(255, 0, 0)) << header;
        EXPECT_EQ(b.Pixel(1, 0), MakeRGB(0, 255, 0)) << header;
        EXPECT_EQ(b.Pixel(0, 1), MakeRGB(0, 0, 255)) << header;
        EXPECT_EQ(b.Pixel(1, 1), MakeRGB(255, 255, 255)) << header;
    }
    // The 12-byte form: 16-bit sizes and 3-byte palette entries.
    std::vector<uint8_t> core = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, 12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,
                                 0, 0, 0, 255, 255, 255};
    core.insert(core.end(), {0x80, 0, 0, 0});
    const TBitmap c = ReadBmp(core);
    EXPECT_EQ(c.Pixel(0, 0), MakeRGB(255, 255, 255));
    EXPECT_EQ(c.Pixel(1, 0), MakeRGB(0, 0, 0));
}

TEST(BmpFile, DecodesRle4WithDeltasAndLiterals) {
    // 6×2 pixels, palette of 16 greys. Bottom row: a run of 3 pixels of 1,2,1,
    // then literals 3,4,5. Top row: a delta of 2 right, then 2 pixels of 7.
    std::vector<uint8_t> palette;
    for (int i = 0; i < 16; ++i) palette.insert(palette.end(), {uint8_t(i * 16), uint8_t(i * 16), uint8_t(i * 16), 0});
    const std::vector<uint8_t> rle = {3, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 2, 0, 2, 0x77, 0, 1};
    const TBitmap b = ReadBmp(HandMadeBmp(40, 6, 2, 4, 2, {}, rle, palette));
    const int bottom[] = {1, 2, 1, 3, 4, 5}, top[] = {0, 0, 7, 7, 0, 0};
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(b.Index(x, 1), bottom[x]) << x;
        EXPECT_EQ(b.Index(x, 0), top[x]) << x;
    }
}

TEST(BmpFile, DamagedFilesAreClearErrorsNeverReadsOutside) {
    std::vector<uint8_t> good = WriteBmp(Checkerboard(10, 10));
    EXPECT_EQ(ErrorOf({'B', 'M', 0}), "This is not a bitmap file.");
    EXPECT_EQ(ErrorOf({'P', 'K', 3, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}), "This is not a bitmap file.");
    std::vector<uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_EQ(ErrorOf(cut), "The bitmap file is damaged: the pixels are cut short.");
    std::vector<uint8_t> far = good;
    far[10] = 0xFF, far[11] = 0xFF, far[12] = 0xFF, far[13] = 0x7F;
    EXPECT_EQ(ErrorOf(far), "The bitmap file is damaged: the pixels lie past the end of the file.");
    std::vector<uint8_t> header = good;
    header[14] = 77;
    EXPECT_EQ(ErrorOf(header), "This kind of bitmap file is not supported.");
    std::vector<uint8_t> depth = good;
    depth[28] = 7;
    EXPECT_EQ(ErrorOf(depth), "The bitmap file is damaged: the bit count is wrong.");
    std::vector<uint8_t> huge = good;
    huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x7F;
    huge[22] = 0xFF, huge[23] = 0xFF, huge[24] = 0xFF, huge[25] = 0x7F;
    EXPECT_NE(ErrorOf(huge).find("too large"), std::string::npos);
    // Every truncation of a good file fails cleanly.
    for (size_t n = 0; n < good.size(); n += 7) EXPECT_NE(ErrorOf({good.begin(), good.begin() + n}), "<no error>");
}

TEST(BmpFile, TheSizeLimitIsCheckedBeforeAllocating) {
    const std::vector<uint8_t> file = WriteBmp(Checkerboard(64, 64));
    TImageLimitScope small(64 * 64 * 3 + file.size() - 1);
    EXPECT_THROW(ReadBmp(file), EImageTooLarge);
}

TEST(ImageLimits, CountPaddedRowsAndReportWhatASizeCannotHold) {
    // Rows padded to four bytes, whatever the depth, and to other alignments.
    EXPECT_EQ(PaddedImageBytes<size_t>(13, 5, 1), 20u);
    EXPECT_EQ(PaddedImageBytes<size_t>(13, 5, 4), 40u);
    EXPECT_EQ(PaddedImageBytes<size_t>(13, 5, 24), 200u);
    EXPECT_EQ(PaddedImageBytes<size_t>(33, 2, 1), 16u);
    EXPECT_EQ(PaddedImageBytes<size_t>(13, 5, 8, 1), 65u);
    EXPECT_EQ(PaddedImageBytes<size_t>(13, 5, 8, 0), std::nullopt);
    // A 1-bit picture one pixel wide and 2^30 + 1 high: 4 bytes a row, so
    // 2^32 + 4 bytes, which a 32-bit size would wrap to 4.
    const uint64_t tall = (uint64_t(1) << 30) + 1;
    EXPECT_EQ(PaddedImageBytes<uint64_t>(1, tall, 1), 4 * tall);
    EXPECT_EQ(PaddedImageBytes<uint32_t>(1, tall, 1), std::nullopt);
    EXPECT_EQ(PaddedImageBytes<uint32_t>(1, tall - 1, 1), std::nullopt);
    EXPECT_EQ(PaddedImageBytes<uint32_t>(1, (uint64_t(1) << 30) - 1, 1), uint32_t(0xFFFFFFFC));
    // A row alone too wide for 32 bits.
    EXPECT_EQ(PaddedImageBytes<uint32_t>(uint64_t(1) << 31, 1, 32), std::nullopt);
    EXPECT_EQ(PaddedImageBytes<uint64_t>(UINT64_MAX, 1, 2), std::nullopt);

    // The limit's check counts the same way and returns what it checked; in
    // a 32-bit size the tall picture is too large however high the limit.
    TImageLimits limits;
    limits.MaxBytes = UINT64_MAX;
    EXPECT_EQ(limits.CheckRows<uint64_t>(1, int64_t(tall), 1), 4 * tall);
    EXPECT_THROW(limits.CheckRows<uint32_t>(1, int64_t(tall), 1), EImageTooLarge);
    limits.MaxBytes = 200;
    EXPECT_EQ(limits.CheckRows(13, 5, 24), 200u);
    EXPECT_THROW(limits.CheckRows(13, 5, 24, 4, 1), EImageTooLarge); // one more byte held beside
    EXPECT_THROW(limits.CheckRows(0, 5, 24), EImageError);
}

TEST(ImageLimits, BitmapsAndWorkingImagesCountTheirPaddedRows) {
    // One pixel a row is 1/8 or 3 bytes of colour, but a padded row of 4.
    {
        TImageLimitScope limit(4 * 1000 - 1);
        EXPECT_THROW(TBitmap(1, 1000, TPixelFormat::pf1bit), EImageTooLarge);
        EXPECT_THROW(TBitmap(1, 1000, TPixelFormat::pf24bit), EImageTooLarge);
    }
    {
        TImageLimitScope limit(4 * 1000);
        EXPECT_EQ(TBitmap(1, 1000, TPixelFormat::pf1bit).Stride(), 4u);
    }
    // A working image also holds its row table.
    const uint64_t table = 1000 * sizeof(uint8_t*);
    {
        TImageLimitScope limit(4 * 1000 + table - 1);
        EXPECT_THROW(TFastBMP::CreateBlank(1, 1000), EImageTooLarge);
    }
    TImageLimitScope limit(4 * 1000 + table);
    EXPECT_EQ(TFastBMP::CreateBlank(1, 1000).ByteSize(), 4000u);
}

TEST(BmpFile, AHostileTallOneBitFileIsTooLargeNotAWrappedSize) {
    // One pixel wide, 2^30 + 1 rows high, a 4-byte block of pixels. Its
    // padded size is 4 GiB + 4; counted as bits per pixel it looked like
    // 128 MiB, and in a 32-bit size it wrapped to 4 bytes.
    const std::vector<uint8_t> palette = {0, 0, 0, 0, 255, 255, 255, 0};
    const std::vector<uint8_t> file = HandMadeBmp(40, 1, (1 << 30) + 1, 1, 0, {}, {0x80, 0, 0, 0}, palette);
    TCountedPixels counted;
    EXPECT_THROW(ReadBmp(file), EImageTooLarge);
    EXPECT_EQ(counted.Blocks, 0);
}

TEST(BmpFile, UncompressedRowsMustBeInTheFileBeforeTheBitmapIsMade) {
    // 4000 × 4000 at 24 bits claims 48 MB, within the limit; the file holds
    // one row.
    const std::vector<uint8_t> file = HandMadeBmp(40, 4000, 4000, 24, 0, {}, std::vector<uint8_t>(12000, 7));
    {
        TCountedPixels counted;
        EXPECT_EQ(ErrorOf(file), "The bitmap file is damaged: the pixels are cut short.");
        EXPECT_EQ(counted.Blocks, 0);
    }
    // A few bytes of run-length data may describe a tall picture: an
    // end-of-bitmap code leaves every row at index 0.
    std::vector<uint8_t> palette;
    for (int i = 0; i < 256; ++i) palette.insert(palette.end(), {uint8_t(i), uint8_t(i), uint8_t(i), 0});
    TCountedPixels counted;
    const TBitmap rle = ReadBmp(HandMadeBmp(40, 16, 3000, 8, 1, {}, {4, 9, 0, 1}, palette));
    EXPECT_EQ(counted.Blocks, 1);
    ASSERT_EQ(rle.Height(), 3000);
    EXPECT_EQ(rle.Index(3, 2999), 9); // the bottom row, first in the file
    EXPECT_EQ(rle.Index(4, 2999), 0);
    EXPECT_EQ(rle.Index(0, 0), 0);
}

TEST(ColorReduction, KeepsSystemColoursAtBothEndsAndFewColoursExact) {
    TBitmap b(40, 30, TPixelFormat::pf24bit);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) {
            uint8_t* p = b.Row(y) + 3 * x;
            p[0] = x < 20 ? 10 : 200, p[1] = 77, p[2] = y < 15 ? 33 : 150;
        }
    const TBitmap r = ReduceTo256Colors(b);
    ASSERT_EQ(r.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_EQ(r.Palette().size(), 256u);
    EXPECT_EQ(r.Palette()[0], MakeRGB(0, 0, 0));
    EXPECT_EQ(r.Palette()[7], MakeRGB(192, 192, 192));
    EXPECT_EQ(r.Palette()[248], MakeRGB(128, 128, 128));
    EXPECT_EQ(r.Palette()[255], MakeRGB(255, 255, 255));
    // Four colours fit the octree exactly, so no error is left to diffuse.
    EXPECT_TRUE(SamePixels(r, b));
}

TEST(ColorReduction, ErrorDiffusionKeepsTheAverageColour) {
    // A flat colour between palette entries comes out as a mix whose mean is close.
    TBitmap b(64, 64, TPixelFormat::pf24bit);
    b.Fill(MakeRGB(100, 100, 100));
    const std::vector<TRGBQuad> palette = {MakeRGB(0, 0, 0), MakeRGB(255, 255, 255)};
    const TBitmap d = DiffuseOntoPalette(b, palette);
    double sum = 0;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) sum += d.Pixel(x, y).Red;
    EXPECT_NEAR(sum / (64 * 64), 100.0, 3.0);
}

TEST(Bitmap, ConversionsKeepColours) {
    TBitmap b = ReadBmp(ReadFixture("bmp-4.bmp"));
    const TBitmap reference = ReadPnm("bmp-4.bmp.ppm");
    TBitmap eight = b.Clone();
    eight.SetPixelFormat(TPixelFormat::pf8bit);
    EXPECT_EQ(eight.Palette().size(), b.Palette().size());
    EXPECT_TRUE(SamePixels(eight, reference));
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(b, reference));
    b.SetPixelFormat(TPixelFormat::pf32bit);
    EXPECT_TRUE(SamePixels(b, reference));
    b.SetPixelFormat(TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(b, reference));
}

TEST(Bitmap, AMovedFromBitmapIsEmpty) {
    TBitmap a(4, 3, TPixelFormat::pf24bit);
    a.Fill(MakeRGB(1, 2, 3));
    TBitmap b = std::move(a);
    EXPECT_TRUE(a.Empty());
    EXPECT_EQ(a.Width(), 0);
    EXPECT_EQ(b.Pixel(3, 2), MakeRGB(1, 2, 3));
    a = std::move(b);
    EXPECT_TRUE(b.Empty());
    EXPECT_EQ(a.Pixel(0, 0), MakeRGB(1, 2, 3));
}
