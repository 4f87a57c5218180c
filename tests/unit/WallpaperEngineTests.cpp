// The engine's composing, applying and changing, on a fixed 1024 × 768 screen
// and a fixed clock, with the registry in memory (and the real file system).
#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "engine/BmpFile.h"
#include "engine/ImageLimits.h"
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "unit/ImageTestSupport.h"

using namespace regnames;

namespace {

class Engine : public ::testing::Test {
protected:
    TImagePlatform fx;
    std::unique_ptr<TWallpaper> engine;

    void SetUp() override {
        std::string windows = fx.ScratchPath("");
        windows.pop_back();
        fx.Folders.windowsDirectory = windows;
        fx.Clock.Set(EncodeDateTime({2026, 12, 8, 10, 0, 0, 0}));
        engine = std::make_unique<TWallpaper>(fx.Platform, TOwnerKind::MainForm);
        engine->SeedRandom(7);
        engine->LoadSettings();
    }

    // A w × h picture of one colour with a 10-pixel border of another, saved
    // as a 24-bit bitmap file.
    std::string Picture(const std::string& name, int w, int h, TRGBQuad fill = MakeRGB(10, 20, 30),
                        TRGBQuad border = MakeRGB(200, 0, 0)) {
        TBitmap b(w, h, TPixelFormat::pf24bit);
        b.Fill(border);
        for (int y = 10; y < h - 10; ++y)
            for (int x = 10; x < w - 10; ++x) {
                uint8_t* p = b.Row(y) + 3 * x;
                p[0] = fill.Blue, p[1] = fill.Green, p[2] = fill.Red;
            }
        fx.WriteScratch(name, WriteBmp(b));
        return fx.ScratchPath(name);
    }
    void SetOption(const std::string& section, const std::string& name, const std::string& value) {
        TRegIniFiles(fx.Registry, kProgramKey).WriteString(section, name, value);
    }
    void StoreRecord(const std::string& path, const TPlacement& rec) {
        auto key = fx.Registry.Create(reg::Root::CurrentUser, engine->ListKey + "\\MRUData");
        WritePlacement(*key, path, rec);
    }
    std::string DesktopValue(const char* name) {
        return TSettingsReaderLike(reg::Root::CurrentUser, kControlPanelDesktopKey, name);
    }
    std::string TSettingsReaderLike(reg::Root root, const std::string& key, const std::string& name) {
        reg::Value v;
        auto k = fx.Registry.Open(root, key, false);
        return k && k->QueryValue(name, v) ? reg::StringOf(v) : "<absent>";
    }
    TBitmap WrittenWallpaper() { return ReadBmp(fx.Files->ReadFile(engine->OutputFile())); }
};

} // namespace

TEST_F(Engine, AnImageWithoutRecordOpensCentredWithItsMostFrequentColour) {
    const std::string path = Picture("plain.bmp", 300, 200);
    EXPECT_FALSE(engine->OpenImage(path));
    EXPECT_EQ(engine->Position.X, (1024 - 300) / 2);
    EXPECT_EQ(engine->Position.Y, (768 - 200) / 2);
    EXPECT_EQ(engine->Percentage, 100);
    EXPECT_FALSE(engine->Tile || engine->Fit || engine->Mirror || engine->Rotate != 0);
    EXPECT_EQ(engine->Color, 0x001E140Au); // (10, 20, 30): the inside outnumbers the border
}

TEST_F(Engine, TilingStartsCopiesAtThePositionAcrossTheScreen) {
    engine->OpenImage(Picture("tile.bmp", 300, 200));
    engine->SetTile(true);
    engine->SetPosition(0, 0);
    EXPECT_EQ(engine->Origin.X, -212);
    const TBitmap screen = engine->ComposeScreen();
    ASSERT_EQ(screen.Width(), 1024);
    for (int x : {0, 300, 600, 900}) {
        EXPECT_EQ(screen.Pixel(x, 0), MakeRGB(200, 0, 0)) << x;      // a tile's border starts here
        EXPECT_EQ(screen.Pixel(x + 10, 10), MakeRGB(10, 20, 30)) << x; // and its inside
    }
    EXPECT_EQ(screen.Pixel(299, 100), MakeRGB(200, 0, 0));
}

TEST_F(Engine, AlignmentsAndAWideImage) {
    engine->OpenImage(Picture("wide.bmp", 1100, 100));
    engine->AlignImage(2);
    EXPECT_EQ(engine->Position.X, 1024 - 1100);
    engine->AlignImage(0);
    EXPECT_EQ(engine->Position.Y, 668);
    engine->AlignImage(3);
    EXPECT_EQ(engine->Position.Y, 0);
    engine->AlignImage(6);
    EXPECT_EQ(engine->Position.Y, 334);
    engine->AlignImage(5);
    EXPECT_EQ(engine->Position.X, -38);
}

TEST_F(Engine, SnapshotRestoreUndoesEveryChange) {
    engine->OpenImage(Picture("snap.bmp", 100, 80));
    engine->Snapshot(TWallpaper::snSave);
    EXPECT_TRUE(engine->Editing);
    engine->Color = 0xFF;
    engine->SetTile(true);
    engine->SetPosition(5, 6);
    engine->Snapshot(TWallpaper::snRestore);
    EXPECT_FALSE(engine->Editing);
    EXPECT_FALSE(engine->Tile);
    EXPECT_EQ(engine->Position.X, (1024 - 100) / 2);
    EXPECT_EQ(engine->Origin.X, engine->Position.X);
    EXPECT_EQ(engine->Color, 0x001E140Au);
}

TEST_F(Engine, ApplyingWritesTheScreenBitmapAndRecordsIt) {
    const std::string path = Picture("apply.bmp", 300, 200);
    engine->OpenImage(path);
    engine->SetTile(true);
    engine->ApplyWallpaper();

    const TBitmap written = WrittenWallpaper();
    EXPECT_EQ(written.Width(), 1024);
    EXPECT_EQ(written.Height(), 768);
    EXPECT_EQ(written.PixelFormat(), TPixelFormat::pf24bit);
    EXPECT_EQ(DesktopValue("Wallpaper"), engine->OutputFile());
    EXPECT_EQ(DesktopValue("TileWallpaper"), "0"); // Windows never tiles: the bitmap does
    EXPECT_EQ(DesktopValue("WallpaperOriginX"), "0");

    ASSERT_EQ(engine->Items.Count(), 1);
    EXPECT_EQ(engine->Items[0], path);
    auto list = fx.Registry.Open(reg::Root::CurrentUser, engine->ListKey + "\\MRUData", false);
    const auto listRecord = ReadPlacement(*list, path);
    ASSERT_TRUE(listRecord);
    EXPECT_EQ(listRecord->ScreenWidth, 1024);
    EXPECT_EQ(listRecord->Tile, 1);
    auto machine = fx.Registry.Open(reg::Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false);
    ASSERT_NE(machine, nullptr);
    const auto copy = ReadPlacement(*machine, "Data");
    ASSERT_TRUE(copy);
    EXPECT_TRUE(SamePlacement(*copy, *listRecord));
    EXPECT_EQ(TSettingsReaderLike(reg::Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", "Wallpaper"),
              path);
    TRegistry user(fx.Registry);
    user.OpenKey("\\SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false);
    EXPECT_DOUBLE_EQ(user.ReadDateTime("Time"), fx.Clock.Now());
}

TEST_F(Engine, AStoredRecordFromAnotherScreenWidthIsAdjustedOrNot) {
    const std::string path = Picture("record.bmp", 100, 100);
    TPlacement rec;
    rec.X = 100, rec.Y = 50, rec.Percentage = 100, rec.ScreenWidth = 1024, rec.Color = 0x123456;
    StoreRecord(path, rec);
    EXPECT_TRUE(engine->OpenImage(path));
    EXPECT_EQ(engine->Position.X, 100);
    EXPECT_EQ(engine->Color, 0x123456u);
    // A broken record width is taken as this screen's, never divided by.
    rec.ScreenWidth = 0;
    StoreRecord(path, rec);
    EXPECT_TRUE(engine->OpenImage(path));
    EXPECT_EQ(engine->Position.Y, 50);
}

TEST_F(Engine, ARecordFrom800PixelsIsScaledTo1024WhenAdjusting) {
    const std::string path = Picture("scaled.bmp", 100, 80);
    TPlacement rec;
    rec.X = 100, rec.Y = 50, rec.Percentage = 100, rec.ScreenWidth = 800;
    StoreRecord(path, rec);
    EXPECT_TRUE(engine->OpenImage(path));
    EXPECT_EQ(engine->Position.X, 128);
    EXPECT_EQ(engine->Position.Y, 64);
    EXPECT_EQ(engine->Percentage, 128);
    EXPECT_EQ(engine->Image.Width(), 128);

    SetOption("Options", "AdjustWallpaper", "0");
    engine->LoadSettings();
    rec.Percentage = 0;
    StoreRecord(path, rec);
    engine->OpenImage(path);
    EXPECT_EQ(engine->Position.X, 100);
    EXPECT_EQ(engine->Position.Y, 50);
    EXPECT_EQ(engine->Image.Width(), 100); // drawn at 100 percent
}

TEST_F(Engine, FitChoosesHeightOrWidthByTheBoundingSize) {
    const std::string square = Picture("square.bmp", 400, 400), wide = Picture("wide.bmp", 800, 400);
    TPlacement rec;
    rec.Fit = 1, rec.ScreenWidth = 1024, rec.Percentage = 100;
    StoreRecord(square, rec);
    StoreRecord(wide, rec);
    engine->OpenImage(square);
    EXPECT_EQ(engine->Image.Width(), 768);
    EXPECT_EQ(engine->Image.Height(), 768);
    engine->OpenImage(wide);
    EXPECT_EQ(engine->Image.Width(), 1024);
    EXPECT_EQ(engine->Image.Height(), 512);
    // A quarter turn makes the wide image tall: fitted to the height.
    rec.Rotate = 90;
    StoreRecord(wide, rec);
    engine->OpenImage(wide);
    EXPECT_EQ(engine->Image.Height(), 768);
    EXPECT_EQ(engine->Image.Width(), 384);
    // A full turn is no turn at all.
    rec.Rotate = 360, rec.Fit = 0, rec.Percentage = 50;
    StoreRecord(wide, rec);
    engine->OpenImage(wide);
    EXPECT_EQ(engine->Image.Width(), 400);
    EXPECT_EQ(engine->Image.Height(), 200);
}

TEST_F(Engine, DamagedRecordsLoadRenderApplyAndMakeLogosWithoutOverflowing) {
    const std::string path = Picture("damaged.bmp", 100, 80);
    struct Case {
        int32_t X, Y, Percentage, ScreenWidth, Rotate;
        uint8_t Fit;
    };
    const Case cases[] = {
        {INT32_MIN, INT32_MAX, INT32_MIN, INT32_MAX, INT32_MIN, 0},
        {INT32_MAX, INT32_MIN, 0, INT32_MIN, INT32_MAX, 0},
        {INT32_MIN, INT32_MIN, 100, 1024, INT32_MIN, 1},
        {INT32_MAX, INT32_MAX, INT32_MAX, 1, 90, 1}, // a width of 1 multiplies every value by 1024
        {INT32_MAX - 5, 0, 100, 1024, 0, 0},
    };
    for (const char* adjust : {"1", "0"}) {
        SetOption("Options", "AdjustWallpaper", adjust);
        for (uint8_t tile : {0, 1})
            for (const Case& c : cases) {
                TPlacement rec;
                rec.X = c.X, rec.Y = c.Y, rec.Percentage = c.Percentage, rec.ScreenWidth = c.ScreenWidth;
                rec.Rotate = c.Rotate, rec.Fit = c.Fit, rec.Tile = tile, rec.Color = 0x00FF00;
                StoreRecord(path, rec);
                const std::string what = std::string("adjust ") + adjust + " tile " + std::to_string(tile) + " x " +
                                         std::to_string(c.X) + " rotate " + std::to_string(c.Rotate);
                ASSERT_TRUE(engine->OpenImage(path)) << what;
                const auto within = [](int32_t v, int32_t limit) { return v >= -limit && v <= limit; };
                EXPECT_TRUE(within(engine->Position.X, kMaxPlacementOffset)) << what;
                EXPECT_TRUE(within(engine->Position.Y, kMaxPlacementOffset)) << what;
                EXPECT_TRUE(within(engine->Rotate, kMaxPlacementTurn)) << what;
                EXPECT_FALSE(engine->Image.Empty()) << what;
                engine->ApplyWallpaper();
                const TBitmap written = WrittenWallpaper();
                EXPECT_EQ(written.Width(), 1024) << what;
                if (!tile) {
                    EXPECT_EQ(written.Pixel(0, 0), MakeRGB(0, 255, 0)) << what; // the picture is far off
                }
                EXPECT_EQ(engine->ComposeLogo().Width(), TWallpaper::kLogoWidth) << what;
            }
    }
    // The largest size a record may hold is a thousand times the picture's
    // own: too large to render, which is the program's error, not a wrapped
    // size.
    TPlacement huge;
    huge.Percentage = INT32_MAX, huge.ScreenWidth = 1024;
    StoreRecord(path, huge);
    EXPECT_THROW(engine->OpenImage(path), EImageTooLarge);
}

TEST_F(Engine, APictureThatScalesToNothingLeavesTheBackgroundAlone) {
    // 1 percent of 40 × 30 rounds to 0 × 0: the picture is not drawn, at
    // 100 percent or otherwise, tiled or not.
    const std::string path = Picture("speck.bmp", 40, 30);
    for (uint8_t tile : {0, 1}) {
        TPlacement rec;
        rec.Percentage = 1, rec.ScreenWidth = 1024, rec.Color = 0x0000FF, rec.Tile = tile;
        rec.X = 500, rec.Y = 300;
        StoreRecord(path, rec);
        ASSERT_TRUE(engine->OpenImage(path));
        EXPECT_TRUE(engine->Image.Empty()) << int(tile);
        EXPECT_FALSE(engine->TileBuffer) << int(tile);
        engine->ApplyWallpaper();
        const TBitmap written = WrittenWallpaper();
        ASSERT_EQ(written.Width(), 1024);
        ASSERT_EQ(written.Height(), 768);
        for (int y = 0; y < 768; ++y)
            for (int x = 0; x < 1024; ++x) ASSERT_EQ(written.Pixel(x, y), MakeRGB(255, 0, 0)) << x << "," << y;
        // What was applied is recorded as it was placed.
        auto list = fx.Registry.Open(reg::Root::CurrentUser, engine->ListKey + "\\MRUData", false);
        EXPECT_EQ(ReadPlacement(*list, path)->Percentage, 1);
    }
}

TEST_F(Engine, ThePreviousPicturesTilesNeverOutliveIt) {
    engine->OpenImage(Picture("tiles.bmp", 300, 200));
    engine->SetTile(true);
    ASSERT_TRUE(engine->TileBuffer);

    // A damaged file with a tiled record: nothing loads, and nothing of the
    // old picture is left to compose.
    fx.WriteScratch("broken.bmp", {'B', 'M', 1, 2, 3});
    TPlacement rec;
    rec.Tile = 1, rec.Percentage = 100, rec.ScreenWidth = 1024;
    StoreRecord(fx.ScratchPath("broken.bmp"), rec);
    EXPECT_TRUE(engine->OpenImage(fx.ScratchPath("broken.bmp")));
    ASSERT_FALSE(fx.Prompts.Messages.empty());
    EXPECT_EQ(fx.Prompts.Messages.back().Text, "Error opening \"" + fx.ScratchPath("broken.bmp") + "\"");
    EXPECT_FALSE(engine->TileBuffer);
    EXPECT_TRUE(engine->ComposeScreen().Empty());

    // Nor when the new picture loads but its tiles come to nothing.
    engine->OpenImage(Picture("tiles.bmp", 300, 200));
    engine->SetTile(true);
    rec.Percentage = 1, rec.Color = 0xFF0000;
    const std::string speck = Picture("speck.bmp", 40, 30);
    StoreRecord(speck, rec);
    EXPECT_TRUE(engine->OpenImage(speck));
    EXPECT_FALSE(engine->TileBuffer);
    const TBitmap screen = engine->ComposeScreen();
    for (int y = 0; y < 768; y += 7)
        for (int x = 0; x < 1024; x += 7) ASSERT_EQ(screen.Pixel(x, y), MakeRGB(0, 0, 255)) << x << "," << y;
}

TEST_F(Engine, RefreshReappliesAfterAWidthOrDepthChangeOnly) {
    const std::string path = Picture("refresh.bmp", 120, 90);
    engine->OpenImage(path);
    engine->ApplyWallpaper();
    const double firstTime = fx.Clock.Now();

    fx.Clock.Set(firstTime + 0.5);
    engine->RefreshIfStale(); // nothing changed
    TRegistry user(fx.Registry);
    user.OpenKey("\\SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false);
    EXPECT_DOUBLE_EQ(user.ReadDateTime("Time"), firstTime);

    fx.Screen.Resize(800, 600);
    engine->RefreshIfStale();
    EXPECT_EQ(WrittenWallpaper().Width(), 800);
    auto list = fx.Registry.Open(reg::Root::CurrentUser, engine->ListKey + "\\MRUData", false);
    EXPECT_EQ(ReadPlacement(*list, path)->ScreenWidth, 800);

    fx.Registry.Create(reg::Root::CurrentConfig, "Display\\Settings")->SetValue("BitsPerPixel", reg::StringValue("8"));
    engine->RefreshIfStale();
    EXPECT_EQ(WrittenWallpaper().PixelFormat(), TPixelFormat::pf8bit);

    // A wallpaper another program set is left alone.
    TRegIniFiles(fx.Registry, kControlPanelDesktopKey).WriteString("", "Wallpaper", "C:\\elsewhere.bmp");
    fx.Screen.Resize(1024, 768);
    fx.Clock.Set(firstTime + 1);
    engine->RefreshIfStale();
    EXPECT_EQ(WrittenWallpaper().Width(), 800);
}

TEST_F(Engine, AVanishedEntryLeavesTheListWithAMessage) {
    const std::string path = Picture("gone.bmp", 50, 50);
    engine->OpenImage(path);
    engine->ApplyWallpaper();
    ASSERT_EQ(engine->Items.Count(), 1);
    fx.RemoveScratch("gone.bmp");
    engine->ChangeWallpaper(path);
    EXPECT_EQ(engine->Items.Count(), 0);
    ASSERT_FALSE(fx.Prompts.Messages.empty());
    EXPECT_EQ(fx.Prompts.Messages.back().Text, "\"" + path + "\" does not exist!");
}

TEST_F(Engine, BrowsingStartsInTheImagesFolderAndOpensTheChoice) {
    // No image yet: the dialog starts where the system likes.
    fx.Prompts.PictureAnswers.push_back(std::nullopt);
    engine->BrowseImage();
    ASSERT_EQ(fx.Prompts.PictureFolders.size(), 1u);
    EXPECT_EQ(fx.Prompts.PictureFolders[0], "");
    EXPECT_TRUE(engine->FileName.empty());

    const std::string first = Picture("first.bmp", 40, 30), second = Picture("second.bmp", 60, 20);
    engine->OpenImage(first);
    fx.Prompts.PictureAnswers.push_back(second);
    engine->BrowseImage();
    EXPECT_EQ(fx.Prompts.PictureFolders[1], first.substr(0, first.find_last_of('\\')));
    EXPECT_EQ(engine->FileName, second);
    EXPECT_EQ(engine->Image.Width(), 60);

    // Cancelled: the image stays; a vanished image's folder is not offered.
    fx.RemoveScratch("second.bmp");
    engine->BrowseImage();
    EXPECT_EQ(fx.Prompts.PictureFolders[2], "");
    EXPECT_EQ(engine->FileName, second);
    EXPECT_EQ(engine->Image.Width(), 60);
}

class Changer : public Engine {
protected:
    std::vector<std::string> paths;
    void SetUp() override {
        Engine::SetUp();
        SetOption("Options\\Changer", "Active", "1");
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            paths.push_back(Picture(name, 40, 30));
            engine->OpenImage(paths.back());
            engine->ApplyWallpaper(); // c, b, a in the list, "Time" now
        }
    }
    std::string Current() {
        return TSettingsReaderLike(reg::Root::CurrentUser, engine->ListKey + "\\Options\\Changer", "Wallpaper");
    }
    void Order(const char* which) {
        for (const char* name : {"Random", "Down", "Up"}) SetOption("Options\\Changer", name, "0");
        if (*which) SetOption("Options\\Changer", which, "1");
    }
};

TEST_F(Changer, NinetyMinutesAfterTenTheWallpaperChangesAtHalfPastEleven) {
    SetOption("Options\\Changer", "Interval", "90");
    SetOption("Options\\Changer", "Minutes", "1");
    fx.Clock.Set(EncodeDateTime({2026, 12, 8, 11, 29, 0, 0}));
    engine->CheckSchedule();
    EXPECT_EQ(Current(), paths[2]); // not yet
    EXPECT_EQ(engine->Hint, "Next Wallpaper on 2026-12-08 11:30:00");
    fx.Clock.Set(EncodeDateTime({2026, 12, 8, 11, 30, 0, 0}));
    engine->CheckSchedule();
    EXPECT_NE(Current(), paths[2]);
    EXPECT_EQ(engine->Hint, "Next Wallpaper on 2026-12-08 13:00:00");
}

TEST_F(Changer, AClockSetBackRestartsTheIntervalAndMidnightShowsTheDateAlone) {
    fx.Clock.Set(EncodeDateTime({2026, 12, 7, 0, 0, 0, 0}));
    engine->CheckSchedule();
    EXPECT_EQ(engine->Hint, "Next Wallpaper on 2026-12-08");
    TRegistry user(fx.Registry);
    user.OpenKey("\\SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", false);
    EXPECT_DOUBLE_EQ(user.ReadDateTime("Time"), fx.Clock.Now());
}

TEST_F(Changer, DownAndUpWrapAroundAndNoneTakesTheFirst) {
    // Items: c, b, a (the newest first).
    const auto setCurrent = [&](const std::string& path) {
        TRegIniFiles(fx.Registry, engine->ListKey).WriteString("Options\\Changer", "Wallpaper", path);
    };
    Order("Down");
    setCurrent(paths[0]); // a, the last entry
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[2]); // wraps to c, the first
    Order("Up");
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[0]); // from the first back to the last
    setCurrent("C:\\not in the list.bmp");
    Order("Down");
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[2]);
    setCurrent("C:\\not in the list.bmp");
    Order("Up");
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[0]);
    Order("");
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[2]);
}

TEST_F(Changer, RandomNeverRepeatsWithTwoAndTakesTheOnlyOne) {
    Order("Random");
    engine->RemoveItem(paths[0]);
    for (int i = 0; i < 6; ++i) {
        const std::string before = Current();
        engine->NextWallpaper();
        EXPECT_NE(Current(), before);
    }
    engine->RemoveItem(paths[1]);
    engine->NextWallpaper();
    EXPECT_EQ(Current(), paths[2]);
}

TEST_F(Changer, AnEmptyListAppliesNothingButTheHintStillShows) {
    for (const auto& p : paths) engine->RemoveItem(p);
    fx.Clock.Set(fx.Clock.Now() + 2);
    engine->CheckSchedule();
    EXPECT_EQ(engine->Hint.rfind("Next Wallpaper on ", 0), 0u);
    EXPECT_TRUE(engine->Items.Empty());
}

TEST_F(Changer, AMissingStartOfIntervalIsARegistryError) {
    fx.Registry.Open(reg::Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Options\\Changer", true)->DeleteValue("Time");
    EXPECT_THROW(engine->CheckSchedule(), ERegistryException);
}
