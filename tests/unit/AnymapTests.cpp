// Loading by extension at the display's depth, and the walk through a folder.
#include "engine/AllMap.h"
#include "engine/BmpFile.h"
#include "platform/Errors.h"
#include "unit/ImageTestSupport.h"

namespace {

class Anymap : public ::testing::Test {
protected:
    TImagePlatform fx;
    void SetBitsPerPixel(const reg::Value& value) {
        fx.Registry.Create(reg::Root::CurrentConfig, "Display\\Settings")->SetValue("BitsPerPixel", value);
    }
    TAnymap Load(const std::string& fixture) {
        TAnymap map(fx.Platform);
        map.LoadFromFile(FixturePath(fixture));
        return map;
    }
};

} // namespace

TEST_F(Anymap, TrueColourFollowsTheStoredDepthThenTheRealOne) {
    EXPECT_TRUE(ReadTrueColorDisplay(fx.Platform)); // no value: the 32-bit screen decides
    fx.Screen.SetBitsPerPixel(8);
    EXPECT_FALSE(ReadTrueColorDisplay(fx.Platform));
    fx.Screen.SetBitsPerPixel(32);
    for (const auto& [text, expected] : std::vector<std::pair<std::string, bool>>{
             {"16", true}, {"24", true}, {"15", false}, {"8", false}, {"", false}, {"lots", false}}) {
        SetBitsPerPixel(reg::StringValue(text));
        EXPECT_EQ(ReadTrueColorDisplay(fx.Platform), expected) << text;
    }
    SetBitsPerPixel(reg::DWordValue(32));
    EXPECT_TRUE(ReadTrueColorDisplay(fx.Platform));
    SetBitsPerPixel(reg::BinaryValue("x", 1));
    EXPECT_FALSE(ReadTrueColorDisplay(fx.Platform));
}

TEST_F(Anymap, LoadsByExtensionWithoutRegardToCase) {
    const TAnymap jpeg = Load("JPEG-CAPITAL.JPG");
    EXPECT_EQ(jpeg.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(jpeg, ReadPnm("JPEG-CAPITAL.JPG.ppm")));
    for (const char* name : {"gif-interlaced.gif", "pcx-24.pcx", "ico-sizes.ico", "bmp-rle8.bmp"})
        EXPECT_TRUE(SamePixels(Load(name), ReadPnm(std::string(name) + ".ppm"))) << name;

    fx.WriteScratch("picture.tif", ReadFixture("bmp-24.bmp"));
    TAnymap tif(fx.Platform);
    tif.LoadFromFile(fx.ScratchPath("picture.tif"));
    EXPECT_TRUE(tif.Empty());
}

TEST_F(Anymap, AlwaysEndsAtTheDisplaysDepth) {
    const TAnymap four = Load("bmp-4.bmp");
    EXPECT_EQ(four.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_TRUE(SamePixels(four, ReadPnm("bmp-4.bmp.ppm")));

    SetBitsPerPixel(reg::StringValue("8"));
    const TAnymap reduced = Load("bmp-24.bmp");
    ASSERT_EQ(reduced.PixelFormat(), TPixelFormat::pf8bit);
    ASSERT_EQ(reduced.Palette().size(), 256u);
    EXPECT_EQ(reduced.Palette()[1], MakeRGB(128, 0, 0));
    EXPECT_EQ(reduced.Palette()[9], MakeRGB(166, 202, 240));
    EXPECT_EQ(reduced.Palette()[246], MakeRGB(255, 251, 240));
    EXPECT_EQ(reduced.Palette()[254], MakeRGB(0, 255, 255));
    const TAnymap kept = Load("bmp-8.bmp"); // 8-bit files keep their own palette
    EXPECT_TRUE(SamePixels(kept, ReadPnm("bmp-8.bmp.ppm")));
    const TAnymap widened = Load("bmp-1.bmp");
    EXPECT_EQ(widened.PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_TRUE(SamePixels(widened, ReadPnm("bmp-1.bmp.ppm")));
    EXPECT_EQ(Load("jpeg-baseline.jpg").PixelFormat(), TPixelFormat::pf8bit);
    EXPECT_EQ(Load("gif-animated.gif").PixelFormat(), TPixelFormat::pf8bit);
}

TEST_F(Anymap, ErrorsPropagateExceptForPcx) {
    TAnymap map(fx.Platform);
    EXPECT_THROW(map.LoadFromFile(fx.ScratchPath("missing.jpg")), EFileError);
    fx.WriteScratch("broken.gif", {'G', 'I', 'F', '8', '9', 'a'});
    EXPECT_THROW(map.LoadFromFile(fx.ScratchPath("broken.gif")), EMuraltoError);
    fx.WriteScratch("broken.pcx", {10, 5, 1, 8});
    EXPECT_NO_THROW(map.LoadFromFile(fx.ScratchPath("broken.pcx")));
    EXPECT_TRUE(map.Empty());
    EXPECT_NO_THROW(map.LoadFromFile(fx.ScratchPath("missing.pcx")));
    if (!fx.Platform.Pictures) {
        fx.WriteScratch("drawing.emf", {1, 0, 0, 0});
        EXPECT_THROW(map.LoadFromFile(fx.ScratchPath("drawing.emf")), EMuraltoError);
    }
}

TEST(ImageFiles, KnowsTheElevenExtensions) {
    for (const char* name :
         {"a.bmp", "B.ICO", "c.Wmf", "d.emf", "e.jpg", "f.JPE", "g.jpeg", "h.gif", "i.pcx", "j.Png", "k.WEBP"})
        EXPECT_TRUE(IsImageFile(name)) << name;
    for (const char* name : {"a.tif", "bmp", "a.bmp.txt", "C:\\x.jpg\\readme", "noext", ".tga", "l.webm"})
        EXPECT_FALSE(IsImageFile(name)) << name;
}

TEST(Siblings, StepThroughTheSortedImagesAndStopAtBothEnds) {
    const std::vector<std::string> files = {"c.JPG", "readme.txt", "A.bmp", "b.gif", "d.pcx"};
    const auto pick = [&](const std::string& current, TSibling which) {
        return ChooseSibling(files, current, which).value_or("<none>");
    };
    EXPECT_EQ(pick("b.gif", TSibling::First), "A.bmp");
    EXPECT_EQ(pick("b.gif", TSibling::Last), "d.pcx");
    EXPECT_EQ(pick("B.GIF", TSibling::Next), "c.JPG");
    EXPECT_EQ(pick("b.gif", TSibling::Previous), "A.bmp");
    EXPECT_EQ(pick("d.pcx", TSibling::Next), "d.pcx");     // the last stays
    EXPECT_EQ(pick("a.bmp", TSibling::Previous), "A.bmp"); // the first stays
    // A name not in the folder counts from where it would stand.
    EXPECT_EQ(pick("bb.jpg", TSibling::Next), "c.JPG");
    EXPECT_EQ(pick("bb.jpg", TSibling::Previous), "b.gif");
    EXPECT_EQ(pick("zzz.jpg", TSibling::Next), "d.pcx");
    EXPECT_FALSE(ChooseSibling({"readme.txt"}, "a.bmp", TSibling::First).has_value());
}

TEST_F(Anymap, FindSiblingOpensNothingForTheCurrentFile) {
    fx.WriteScratch("one.bmp", {1});
    fx.WriteScratch("two.bmp", {1});
    const std::string one = fx.ScratchPath("one.bmp"), two = fx.ScratchPath("two.bmp");
    EXPECT_EQ(FindSibling(*fx.Files, one, TSibling::Next).value_or(""), two);
    EXPECT_FALSE(FindSibling(*fx.Files, two, TSibling::Next).has_value());
    EXPECT_FALSE(FindSibling(*fx.Files, "Q:\\nowhere\\x.bmp", TSibling::First).has_value());
}
