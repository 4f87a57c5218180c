// The wallpaper lists: loading, choosing, recording, removing, deleting and
// the move of the older single list.
#include "engine/Wallpaper.h"
#include "unit/ListsOnRegistry.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

Strings Numbered(const std::string& prefix, int n) {
    Strings out;
    for (int i = 0; i < n; ++i) out.push_back(prefix + std::to_string(i));
    return out;
}

} // namespace

TEST_P(ListsOnRegistry, WithoutListsOneEmptyList1IsCurrentAndGetsItsOwnOptions) {
    TCountingWallpaper w(Platform(), TOwnerKind::MainForm, P);
    // Before any list is known, recording would write outside the program's tree.
    EXPECT_THROW(w.RecordInList("early.jpg", PlacementAt(0)), std::logic_error);
    w.LoadSettings();
    EXPECT_EQ(w.ListNames.Strings(), Strings{"List 1"});
    EXPECT_EQ(w.ListName, "List 1");
    EXPECT_EQ(w.ListKey, P + "\\Lists\\List 1");
    EXPECT_TRUE(w.Items.Empty());
    EXPECT_EQ(w.Capacity, 20);
    EXPECT_FALSE(w.Items.Sorted());
    EXPECT_EQ(Values("Lists\\List 1\\Options"),
              (std::map<std::string, std::string>{{"MRUCapacity", "20"}, {"SortMostRecent", "0"}}));
    EXPECT_TRUE(w.FullScreen && w.MultipleWindows && w.AdjustWallpaper);
    EXPECT_FALSE(w.ChangeLogos || w.CorrectLogos || w.KeepAlive || w.RestoreIcons || w.ChangeOnStartup);
    EXPECT_EQ(w.Refreshes, 0);
}

TEST_P(ListsOnRegistry, AListWithoutItsOwnSettingsTakesAndKeepsTheGlobalOnes) {
    PutText("Options", "MRUCapacity", "5");
    PutText("Options", "SortMostRecent", "1");
    PutText("Options", "FullScreen", "0");
    PutText("Options\\Desktop", "RestoreIcons", "2");
    const uint8_t ctrlShiftA[] = {0x41, 0x60};
    Put("Options\\Shortcuts", "StartShortcut", reg::BinaryValue(ctrlShiftA, 2));
    PutListOptions("Own", 3, false);
    PutList("Plain", {"p"});
    PutText("Lists", "Current", "Plain");

    TWallpaper w(Platform(), TOwnerKind::ImageWindow, P);
    w.LoadSettings();
    EXPECT_EQ(w.Capacity, 5);
    EXPECT_TRUE(w.Items.Sorted());
    EXPECT_EQ(Values("Lists\\Plain\\Options"),
              (std::map<std::string, std::string>{{"MRUCapacity", "5"}, {"SortMostRecent", "1"}}));
    EXPECT_FALSE(w.FullScreen);
    EXPECT_TRUE(w.RestoreIcons);
    EXPECT_EQ(w.StartShortcut, 0x6041);

    PutText("Lists", "Current", "OWN");
    w.LoadSettings();
    EXPECT_EQ(w.Capacity, 3);
    EXPECT_FALSE(w.Items.Sorted());
}

TEST_P(ListsOnRegistry, SpoiledValuesReadAsAbsentWithoutAnError) {
    PutList("B", {"b0", "b1", "b2"});
    PutList("A", {"a0"});
    Put("Lists", "Current", reg::DWordValue(1));
    Put("Options", "MRUCapacity", reg::DWordValue(2));
    Put("Options", "FullScreen", reg::BinaryValue("\0", 1));
    const uint8_t three[] = {0x41, 0x60, 0};
    Put("Options\\Shortcuts", "StartShortcut", reg::BinaryValue(three, 3));
    Put("Lists\\B\\Options", "SortMostRecent", reg::DWordValue(1));
    Put("Lists\\B\\MRU", "1", reg::DWordValue(1));

    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    ASSERT_NO_THROW(w.LoadSettings());
    EXPECT_EQ(w.ListName, "A");
    EXPECT_TRUE(w.FullScreen);
    EXPECT_EQ(w.StartShortcut, 0xC052);
    EXPECT_EQ(w.Capacity, 20);

    // A "Current" that names no possible list must not put list keys into "Lists".
    for (const char* bad : {"", "B\\MRU"}) {
        PutText("Lists", "Current", bad);
        w.LoadSettings();
        EXPECT_EQ(w.ListName, "A") << bad;
    }
    PutText("Lists", "Current", "B");
    w.LoadSettings();
    EXPECT_EQ(w.Items.Strings(), Strings{"b0"}); // the entry that is not text ends the list
    EXPECT_FALSE(w.Items.Sorted());
    EXPECT_EQ(Text("Lists\\B\\Options", "SortMostRecent"), "0");
    EXPECT_EQ(w.ListNames.Strings(), (Strings{"A", "B"}));
}

TEST_P(ListsOnRegistry, ACurrentListWhoseKeyWasDeletedIsStillUsedAndRecreated) {
    PutList("Holidays", {"h0"});
    PutText("Lists", "Current", "Gone");
    TCountingWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings();
    EXPECT_EQ(w.ListName, "Gone");
    EXPECT_EQ(w.ListNames.Strings(), Strings{"Holidays"});
    EXPECT_TRUE(w.Items.Empty());
    EXPECT_TRUE(KeyExists("Lists\\Gone"));
}

TEST_P(ListsOnRegistry, OnlyEntriesNumberedWithoutAGapAreLoadedAndTheTrimStopsAtAGap) {
    PutText("Lists\\L\\MRU", "0", "e0");
    PutText("Lists\\L\\MRU", "1", "e1");
    PutText("Lists\\L\\MRU", "3", "e3");
    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings();
    EXPECT_EQ(w.Items.Strings(), (Strings{"e0", "e1"}));

    PutList("L", Numbered("e", 5));
    PutText("Lists\\L\\MRU", "6", "e6");
    PutListOptions("L", 2, false);
    w.LoadSettings();
    EXPECT_EQ(w.Items.Strings(), (Strings{"e0", "e1"}));
    EXPECT_EQ(Values("Lists\\L\\MRU"), (std::map<std::string, std::string>{{"0", "e0"}, {"1", "e1"}, {"6", "e6"}}));
    EXPECT_TRUE(StoredPlacement("L", "e4")); // placements past the capacity stay
}

TEST_P(ListsOnRegistry, AFullUnsortedListGivesUpItsOldestEntryForANewOne) {
    PutList("L", Numbered("C:\\img", 20));
    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings();
    w.RecordInList("C:\\new.jpg", PlacementAt(77));
    Strings expected = Numbered("C:\\img", 19);
    expected.insert(expected.begin(), "C:\\new.jpg");
    EXPECT_EQ(w.Items.Strings(), expected);
    EXPECT_EQ(StoredEntries("L"), expected);
    EXPECT_EQ(Values("Lists\\L\\MRU").size(), 20u);
    EXPECT_FALSE(StoredPlacement("L", "C:\\img19"));
    EXPECT_EQ(StoredPlacement("L", "C:\\new.jpg")->X, 77);

    // Applying an entry again, spelled differently, only replaces its placement.
    w.RecordInList("c:\\IMG5", PlacementAt(55));
    EXPECT_EQ(w.Items.Strings(), expected);
    EXPECT_EQ(StoredEntries("L"), expected);
    EXPECT_EQ(StoredPlacement("L", "C:\\img5")->X, 55);
}

TEST_P(ListsOnRegistry, APlacementLeftFromALowerCapacityLetsTheListGrowUntilTheNextLoad) {
    PutList("L", {"a", "b", "c", "x"});
    PutListOptions("L", 3, false);
    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings(); // "x" leaves "MRU" but keeps its placement
    ASSERT_EQ(w.Items.Count(), 3);
    w.RecordInList("x", PlacementAt(9));
    EXPECT_EQ(w.Items.Strings(), (Strings{"x", "a", "b", "c"}));
    EXPECT_EQ(StoredEntries("L").size(), 4u);
    w.LoadSettings();
    EXPECT_EQ(w.Items.Strings(), (Strings{"x", "a", "b"}));
}

TEST_P(ListsOnRegistry, ASortedListKeepsAlphabeticalOrderAndGivesUpItsLastEntry) {
    PutListOptions("S", 3, true);
    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings();
    for (const char* path : {"c", "a", "B", "A"}) w.RecordInList(path, PlacementAt(1));
    EXPECT_EQ(w.Items.Strings(), (Strings{"a", "B", "c"}));
    EXPECT_EQ(StoredEntries("S"), (Strings{"a", "B", "c"}));
    w.RecordInList("Aa", PlacementAt(2));
    EXPECT_EQ(StoredEntries("S"), (Strings{"a", "Aa", "B"}));
    EXPECT_FALSE(StoredPlacement("S", "c"));
}

TEST_P(ListsOnRegistry, ACapacityBelowOneRemovesNothing) {
    PutListOptions("Z", 0, false);
    TWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.LoadSettings();
    ASSERT_NO_THROW(w.RecordInList("one", PlacementAt(1)));
    EXPECT_EQ(StoredEntries("Z"), Strings{"one"});
    w.LoadSettings(); // the trim starts at value 0
    EXPECT_TRUE(w.Items.Empty());

    PutListOptions("Z", -2, false);
    w.LoadSettings();
    w.RecordInList("two", PlacementAt(2));
    w.RecordInList("three", PlacementAt(3));
    EXPECT_EQ(StoredEntries("Z"), (Strings{"three", "two"}));
}

TEST_P(ListsOnRegistry, ChoosingAListDependsOnTheOwner) {
    PutList("A", {"a0"});
    PutList("B", {"b0"});
    TCountingWallpaper dialog(Platform(), TOwnerKind::PropertiesDialog, P);
    dialog.LoadSettings();
    dialog.SelectList("New");
    EXPECT_TRUE(KeyExists("Lists\\New"));
    EXPECT_EQ(Text("Lists", "Current"), "<absent>");
    EXPECT_EQ(dialog.Refreshes, 0);

    TCountingWallpaper main(Platform(), TOwnerKind::MainForm, P);
    main.SelectList("B");
    EXPECT_EQ(Text("Lists", "Current"), "B");
    EXPECT_EQ(main.ListKey, P + "\\Lists\\B");
    EXPECT_EQ(main.Refreshes, 1);
    main.LoadSettings();
    EXPECT_EQ(main.Items.Strings(), Strings{"b0"});
    // The dialog keeps showing its own list.
    dialog.LoadSettings();
    EXPECT_EQ(dialog.ListName, "New");

    for (const char* bad : {"", "A\\B"}) main.SelectList(bad);
    EXPECT_EQ(main.ListName, "B");
    EXPECT_EQ(main.Refreshes, 1);
}

TEST_P(ListsOnRegistry, DeletingTheCurrentListMakesTheFirstRemainingOneCurrent) {
    PutList("A", {"a0"});
    PutList("B", {"b0"});
    PutText("Lists", "Current", "b");
    TCountingWallpaper w(Platform(), TOwnerKind::MainForm, P);
    w.DeleteList("A"); // not the current one
    EXPECT_EQ(Text("Lists", "Current"), "b");
    EXPECT_EQ(w.ListName, "b");
    w.DeleteList("B");
    EXPECT_EQ(Text("Lists", "Current"), "<absent>");
    EXPECT_FALSE(KeyExists("Lists\\B"));
    EXPECT_EQ(w.ListName, "List 1");
    EXPECT_EQ(w.Refreshes, 2);
    w.DeleteList(""); // would address every list at once
    EXPECT_TRUE(KeyExists("Lists\\List 1"));
}

TEST_P(ListsOnRegistry, TheOlderSingleListMovesIntoList1OnlyWhereNothingIsThere) {
    PutText("MRU", "0", "old.jpg");
    const auto bytes = PlacementBytes(PlacementAt(3));
    Put("MRUData", "old.jpg", reg::BinaryValue(bytes.data(), bytes.size()));
    MigrateOldLists(*registry, P);
    EXPECT_FALSE(KeyExists("MRU"));
    EXPECT_FALSE(KeyExists("MRUData"));
    EXPECT_EQ(StoredEntries("List 1"), Strings{"old.jpg"});
    EXPECT_EQ(StoredPlacement("List 1", "old.jpg")->X, 3);

    PutText("MRU", "0", "older.jpg");
    Put("MRUData", "older.jpg", reg::BinaryValue(bytes.data(), bytes.size()));
    MigrateOldLists(*registry, P);
    EXPECT_EQ(Text("MRU", "0"), "older.jpg");
    EXPECT_TRUE(KeyExists("MRUData"));
    EXPECT_EQ(StoredEntries("List 1"), Strings{"old.jpg"});
    EXPECT_FALSE(StoredPlacement("List 1", "older.jpg"));
}
