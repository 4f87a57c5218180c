// JPEG, GIF and icon decoding against the encoders' own decoders.
#include "engine/GifDecoder.h"
#include "engine/IconReader.h"
#include "engine/ImageLimits.h"
#include "engine/JpegDecoder.h"
#include "unit/ImageTestSupport.h"

#include <cstdlib>
#include <functional>

namespace {

TBitmap Jpeg(const std::string& name, bool eightBit = false) {
    const std::vector<uint8_t> f = ReadFixture(name);
    return DecodeJpeg(f.data(), f.size(), eightBit);
}

std::string ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EMuraltoError& e) {
        return e.what();
    }
    return "<no error>";
}

} // namespace

TEST(Jpeg, DecodesExactlyAsLibjpegsOwnTool) {
    for (const char* name : {"jpeg-baseline.jpg", "jpeg-progressive.jpg"})
        EXPECT_TRUE(SamePixels(Jpeg(name), ReadPnm(std::string(name) + ".ppm"))) << name;
    const TBitmap gray = Jpeg("jpeg-gray.jpg");
    EXPECT_EQ(gray.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(gray, ReadPnm("jpeg-gray.jpg.pgm")));
}

TEST(Jpeg, CmykLoadsAsColour) {
    const TBitmap b = Jpeg("jpeg-cmyk.jpg");
    const TBitmap source = ReadPnm("src.ppm");
    ASSERT_EQ(b.Width(), source.Width());
    // CMYK conversion is not exact: the picture must still be close.
    double error = 0;
    for (int y = 0; y < b.Height(); ++y)
        for (int x = 0; x < b.Width(); ++x)
            error += std::abs(b.Pixel(x, y).Red - source.Pixel(x, y).Red) +
                     std::abs(b.Pixel(x, y).Blue - source.Pixel(x, y).Blue);
    EXPECT_LT(error / (b.Width() * b.Height()), 30.0);
}

TEST(Jpeg, EightBitOutputUsesTheLibrarysQuantiser) {
    const TBitmap b = Jpeg("jpeg-baseline.jpg", true);
    EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_GT(b.Palette().size(), 16u);
    EXPECT_LE(b.Palette().size(), 256u);
    const TBitmap cmyk = Jpeg("jpeg-cmyk.jpg", true);
    EXPECT_EQ(cmyk.PixelFormat(), TPixelFormat::pf8bit);
}

TEST(Jpeg, DamagedFilesAreErrorsOfTheProgram) {
    std::vector<uint8_t> f = ReadFixture("jpeg-baseline.jpg");
    EXPECT_NE(ErrorOf([&] { DecodeJpeg(f.data(), 100, false); }).find("The JPEG file cannot be read"),
              std::string::npos);
    std::vector<uint8_t> junk(64, 0x55);
    EXPECT_NE(ErrorOf([&] { DecodeJpeg(junk.data(), junk.size(), false); }), "<no error>");
    TImageLimitScope small(1000);
    EXPECT_THROW(DecodeJpeg(f.data(), f.size(), false), EImageTooLarge);
}

TEST(Gif, FirstImageMatchesImageMagick) {
    for (const char* name : {"gif-interlaced.gif", "gif-animated.gif"}) {
        const std::vector<uint8_t> f = ReadFixture(name);
        const TBitmap b = DecodeGif(f.data(), f.size());
        EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf8bit);
        EXPECT_TRUE(SamePixels(b, ReadPnm(std::string(name) + ".ppm"))) << name;
    }
}

TEST(Gif, DamagedFilesAreErrors) {
    const std::vector<uint8_t> f = ReadFixture("gif-interlaced.gif");
    for (size_t n : {size_t(0), size_t(6), size_t(13), size_t(40), f.size() / 2})
        EXPECT_NE(ErrorOf([&] { DecodeGif(f.data(), n); }), "<no error>") << n;
    TImageLimitScope small(100);
    EXPECT_THROW(DecodeGif(f.data(), f.size()), EImageTooLarge);
}

TEST(Icon, FirstImageOnWhiteMatchesImageMagick) {
    const std::vector<uint8_t> f = ReadFixture("ico-sizes.ico");
    const TBitmap b = DecodeIconPortable(f.data(), f.size());
    EXPECT_EQ(b.Width(), 48);
    EXPECT_TRUE(SamePixels(b, ReadPnm("ico-sizes.ico.ppm")));
}

TEST(Icon, PngImagesAndDamagedFilesAreClearErrors) {
    const std::vector<uint8_t> png = ReadFixture("ico-png.ico");
    EXPECT_EQ(ErrorOf([&] { DecodeIconPortable(png.data(), png.size()); }),
              "Icons stored as PNG images can only be opened on Windows.");
    std::vector<uint8_t> f = ReadFixture("ico-sizes.ico");
    std::vector<uint8_t> far = f;
    far[18] = 0xFF, far[19] = 0xFF, far[20] = 0xFF; // the first image's offset
    EXPECT_EQ(ErrorOf([&] { DecodeIconPortable(far.data(), far.size()); }),
              "The icon file is damaged: the image lies past the end of the file.");
    for (size_t n = 0; n < 200; n += 11) EXPECT_NE(ErrorOf([&] { DecodeIconPortable(f.data(), n); }), "<no error>");
}
