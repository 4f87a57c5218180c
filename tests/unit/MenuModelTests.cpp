// The menu model: command identifiers, tree editing, lookups and fixed trees
// declared as tables.
#include "platform/Errors.h"
#include "shellmenus/MenuModel.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

// The deepest part of the tray menu's fixed tree, and entries around it.
constexpr TMenuSpec kTrayMenu[] = {
    {"&Desktop", "DesktopIcons", 20, 69, 20, 0},
    {"&Align Icons", "Align1", 7, 72, 7, 1},
    {"&Left", "AlignLeft", 13, 30, 13, 2},
    {"&Hide", "NoIcons", 12, 37, 12, 2},
    {"-", "N5", 0, 0, 0, 2},
    {"S&ave Custom", "SaveIcons", 19, 78, 19, 2},
    {"-", "N9", 0, 0, 0, 1},
    {"Open &File", "FileMenu", 1, 74, 1, 0},
    {"&Reopen", "ReopenFile", 0, 0, 0, 1},
    {"&Clear List", "ClearFile", 0, 0, 0, 2},
    {"-", "N1", 0, 0, 0, 1},
    {"&Most Recent", "Recent", 8, 76, 8, 0, menuspec::Disabled},
    {"&Close", "Exit", 5, 128, 5, 0},
};
static_assert(IsMenuTable(kTrayMenu), "the tray menu table is in tree order");

} // namespace

TEST(MenuTable, BuildsTheTrayMenuTree) {
    TCommandIds ids;
    TMenuItem menu(ids);
    AddMenuItems(menu, kTrayMenu);
    ASSERT_EQ(menu.Count(), 4);
    EXPECT_EQ(menu.Item(3).Name, "Exit");
    TMenuItem* left = menu.FindByName("alignleft");
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->Caption, "&Left");
    EXPECT_EQ(std::make_tuple(left->Tag, left->HelpContext, left->ImageIndex), std::make_tuple(13, 30, 13));
    EXPECT_EQ(left->Parent()->Name, "Align1");
    EXPECT_EQ(left->Parent()->Parent(), &menu.Item(0));
    EXPECT_EQ(left->Parent()->Count(), 4);
    EXPECT_TRUE(menu.Item(0).Item(1).IsSeparator());
    EXPECT_EQ(menu.FindByName("ClearFile")->Parent()->Name, "ReopenFile");
    EXPECT_EQ(menu.Item(1).Count(), 2);
    EXPECT_FALSE(menu.FindByName("Recent")->Enabled);
    EXPECT_TRUE(menu.Item(1).Enabled);
}

TEST(MenuTable, RowsOutOfTreeOrderAreRefused) {
    constexpr TMenuSpec skipsALevel[] = {{"a", "A", 0, 0, 0, 0}, {"b", "B", 0, 0, 0, 2}};
    constexpr TMenuSpec startsDeep[] = {{"a", "A", 0, 0, 0, 1}};
    static_assert(!IsMenuTable(skipsALevel) && !IsMenuTable(startsDeep), "");
    TCommandIds ids;
    TMenuItem menu(ids);
    EXPECT_THROW(AddMenuItems(menu, skipsALevel), std::invalid_argument);
    EXPECT_EQ(menu.Count(), 0);
    constexpr TMenuSpec flags[] = {{"a", "A", 0, 0, 0, 0, menuspec::Checked | menuspec::Radio | menuspec::BarBreak}};
    AddMenuItems(menu, flags);
    EXPECT_TRUE(menu.Item(0).Checked && menu.Item(0).RadioItem);
    EXPECT_EQ(menu.Item(0).Break, TMenuBreak::Bar);
}

TEST(MenuCommands, UniqueAcrossMenusAndReusedAfterRemoval) {
    TCommandIds ids;
    TMenuItem tray(ids), other(ids);
    std::set<uint16_t> seen{tray.Command(), other.Command()};
    for (int i = 0; i < 50; ++i) {
        seen.insert(tray.Add("t").Command());
        TMenuItem& sub = other.Add("o");
        seen.insert(sub.Command());
        seen.insert(sub.Add("leaf").Command());
    }
    EXPECT_EQ(seen.size(), 152u);
    EXPECT_EQ(ids.Count(), 152);

    const uint16_t sub = other.Item(7).Command(), leaf = other.Item(7).Item(0).Command();
    EXPECT_EQ(other.Find(leaf), &other.Item(7).Item(0));
    EXPECT_EQ(tray.Find(leaf), nullptr); // only in the menu's own subtree
    other.Delete(7);                      // the entry and its sub-entry
    EXPECT_EQ(ids.Count(), 150);
    EXPECT_EQ(other.Find(leaf), nullptr);
    EXPECT_FALSE(ids.InUse(leaf));
    const std::set<uint16_t> reused{tray.Add("new").Command(), tray.Add("new").Command()};
    EXPECT_EQ(reused, (std::set<uint16_t>{sub, leaf}));

    tray.Clear();
    EXPECT_EQ(ids.Count(), 100); // the other menu and the two roots
}

TEST(MenuCommands, AllocatorEndsAt0xFFFF) {
    TCommandIds ids;
    for (int i = 1; i <= 0xFFFF; ++i) ASSERT_EQ(ids.Allocate(), i);
    EXPECT_THROW(ids.Allocate(), EMuraltoError);
    ids.Release(42);
    ids.Release(42); // a second release is ignored
    EXPECT_EQ(ids.Allocate(), 42);
    EXPECT_THROW(ids.Allocate(), EMuraltoError);
}

TEST(MenuTree, EditingLookupsAndPlaceholder) {
    TCommandIds ids;
    TMenuItem menu(ids);
    menu.Add("b");
    menu.Insert(0, "a");
    TMenuItem& c = menu.Insert(2, "c");
    EXPECT_THROW(menu.Insert(4, "x"), std::out_of_range);
    EXPECT_THROW(menu.Item(3), std::out_of_range);
    EXPECT_EQ(menu.IndexOf(c), 2);
    EXPECT_EQ(menu.IndexOf(menu), -1);
    EXPECT_EQ(c.Parent(), &menu);

    TMenuItem& placeholder = c.AddPlaceholder();
    EXPECT_TRUE(placeholder.IsPlaceholder());
    EXPECT_FALSE(placeholder.Enabled);
    placeholder.Enabled = true; // a file named "(Empty)" is an ordinary entry
    EXPECT_FALSE(placeholder.IsPlaceholder());

    c.NativeHandle = 0x1234;
    EXPECT_EQ(menu.FindByHandle(0x1234), &c);
    EXPECT_EQ(menu.FindByHandle(0), nullptr);

    std::vector<std::string> rebuilt;
    menu.OnRebuild = [&](TMenuItem& entry) { rebuilt.push_back(entry.Caption); };
    placeholder.Rebuild();
    EXPECT_EQ(rebuilt, std::vector<std::string>{"(Empty)"});

    menu.DeleteFrom(1);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0).Caption, "a");
}
