// The PCX reader against netpbm's and ImageMagick's files, and its refusals.
#include "engine/PcxMap.h"
#include "unit/ImageTestSupport.h"

namespace {

TBitmap LoadPcx(const std::vector<uint8_t>& bytes) {
    TPcxmap pcx;
    pcx.LoadFromStream(bytes);
    return std::move(static_cast<TBitmap&>(pcx));
}

int ErrorCode(const std::vector<uint8_t>& bytes) {
    try {
        TPcxmap::Decode(bytes.data(), bytes.size());
    } catch (const EPcxException& e) {
        return e.Code();
    }
    return 0;
}

// A one-line PCX of the given layout with raw (unencoded, < 192) bytes.
std::vector<uint8_t> MakePcx(int width, uint8_t bitsPerPlane, uint8_t planes, uint16_t bytesPerLine,
                             const std::vector<uint8_t>& line, uint8_t version = 5) {
    std::vector<uint8_t> f(128, 0);
    f[0] = 10, f[1] = version, f[2] = 1, f[3] = bitsPerPlane;
    f[8] = uint8_t(width - 1), f[9] = uint8_t((width - 1) >> 8);
    f[65] = planes, f[66] = uint8_t(bytesPerLine), f[67] = uint8_t(bytesPerLine >> 8);
    for (int i = 0; i < 16; ++i) f[16 + 3 * i] = uint8_t(i * 16); // header palette: reds
    f.insert(f.end(), line.begin(), line.end());
    return f;
}

} // namespace

TEST(Pcx, MatchesTheEncodersInEveryLayout) {
    for (const char* name : {"pcx-24.pcx", "pcx-planar.pcx", "pcx-packed.pcx", "pcx-8bit.pcx", "pcx-im8.pcx"}) {
        const TBitmap b = LoadPcx(ReadFixture(name));
        EXPECT_TRUE(SamePixels(b, ReadPnm(std::string(name) + ".ppm"))) << name;
    }
    EXPECT_EQ(LoadPcx(ReadFixture("pcx-24.pcx")).PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(LoadPcx(ReadFixture("pcx-planar.pcx")).PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(LoadPcx(ReadFixture("pcx-8bit.pcx")).PixelFormat(), TPixelFormat::pf8bit);
}

TEST(Pcx, OneBitIsBlackAndWhiteWhateverTheHeaderSays) {
    const TBitmap b = LoadPcx(ReadFixture("pcx-1bit.pcx"));
    ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf1bit);
    ASSERT_EQ(b.Palette().size(), 2u);
    EXPECT_EQ(b.Palette()[0], MakeRGB(0, 0, 0));
    EXPECT_EQ(b.Palette()[1], MakeRGB(255, 255, 255));
    EXPECT_EQ(b.Width(), 37);
}

TEST(Pcx, VersionThreeUsesTheHeaderColoursThenBlack) {
    const TBitmap b = LoadPcx(ReadFixture("pcx-v3.pcx"));
    const std::vector<uint8_t> file = ReadFixture("pcx-v3.pcx");
    ASSERT_EQ(b.Palette().size(), 256u);
    EXPECT_EQ(b.Palette()[1], MakeRGB(file[19], file[20], file[21]));
    EXPECT_EQ(b.Palette()[16], MakeRGB(0, 0, 0));
    EXPECT_EQ(b.Palette()[255], MakeRGB(0, 0, 0));
}

TEST(Pcx, OddWidthPlanarPacksTheLastPixelHigh) {
    // 3 pixels, 4 planes, one byte per plane: pixel values 15, 0, 5.
    const TBitmap b = LoadPcx(MakePcx(3, 1, 4, 1, {0x80 | 0x20, 0x80, 0x80 | 0x20, 0x80}));
    ASSERT_EQ(b.PixelFormat(), TPixelFormat::pf4bit);
    EXPECT_EQ(b.Index(0, 0), 15);
    EXPECT_EQ(b.Index(1, 0), 0);
    EXPECT_EQ(b.Index(2, 0), 5);
    EXPECT_EQ(b.Row(0)[1], 0x50); // the last byte's low half stays 0
}

TEST(Pcx, BadFilesGiveAnEmptyImageAndTheRightError) {
    std::vector<uint8_t> marker = ReadFixture("pcx-im8.pcx");
    marker[marker.size() - 769] = 13;
    EXPECT_TRUE(LoadPcx(marker).Empty());
    EXPECT_EQ(ErrorCode(marker), 4);
    EXPECT_EQ(ErrorCode(MakePcx(4000, 8, 1, 4000, {})), 3);           // lines over 3072 bytes
    EXPECT_EQ(ErrorCode(MakePcx(8, 8, 1, 4, {1, 2, 3, 4})), 4);       // wider than its line
    EXPECT_EQ(ErrorCode(MakePcx(4, 8, 1, 4, {1, 2})), 4);             // data ends early
    EXPECT_EQ(ErrorCode(MakePcx(4, 8, 1, 4, {1, 2, 0xC5, 9})), 4);    // a run past the line
    EXPECT_EQ(ErrorCode(MakePcx(4, 2, 2, 4, {1, 2, 3, 4})), 5);       // a layout no bitmap holds
    std::vector<uint8_t> notPcx = MakePcx(1, 8, 1, 1, {1});
    notPcx[0] = 11;
    EXPECT_EQ(ErrorCode(notPcx), 2);
    EXPECT_EQ(ErrorCode({10, 5, 1}), 4);
    EXPECT_STREQ(EPcxException::Text(3), "File Too big");
    // Every cut of a good file is an empty picture, never a crash.
    const std::vector<uint8_t> good = ReadFixture("pcx-8bit.pcx");
    for (size_t n = 0; n + 769 < good.size(); n += 5) EXPECT_TRUE(LoadPcx({good.begin(), good.begin() + n}).Empty()) << n;
}
