// Which picture a menu entry shows and which entry a typed character picks.
#include "shellmenus/DesktopMenu.h"
#include "shellmenus/MenuDrawing.h"

#include <gtest/gtest.h>

namespace {

struct MenuDrawing : ::testing::Test {
    TCommandIds ids;
    TMenuItem root{ids};
    const std::function<bool(int)> noneEmpty = [](int) { return false; };
    const std::function<bool(int)> allEmpty = [](int) { return true; };
};

} // namespace

TEST_F(MenuDrawing, ImagesFollowCheckSystemAndOwnListRules) {
    TMenuItem& own = root.Add("&About");
    own.ImageIndex = 2;
    EXPECT_EQ(ChooseMenuImage(own, 40, noneEmpty), (TMenuImageChoice{TImageSource::Own, 2}));
    own.ImageIndex = 100; // the overflow entry: the last image
    EXPECT_EQ(ChooseMenuImage(own, 40, noneEmpty), (TMenuImageChoice{TImageSource::Own, 39}));
    own.ImageIndex = 0;
    EXPECT_EQ(ChooseMenuImage(own, 40, noneEmpty).Source, TImageSource::None);
    own.ImageIndex = -4;
    EXPECT_EQ(ChooseMenuImage(own, 40, noneEmpty).Source, TImageSource::None);
    // The check mark replaces any icon, the system's too.
    own.Checked = true;
    own.SystemImage = true;
    own.ImageIndex = 7;
    EXPECT_EQ(ChooseMenuImage(own, 40, noneEmpty), (TMenuImageChoice{TImageSource::Own, kCheckImage}));
}

TEST_F(MenuDrawing, EmptySystemIconsFallBackToDriveAndBlankImages) {
    TMenuItem& file = root.Add("notes.txt");
    file.SystemImage = true;
    file.ImageIndex = 5;
    EXPECT_EQ(ChooseMenuImage(file, 40, noneEmpty), (TMenuImageChoice{TImageSource::System, 5}));
    EXPECT_EQ(ChooseMenuImage(file, 40, allEmpty), (TMenuImageChoice{TImageSource::Own, kNoIconImage}));
    file.ImageIndex = -1; // a failed lookup is empty without asking
    EXPECT_EQ(ChooseMenuImage(file, 40, noneEmpty), (TMenuImageChoice{TImageSource::Own, kNoIconImage}));
    for (const char* floppy : {"A:", "b:"}) {
        file.Caption = floppy;
        EXPECT_EQ(ChooseMenuImage(file, 40, allEmpty).Index, kFloppyImage) << floppy;
    }
    file.Caption = "C:";
    EXPECT_EQ(ChooseMenuImage(file, 40, allEmpty).Index, kFixedDriveImage);
    file.Caption = "C:\\"; // not a drive caption
    EXPECT_EQ(ChooseMenuImage(file, 40, allEmpty).Index, kNoIconImage);
}

TEST_F(MenuDrawing, AccessKeysPickTheFirstEnabledEntryWithThatLetter) {
    root.Add("&Open File");
    root.Add("-");
    TMenuItem& disabled = root.Add("&Screen Saver Off");
    disabled.Enabled = false;
    root.Add("&Screen Saver");
    root.Add("Close &9");
    EXPECT_EQ(MenuCharPosition(root, 's'), 3);
    EXPECT_EQ(MenuCharPosition(root, 'S'), 3);
    EXPECT_EQ(MenuCharPosition(root, 'o'), 0);
    EXPECT_EQ(MenuCharPosition(root, '9'), 4);
    EXPECT_EQ(MenuCharPosition(root, 'x'), -1);
    EXPECT_EQ(MenuCharPosition(root, '!'), -1);
    EXPECT_EQ(MenuCharPosition(root, '&'), -1);
    EXPECT_EQ(MenuCharPosition(root, 0x00E9), -1); // only ASCII letters and digits pick
}

TEST_F(MenuDrawing, TheDesktopMenuSortsItsItemsKeepsTheirPositionsAndBreaksColumns) {
    TMenuItem& desktop = root.Add("&Desktop");
    desktop.Add("&Arrange Icons");
    desktop.Add("-");
    int rebuilt = 0;
    root.OnRebuild = [&](TMenuItem&) { ++rebuilt; };
    std::vector<std::string> ran;
    // Position 1 had no readable name: it is missing, and the others keep
    // their own positions.
    std::vector<TDesktopEntry> items = {{"recycle bin", 7, 0}, {"My Computer", 3, 2}, {"Notes.txt", 9, 3},
                                        {"b.jpg", 4, 4}, {"A.bmp", 4, 5}};
    FillDesktopMenu(desktop, items, 2, 3, [&](TMenuItem& item) { ran.push_back(std::to_string(item.Tag)); });
    ASSERT_EQ(desktop.Count(), 7);
    std::vector<std::string> captions;
    for (int i = 2; i < desktop.Count(); ++i) captions.push_back(desktop.Item(i).Caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"A.bmp", "b.jpg", "My Computer", "Notes.txt", "recycle bin"}));
    EXPECT_EQ(desktop.Item(4).Tag, 2);
    EXPECT_TRUE(desktop.Item(4).SystemImage);
    EXPECT_EQ(desktop.Item(4).ImageIndex, 3);
    // Columns of three, counting the fixed entries.
    for (int i = 0; i < desktop.Count(); ++i)
        EXPECT_EQ(desktop.Item(i).Break == TMenuBreak::Bar, i == 3 || i == 6) << i;
    desktop.Item(6).Click();
    EXPECT_EQ(ran, std::vector<std::string>{"0"});
    EXPECT_EQ(rebuilt, 1);
    // Filled already: a second opening adds nothing.
    FillDesktopMenu(desktop, items, 2, 3, nullptr);
    EXPECT_EQ(desktop.Count(), 7);
}
