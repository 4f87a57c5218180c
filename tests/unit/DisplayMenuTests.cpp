// The display-mode sub-menu over a scripted driver: the listed modes, the
// current mode's check mark, columns, and the one handler for the sub-menu
// and its entries.
#include "platform/host/HostRegistry.h"
#include "platform/host/HostSystemMenus.h"
#include "systemmenus/DisplayMenu.h"

#include <gtest/gtest.h>

namespace {

struct TDisplayFixture {
    TDisplayFixture() {
        display.AddPlaceholder();
        root.OnRebuild = [this](TMenuItem&) { ++rebuilds; };
        // 640x480, 800x600 and 1024x768, each in 8 and then 16 bits.
        for (int size : {640, 800, 1024})
            for (int bits : {8, 16}) modes.Modes.push_back({size, size * 3 / 4, bits});
    }
    void SetSettings(const char* resolution, const char* bits) {
        auto key = registry.Create(reg::Root::CurrentConfig, "Display\\Settings");
        if (resolution) key->SetValue("Resolution", reg::StringValue(resolution));
        if (bits) key->SetValue("BitsPerPixel", reg::StringValue(bits));
    }
    void Fill() { FillDisplayMenu(display, modes, registry, screenHeight, dpi); }
    // The entries' captions (checked ones marked "*"), Tags or bar breaks.
    std::vector<std::string> Captions() const {
        std::vector<std::string> v;
        for (int i = 0; i < display.Count(); ++i)
            v.push_back((display.Item(i).Checked ? "*" : "") + display.Item(i).Caption);
        return v;
    }
    std::vector<int> Tags() const {
        std::vector<int> v;
        for (int i = 0; i < display.Count(); ++i) v.push_back(display.Item(i).Tag);
        return v;
    }
    std::vector<int> Bars() const {
        std::vector<int> v;
        for (int i = 0; i < display.Count(); ++i)
            if (display.Item(i).Break == TMenuBreak::Bar) v.push_back(i);
        return v;
    }

    HostDisplayModes modes;
    reg::HostRegistry registry;
    TCommandIds ids;
    TMenuItem root{ids};
    TMenuItem& display = root.Add("Dis&play");
    int screenHeight = 768, dpi = 96, refreshes = 0, rebuilds = 0;
};

} // namespace

TEST(DisplayMenu, ListsTheAcceptedModesInDriverOrderAndChecksTheCurrentOne) {
    TDisplayFixture f;
    f.SetSettings("800,600", "16");
    f.Fill();
    EXPECT_EQ(f.Captions(), (std::vector<std::string>{"640x480  8 Bits", "640x480  16 Bits", "800x600  8 Bits",
                                                      "*800x600  16 Bits", "1024x768  8 Bits", "1024x768  16 Bits"}));
    EXPECT_EQ(f.Tags(), (std::vector<int>{0, -1, -2, -3, -4, -5}));

    // Modes failing the trial are left out and the others keep their
    // indices; duplicates (other refresh rates) are all listed and checked.
    TDisplayFixture g;
    g.modes.Modes.push_back({800, 600, 16});
    g.modes.Refused = {1, 4};
    g.SetSettings("800,600", "16");
    g.Fill();
    EXPECT_EQ(g.Captions(), (std::vector<std::string>{"640x480  8 Bits", "800x600  8 Bits", "*800x600  16 Bits",
                                                      "1024x768  16 Bits", "*800x600  16 Bits"}));
    EXPECT_EQ(g.Tags(), (std::vector<int>{0, -2, -3, -5, -6}));

    // Nothing accepted: the placeholder stays, alone.
    TDisplayFixture none;
    none.modes.Refused = {0, 1, 2, 3, 4, 5};
    none.Fill();
    ASSERT_EQ(none.display.Count(), 1);
    EXPECT_TRUE(none.display.Item(0).IsPlaceholder());
}

TEST(DisplayMenu, CurrentModeTextFromTheRegistryOrTheCurrentMode) {
    TDisplayFixture f;
    // Neither value nor a current mode: matches no caption.
    EXPECT_EQ(CurrentDisplayModeText(f.modes, f.registry), "");
    // Without the values (the NT family) the current mode checks its entry.
    f.modes.CurrentMode = TDisplayMode{1024, 768, 16};
    f.Fill();
    EXPECT_EQ(f.Captions().back(), "*1024x768  16 Bits");
    EXPECT_EQ(f.Captions().front(), "640x480  8 Bits");

    // Each missing value is taken from the current mode on its own; only the
    // first comma becomes an "x"; a value that is not a text counts as missing.
    f.SetSettings("800,600,1", nullptr);
    EXPECT_EQ(CurrentDisplayModeText(f.modes, f.registry), "800x600,1  16 Bits");
    f.SetSettings(nullptr, "8");
    f.registry.Open(reg::Root::CurrentConfig, "Display\\Settings", true)->SetValue("Resolution", reg::DWordValue(5));
    EXPECT_EQ(CurrentDisplayModeText(f.modes, f.registry), "1024x768  8 Bits");
    f.SetSettings("640,480", nullptr);
    f.modes.CurrentMode.reset();
    EXPECT_EQ(CurrentDisplayModeText(f.modes, f.registry), "640x480  8 Bits");
}

TEST(DisplayMenu, ColumnsOfScreenHeightByTheScaledEntryHeight) {
    // 480 / 22 = 21 entries a column, the placeholder counted in the first.
    TDisplayFixture f;
    f.modes.Modes.assign(50, TDisplayMode{640, 480, 16});
    f.screenHeight = 480;
    f.Fill();
    ASSERT_EQ(f.display.Count(), 50);
    EXPECT_EQ(f.Bars(), (std::vector<int>{20, 41}));

    // At 144 dpi an entry is 33 pixels high: 14 a column. Skipped modes do
    // not count.
    TDisplayFixture scaled;
    scaled.modes.Modes = f.modes.Modes;
    scaled.modes.Refused = {0, 1, 2, 3, 4};
    scaled.screenHeight = 480;
    scaled.dpi = 144;
    scaled.Fill();
    ASSERT_EQ(scaled.display.Count(), 45);
    EXPECT_EQ(scaled.Bars(), (std::vector<int>{13, 27, 41}));
    EXPECT_EQ(scaled.display.Item(13).Tag, -18);
}

TEST(DisplayMenu, OneHandlerFillsOnceAndSwitchesFromTheEntries) {
    TDisplayFixture f;
    f.display.OnClick = DisplayMenuHandler(
        {f.modes, f.registry, [&f] { return f.screenHeight; }, [&f] { return f.dpi; }, [&f] { ++f.refreshes; }});
    f.display.Click();
    f.display.Click(); // opened again while filled: left alone
    EXPECT_EQ(f.display.Count(), 6);
    EXPECT_EQ(f.modes.Tested.size(), 6u);
    EXPECT_EQ(f.rebuilds, 1);
    EXPECT_EQ(f.refreshes, 0);

    // An entry switches to its mode by its index and refreshes the desktop,
    // also when the mode is the current one or the driver refuses it; a mode
    // gone from the driver's list is not asked for.
    f.display.Item(3).Click();
    f.modes.Refused = {5};
    f.display.Item(5).Click();
    f.modes.Modes.resize(2);
    f.display.Item(4).Click();
    EXPECT_EQ(f.modes.Changed, (std::vector<int>{3, 5}));
    EXPECT_EQ(f.refreshes, 3);

    // Emptied at the next opening of the tray menu, filled again.
    f.display.Clear();
    f.display.AddPlaceholder();
    f.display.Click();
    EXPECT_EQ(f.Captions(), (std::vector<std::string>{"640x480  8 Bits", "640x480  16 Bits"}));
}
