// PNG and WebP decoding against ImageMagick and libwebp's own decoder:
// every PNG colour type and depth, interlacing, tRNS, lossy, lossless,
// alpha and animated WebP; pixels with alpha laid over white; damaged,
// truncated and oversized files as errors of the program.
#include "engine/AllMap.h"
#include "engine/ImageLimits.h"
#include "engine/PngDecoder.h"
#include "engine/WebpDecoder.h"
#include "unit/ImageTestSupport.h"

#include <functional>

namespace {

TBitmap Png(const std::string& name) {
    const std::vector<uint8_t> f = ReadFixture(name);
    return DecodePng(f.data(), f.size());
}

TBitmap Webp(const std::string& name) {
    const std::vector<uint8_t> f = ReadFixture(name);
    return DecodeWebp(f.data(), f.size());
}

// Cut short and spoiled copies of a file: each decodes or fails with the
// program's error, never anything else.
void ExpectDamageIsAnError(const std::vector<uint8_t>& file, const std::function<TBitmap(const std::vector<uint8_t>&)>& decode,
                           const std::string& prefix) {
    for (size_t length : {size_t(0), size_t(4), size_t(12), file.size() / 3, file.size() / 2, file.size() - 1}) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        try {
            decode(cut);
            ADD_FAILURE() << "a file cut to " << length << " bytes decoded";
        } catch (const EImageError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(prefix, 0), 0u) << e.what();
        }
    }
    for (size_t at = 8; at < file.size(); at += file.size() / 17 + 1) {
        std::vector<uint8_t> spoiled = file;
        spoiled[at] ^= 0x5A;
        try {
            decode(spoiled);
        } catch (const EImageError&) {
        }
    }
}

} // namespace

TEST(Png, EveryColourTypeAndDepthDecodesAsImageMagickSeesIt) {
    for (const char* name : {"png-rgb8.png", "png-rgb16.png", "png-gray1.png", "png-gray2.png", "png-gray4.png",
                             "png-gray8.png", "png-gray16.png", "png-palette1.png", "png-palette2.png",
                             "png-palette4.png", "png-palette8.png", "png-interlaced.png", "png-trns.png"}) {
        const TBitmap b = Png(name);
        EXPECT_EQ(b.PixelFormat(), TPixelFormat::pf24bit) << name;
        EXPECT_TRUE(SamePixels(b, ReadPnm(std::string(name) + ".ppm"))) << name;
    }
}

TEST(Png, AlphaIsLaidOverWhite) {
    // ImageMagick blends in floating point: a rounding step apart at most.
    for (const char* name : {"png-rgba8.png", "png-rgba16.png", "png-grayalpha.png"})
        EXPECT_TRUE(SamePixels(Png(name), ReadPnm(std::string(name) + ".ppm"), 1)) << name;
    const TBitmap trns = Png("png-trns.png");
    EXPECT_EQ(trns.Pixel(0, 0), MakeRGB(255, 255, 255)) << "the transparent palette entry shows white";
}

TEST(Webp, LossyLosslessAnimatedAndAlphaDecodeAsLibwebpsOwnTool) {
    EXPECT_TRUE(SamePixels(Webp("webp-lossy.webp"), ReadPnm("webp-lossy.webp.ppm")));
    EXPECT_TRUE(SamePixels(Webp("webp-lossless.webp"), ReadPnm("webp-lossless.webp.ppm")));
    EXPECT_TRUE(SamePixels(Webp("webp-animated.webp"), ReadPnm("webp-animated.webp.ppm"))) << "the first frame";
    EXPECT_TRUE(SamePixels(Webp("webp-alpha.webp"), ReadPnm("webp-alpha.webp.ppm"), 1));
}

TEST(PngWebp, DamagedTruncatedAndOversizedFilesAreErrorsOfTheProgram) {
    const auto png = [](const std::vector<uint8_t>& f) { return DecodePng(f.data(), f.size()); };
    const auto webp = [](const std::vector<uint8_t>& f) { return DecodeWebp(f.data(), f.size()); };
    for (const char* name : {"png-rgb8.png", "png-interlaced.png", "png-rgba16.png"})
        ExpectDamageIsAnError(ReadFixture(name), png, "The PNG file cannot be read: ");
    for (const char* name : {"webp-lossy.webp", "webp-alpha.webp", "webp-animated.webp"})
        ExpectDamageIsAnError(ReadFixture(name), webp, "The WebP file cannot be read: ");

    // The size is checked from the header, before the pixels are allocated.
    const TImageLimitScope small(1000);
    EXPECT_THROW(Png("png-rgb8.png"), EImageTooLarge);
    EXPECT_THROW(Webp("webp-lossy.webp"), EImageTooLarge);
    EXPECT_THROW(Webp("webp-animated.webp"), EImageTooLarge);
}

TEST(PngWebp, TheyCountAsPicturesAndFollowTheDisplaysDepth) {
    EXPECT_TRUE(IsImageFile("C:\\a.PNG"));
    EXPECT_TRUE(IsImageFile("b.webp"));
    const std::vector<std::string>& extensions = ImageExtensions();
    ASSERT_GE(extensions.size(), 2u);
    EXPECT_EQ(extensions[extensions.size() - 2], ".png") << "after the formats that were there";
    EXPECT_EQ(extensions.back(), ".webp");
    EXPECT_NE(OpenPictureFilter().find("|Png Image Files (PNG)|*.png|WebP Image Files (WEBP)|*.webp"),
              std::string::npos);

    TImagePlatform platform;
    TAnymap map(platform.Platform);
    map.TrueColorDisplay = false;
    map.LoadFromFile(FixturePath("png-rgb8.png"));
    EXPECT_EQ(map.PixelFormat(), TPixelFormat::pf8bit) << "256 colours on a display of 15 bits or fewer";
    map.TrueColorDisplay = true;
    map.LoadFromFile(FixturePath("webp-lossless.webp"));
    EXPECT_EQ(map.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(map, ReadPnm("src.ppm")));
}
