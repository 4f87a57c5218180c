// The Windows logos: the file-form colour table helper, the start-up logo's
// palette and strip, and writing, backing up and restoring both logos, on a
// fixed 1024 × 768 screen with the boot drive and Windows folder in scratch.
#include "app/Extra.h"
#include "engine/BmpFile.h"
#include "engine/VBitmap.h"
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "unit/ImageTestSupport.h"

#include <algorithm>

namespace {

// A 12-byte-header bitmap of 2 × 1 pixels at 1 bit: two 3-byte colours.
std::vector<uint8_t> CoreHeaderBitmap() {
    std::vector<uint8_t> f = {'B', 'M', 36, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0, // file header, pixels at 32
                              12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 1, 0,          // 12-byte header: 2 × 1, 1 bit
                              0, 0, 255, 255, 255, 255,                      // red, white (blue, green, red)
                              0x40, 0, 0, 0};                               // pixels: 0, 1
    return f;
}

TEST(VirtualBitmap, ReadsAndChangesTheTableOfAnOlderHeaderKeepingThePixels) {
    TVirtualBitmap vb(CoreHeaderBitmap());
    EXPECT_EQ(vb.BitsPerPixel(), 1);
    EXPECT_EQ(vb.ColorCount(), 2);
    EXPECT_EQ(vb.GetColor(0), MakeRGB(255, 0, 0));
    EXPECT_EQ(vb.GetColor(1), MakeRGB(255, 255, 255));
    EXPECT_EQ(vb.GetColor(2), MakeRGB(0, 0, 0)); // outside the table
    EXPECT_EQ(vb.GetColor(-1), MakeRGB(0, 0, 0));
    vb.SetColor(1, MakeRGB(1, 2, 3));
    vb.SetColor(2, MakeRGB(9, 9, 9)); // ignored: past the table, which would be the pixels
    vb.SetImportantColors(1);         // the older header has no such field
    std::vector<uint8_t> expected = CoreHeaderBitmap();
    expected[29] = 3, expected[30] = 2, expected[31] = 1;
    EXPECT_EQ(vb.Bytes(), expected);
}

TEST(VirtualBitmap, RefusesOtherHeadersShortTablesAndTheTableOfDeepBitmaps) {
    const auto message = [](std::vector<uint8_t> bytes) {
        try {
            TVirtualBitmap vb(std::move(bytes));
            vb.GetColor(0);
        } catch (const EMuraltoError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    std::vector<uint8_t> v5 = CoreHeaderBitmap();
    v5[14] = 108;
    EXPECT_EQ(message(v5), "VirtualBitmap: Invalid bitmap.");
    std::vector<uint8_t> cut = CoreHeaderBitmap();
    cut.resize(30); // the second colour is missing
    EXPECT_EQ(message(cut), "VirtualBitmap: Invalid bitmap.");
    EXPECT_EQ(message({'B', 'M'}), "VirtualBitmap: Invalid bitmap.");

    TBitmap deep(3, 2, TPixelFormat::pf24bit);
    EXPECT_EQ(message(WriteBmp(deep)), "VirtualBitmap: Color table isnot avialable for 16bit or 24bit bitmaps.");

    TBitmap eight(3, 2, TPixelFormat::pf8bit);
    eight.Palette().resize(16, MakeRGB(7, 7, 7));
    TVirtualBitmap used(WriteBmp(eight)); // "colours used" 16: the rest is not a table
    EXPECT_EQ(used.ColorCount(), 16);
    EXPECT_EQ(used.GetColor(15), MakeRGB(7, 7, 7));
    EXPECT_EQ(used.GetColor(16), MakeRGB(0, 0, 0));
}

// A 320 × 400 logo whose picture uses the given colours: colour i over
// counts[i] pixels of the picture rows, the rest colour 0.
TBitmap Logo(const std::vector<TRGBQuad>& colors, const std::vector<int>& counts) {
    TBitmap logo(320, 400, TPixelFormat::pf8bit);
    logo.Palette() = colors;
    logo.Palette().resize(256);
    int at = 0;
    for (size_t i = 1; i < counts.size(); ++i)
        for (int n = 0; n < counts[i]; ++n, ++at) logo.Row(at / 320)[at % 320] = static_cast<uint8_t>(i);
    return logo;
}

TRGBQuad Gray(int v) {
    return MakeRGB(uint8_t(v), uint8_t(v), uint8_t(v));
}

TEST(StartupLogo, TheCycleBaseIsTheCommonestColourBroughtToMidBrightness) {
    struct Case {
        TRGBQuad common, base;
    };
    for (const Case& c : {Case{MakeRGB(255, 255, 255), Gray(140)},  // v 255: darkened by 115
                          Case{MakeRGB(0, 0, 0), Gray(50)},         // v 0: lightened by 50
                          Case{MakeRGB(255, 0, 0), MakeRGB(155, 0, 0)}, // v (85 + 255) / 2 = 170: by 100
                          Case{MakeRGB(100, 100, 100), Gray(100)}}) { // v 100: kept
        TBitmap logo = Logo({c.common}, {0});
        TWallpaper::PrepareStartupLogo(logo);
        const auto& p = logo.Palette();
        EXPECT_EQ(p[236], c.base);
        EXPECT_EQ(p[255], c.base);
        const auto lighter = [&](int d) {
            return MakeRGB(uint8_t(std::min(255, c.base.Red + d)), uint8_t(std::min(255, c.base.Green + d)),
                           uint8_t(std::min(255, c.base.Blue + d)));
        };
        EXPECT_EQ(p[237], lighter(10));
        EXPECT_EQ(p[245], lighter(90));
        EXPECT_EQ(p[246], lighter(90));
        EXPECT_EQ(p[254], lighter(10));
    }
}

TEST(StartupLogo, AFewColoursAreAllKeptAndThePictureKeepsItsLook) {
    // Five colours in the picture, at entries spread over the palette.
    std::vector<TRGBQuad> colors(256, MakeRGB(0, 0, 0));
    const int used[] = {0, 3, 100, 240, 255};
    const TRGBQuad look[] = {MakeRGB(10, 20, 30), MakeRGB(200, 10, 10), MakeRGB(10, 200, 10), MakeRGB(10, 10, 200),
                             MakeRGB(250, 250, 0)};
    for (int i = 0; i < 5; ++i) colors[used[i]] = look[i];
    TBitmap logo(320, 400, TPixelFormat::pf8bit);
    logo.Palette() = colors;
    for (int y = 0; y < 389; ++y)
        for (int x = 0; x < 320; ++x) logo.Row(y)[x] = static_cast<uint8_t>(used[(x + y) % 5]);
    TWallpaper::PrepareStartupLogo(logo);

    for (int y = 0; y < 389; y += 17)
        for (int x = 0; x < 320; x += 13) {
            ASSERT_LT(logo.Index(x, y), 236) << x << "," << y;
            ASSERT_EQ(logo.Pixel(x, y), look[(x + y) % 5]) << x << "," << y;
        }
    // The kept entries close up in their order: the unused 1 and 2 went
    // aside, so 0 and 3 come first.
    EXPECT_EQ(logo.Palette()[0], look[0]);
    EXPECT_EQ(logo.Palette()[1], look[1]);
}

TEST(StartupLogo, TheStripRunsDownFromEntry255WithDitheredEdges) {
    TBitmap logo = Logo({MakeRGB(40, 80, 120)}, {0});
    TWallpaper::PrepareStartupLogo(logo);
    // Strip row 0 ("000010111"): block 0 is 255 but for pixels 11, 13, 14, 15.
    const uint8_t* row = logo.Row(389);
    for (int x = 0; x < 16; ++x) EXPECT_EQ(row[x], (x == 11 || x >= 13) ? 254 : 255) << x;
    // Strip row 10 ("010011011") in block 4: pixels 64 + 8, 11, 12, 14, 15 take 250.
    row = logo.Row(399);
    for (int x = 64; x < 80; ++x) {
        const int k = x - 64;
        EXPECT_EQ(row[x], (k == 8 || k == 11 || k == 12 || k == 14 || k == 15) ? 250 : 251) << x;
    }
    // The last block has no edge.
    for (int y = 389; y < 400; ++y)
        for (int x = 304; x < 320; ++x) ASSERT_EQ(logo.Row(y)[x], 236) << x << "," << y;
    EXPECT_LT(logo.Index(319, 388), 236); // the picture ends above the strip
}

class Logos : public ::testing::Test {
protected:
    TImagePlatform fx;
    std::unique_ptr<TWallpaper> engine;

    void SetUp() override {
        std::string root = fx.ScratchPath("");
        root.pop_back();
        fx.Folders.windowsDirectory = root; // the logos' names differ, so one folder serves both
        fx.Folders.bootDrive = root;
        engine = std::make_unique<TWallpaper>(fx.Platform, TOwnerKind::ImageWindow);
        engine->LoadSettings();
    }

    // A w × h picture of one colour, opened with a white background.
    void Open(int w, int h, TRGBQuad color = MakeRGB(10, 200, 30)) {
        TBitmap b(w, h, TPixelFormat::pf24bit);
        b.Fill(color);
        fx.WriteScratch("picture.bmp", WriteBmp(b));
        engine->OpenImage(fx.ScratchPath("picture.bmp"));
        engine->Color = 0xFFFFFF;
    }
    TBitmap Read(const std::string& path) { return ReadBmp(fx.Files->ReadFile(path)); }
    std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

    // The bounding box of the pixels of this colour.
    struct Box {
        int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    };
    static Box Find(const TBitmap& logo, TRGBQuad color) {
        Box box;
        for (int y = 0; y < logo.Height(); ++y)
            for (int x = 0; x < logo.Width(); ++x)
                if (logo.Pixel(x, y) == color) {
                    box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
                }
        return box;
    }
};

TEST_F(Logos, TheStartupLogoIsA320By400BitmapWith236ImportantColours) {
    fx.Prompts.ConfirmAnswers = {true}; // nothing to back up on a fresh drive
    Open(200, 300);
    engine->WriteLogos(TWallpaper::lmStartup);
    const std::vector<uint8_t> file = fx.Files->ReadFile(engine->StartupLogoPath());
    ASSERT_GE(file.size(), 54u);
    const auto u32 = [&](size_t at) { return file[at] | file[at + 1] << 8 | file[at + 2] << 16 | uint32_t(file[at + 3]) << 24; };
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 320u);
    EXPECT_EQ(u32(22), 400u);
    EXPECT_EQ(file[28], 8);
    EXPECT_EQ(u32(50), 236u);
    EXPECT_FALSE(fx.Files->FileExists(engine->ShutdownLogoPath())); // only the one asked for
    EXPECT_EQ(fx.Prompts.Questions,
              std::vector<std::string>{"Failed to backup your StartUp logo. Are you sure you still want to change it?"});
}

TEST_F(Logos, AtHundredPercentTheScreenCornerLandsAtColumn27) {
    fx.Prompts.ConfirmAnswers = {true};
    Open(200, 300);
    engine->SetPosition(0, 0);
    engine->WriteLogos(TWallpaper::lmShutdown);
    const TBitmap logo = Read(engine->ShutdownLogoPath());
    ASSERT_EQ(logo.Width(), 320);
    // 300 rows × 400 / 768 = 156.25; 200 columns at half that scale = 52.08.
    const Box box = Find(logo, MakeRGB(10, 200, 30));
    EXPECT_EQ(box.left, 27);
    EXPECT_EQ(box.top, 0);
    EXPECT_EQ(box.right, 27 + 52 - 1);
    EXPECT_EQ(box.bottom, 156 - 1);
    EXPECT_EQ(logo.Pixel(26, 0), MakeRGB(255, 255, 255));

    // Corrected: 59 columns, moved left by 0.1375 × 59 / 2.1375 = 3.8.
    fx.Registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options")
        ->SetValue("CorrectLogos", reg::StringValue("1"));
    engine->LoadSettings();
    engine->WriteLogos(TWallpaper::lmShutdown);
    const Box corrected = Find(Read(engine->ShutdownLogoPath()), MakeRGB(10, 200, 30));
    EXPECT_EQ(corrected.left, 23);
    EXPECT_EQ(corrected.right, 23 + 59 - 1);
}

TEST_F(Logos, ATiledLogoRepeatsThePictureFromThePosition) {
    fx.Prompts.ConfirmAnswers = {true};
    TBitmap b(192, 96, TPixelFormat::pf24bit); // 50 × 50 logo pixels, half of it blue on the left
    b.Fill(MakeRGB(10, 200, 30));
    for (int y = 0; y < 96; ++y)
        for (int x = 0; x < 96; ++x) b.Row(y)[3 * x] = 220, b.Row(y)[3 * x + 1] = 20, b.Row(y)[3 * x + 2] = 20;
    fx.WriteScratch("tiles.bmp", WriteBmp(b));
    engine->OpenImage(fx.ScratchPath("tiles.bmp"));
    engine->SetTile(true);
    engine->SetPosition(0, 0);
    engine->WriteLogos(TWallpaper::lmShutdown);
    const TBitmap logo = Read(engine->ShutdownLogoPath());
    // Copies start at x = 27 - 50 = -23 + 50k and y = 50k.
    for (int x : {27, 77, 127, 277})
        for (int y : {0, 50, 350}) {
            EXPECT_EQ(logo.Pixel(x + 5, y + 5), MakeRGB(20, 20, 220)) << x << "," << y;
            EXPECT_EQ(logo.Pixel(x + 40, y + 45), MakeRGB(10, 200, 30)) << x << "," << y;
        }

    // A picture that scales to nothing leaves the background, tiled as well.
    engine->Percentage = 0;
    engine->Color = 0x0000FF;
    engine->WriteLogos(TWallpaper::lmShutdown);
    const TBitmap empty = Read(engine->ShutdownLogoPath());
    EXPECT_EQ(Find(empty, MakeRGB(255, 0, 0)).right, 319);
    EXPECT_EQ(Find(empty, MakeRGB(255, 0, 0)).bottom, 399);
}

TEST_F(Logos, AShortPaletteWithoutBlackKeepsThePictureAndBackgroundOnItsOwnColours) {
    // An 8-bit picture of four colours, none of them black: a dark grey
    // square on red, with green and blue stripes.
    const TRGBQuad red = MakeRGB(200, 30, 30), green = MakeRGB(30, 200, 30), blue = MakeRGB(30, 30, 200),
                   dark = MakeRGB(40, 40, 40);
    TBitmap b(200, 300, TPixelFormat::pf8bit);
    b.Palette() = {red, green, blue, dark};
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 200; ++x)
            b.Row(y)[x] = uint8_t(x >= 50 && x < 150 && y >= 100 && y < 200 ? 3 : y < 20 ? 1 : y >= 280 ? 2 : 0);
    fx.WriteScratch("four.bmp", WriteBmp(b));
    engine->OpenImage(fx.ScratchPath("four.bmp"));
    engine->SetPosition(0, 0);
    engine->Color = 0x0A0A0A; // a near-black background: nearest of the four is the dark grey

    const TBitmap logo = engine->ComposeLogo();
    ASSERT_EQ(logo.Palette().size(), 256u); // padded after mapping
    for (int y = 0; y < logo.Height(); ++y)
        for (int x = 0; x < logo.Width(); ++x) ASSERT_LT(logo.Index(x, y), 4) << x << "," << y;
    EXPECT_EQ(logo.Pixel(0, 0), dark);    // the background, left of the picture at column 27
    EXPECT_EQ(logo.Pixel(319, 399), dark);
    EXPECT_EQ(logo.Pixel(27 + 26, 78), dark); // the middle of the square
    EXPECT_EQ(logo.Pixel(27 + 2, 40), red);
}

TEST_F(Logos, TheFirstBackupIsKeptAndRestoredAndAFailedOneIsAsked) {
    Open(64, 64);
    fx.WriteScratch("Logo.sys", Bytes("the system's own logo"));
    fx.WriteScratch("Logow.sys", Bytes("the system's own shut-down logo"));
    engine->WriteLogos(TWallpaper::lmBoth);
    engine->WriteLogos(TWallpaper::lmBoth);
    EXPECT_TRUE(fx.Prompts.Questions.empty());
    EXPECT_EQ(fx.Files->ReadFile(engine->StartupLogoBackup()), Bytes("the system's own logo"));
    EXPECT_EQ(fx.Files->ReadFile(engine->ShutdownLogoBackup()), Bytes("the system's own shut-down logo"));
    EXPECT_EQ(Read(engine->ShutdownLogoPath()).Width(), 320);

    engine->WriteLogos(TWallpaper::lmRestore);
    EXPECT_EQ(fx.Files->ReadFile(engine->StartupLogoPath()), Bytes("the system's own logo"));
    EXPECT_EQ(fx.Files->ReadFile(engine->ShutdownLogoPath()), Bytes("the system's own shut-down logo"));
    EXPECT_TRUE(fx.Prompts.Messages.empty());
}

TEST_F(Logos, WithoutBackupsRestoreComplainsTwiceAndADeclinedQuestionWritesNothing) {
    engine->WriteLogos(TWallpaper::lmRestore);
    ASSERT_EQ(fx.Prompts.Messages.size(), 2u);
    EXPECT_EQ(fx.Prompts.Messages[0].Text, "Failed to restore your StartUp logo.");
    EXPECT_EQ(fx.Prompts.Messages[1].Text, "Failed to restore your Shut Down logo.");
    EXPECT_EQ(fx.Prompts.Messages[1].Kind, TMessageKind::Error);

    Open(64, 64);
    fx.Prompts.ConfirmAnswers = {false, true}; // keep the shut-down logo, change the start-up one
    engine->WriteLogos(TWallpaper::lmBoth);
    EXPECT_EQ(fx.Prompts.Questions,
              (std::vector<std::string>{
                  "Failed to backup your Shut Down logo. Are you sure you still want to change it?",
                  "Failed to backup your StartUp logo. Are you sure you still want to change it?"}));
    EXPECT_FALSE(fx.Files->FileExists(engine->ShutdownLogoPath()));
    EXPECT_TRUE(fx.Files->FileExists(engine->StartupLogoPath()));
}

TEST_F(Logos, ApplyingWithChangeLogosWritesBothAfterTheWallpaper) {
    fx.Registry.Create(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options")
        ->SetValue("ChangeLogos", reg::StringValue("1"));
    fx.Prompts.ConfirmAnswers = {true, true};
    Open(64, 64);
    engine->ApplyWallpaper();
    EXPECT_TRUE(fx.Files->FileExists(engine->OutputFile()));
    EXPECT_EQ(Read(engine->ShutdownLogoPath()).Height(), 400);
    EXPECT_EQ(Read(engine->StartupLogoPath()).Height(), 400);
}

} // namespace
