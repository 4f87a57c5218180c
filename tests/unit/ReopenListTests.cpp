// The reopen lists of recently opened files and images.
#include "engine/MRUList.h"
#include "unit/ListsOnRegistry.h"

#include <gtest/gtest.h>

using Strings = std::vector<std::string>;

namespace {

TRecentStrings Filled(int capacity, const Strings& oldestFirst) {
    TRecentStrings list;
    list.SetCapacity(capacity);
    for (const auto& s : oldestFirst) list.Add(s);
    return list;
}

} // namespace

TEST(RecentStrings, NewStringsGoOnTopAndTheOldestFallOff) {
    Strings eleven;
    for (int i = 1; i <= 11; ++i) eleven.push_back("f" + std::to_string(i));
    TRecentStrings list = Filled(TRecentStrings::kDefaultCapacity, eleven);
    EXPECT_EQ(list.Count(), 10);
    EXPECT_EQ(list[0], "f11");
    EXPECT_EQ(list[9], "f2");

    // A present string moves up with its own spelling and tag.
    list = Filled(3, {"a", "b"});
    list.Add("c", 7);
    list.Add("B", 9);
    EXPECT_EQ(list.Strings(), (Strings{"b", "c", "a"}));
    EXPECT_EQ(list.Tag(1), 7);
    list.Remove("C");
    list.Remove("zzz");
    EXPECT_EQ(list.Strings(), (Strings{"b", "a"}));

    list.SetCapacity(0);
    EXPECT_EQ(list.Capacity(), 1);
    EXPECT_EQ(list.Strings(), Strings{"b"});
}

TEST(RecentStrings, AnotherListsStringsKeepTheirOrderAtTheTop) {
    TRecentStrings target = Filled(3, {"old"});
    const TRecentStrings source = Filled(5, {"e", "d", "c", "b", "a"}); // a b c d e
    target.AddStrings(source);
    EXPECT_EQ(target.Strings(), (Strings{"a", "b", "c"}));
}

TEST_P(ListsOnRegistry, ReopenListsLoadFromTheEndAndSaveInOrder) {
    PutText("Reopen\\MRUFile", "Item_0", "newest");
    PutText("Reopen\\MRUFile", "Item_1", "");
    Put("Reopen\\MRUFile", "Item_2", reg::DWordValue(3));
    PutText("Reopen\\MRUFile", "item_3", "NEWEST");
    PutText("Reopen\\MRUFile", "Item_4", "older");
    PutText("Reopen\\MRUFile", "Item_10", "past the capacity");

    TMRUManager files(*registry, "Reopen\\MRUFile", P);
    files.Load();
    // "newest" is met again at index 0 and moves up in the spelling already held.
    EXPECT_EQ(files.Strings().Strings(), (Strings{"NEWEST", "older"}));

    files.Strings().Add("C:\\a.txt");
    files.Save();
    EXPECT_EQ(Values("Reopen\\MRUFile"), (std::map<std::string, std::string>{
                                              {"Item_0", "C:\\a.txt"}, {"Item_1", "NEWEST"}, {"Item_2", "older"}}));

    // Menu positions 0 and 1 are the fixed command and the separator.
    EXPECT_FALSE(files.EntryAt(1));
    EXPECT_EQ(files.EntryAt(2), "C:\\a.txt");
    EXPECT_EQ(files.EntryAt(4), "older");
    EXPECT_FALSE(files.EntryAt(5));
    EXPECT_FALSE(files.Choose(-1));
    EXPECT_EQ(files.Choose(3), "NEWEST");
    EXPECT_EQ(files.Strings().Strings(), (Strings{"C:\\a.txt", "older"}));

    files.Strings().Clear();
    files.Save();
    EXPECT_FALSE(KeyExists("Reopen\\MRUFile"));
    PutText("Reopen\\MRUImage", "Item_0", "x.jpg");
    TMRUManager images(*registry, "Reopen\\MRUImage", P);
    images.ClearStored();
    images.Load();
    EXPECT_EQ(images.Strings().Count(), 0);
}
