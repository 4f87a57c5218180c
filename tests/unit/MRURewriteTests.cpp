// Rewriting a list's "MRU" stopped after any number of writes: every entry
// that stays in the list is still loaded, and a rewrite that runs to its end
// leaves exactly the values of deleting the key and writing it again.
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "unit/ListsOnRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using Strings = std::vector<std::string>;

namespace {

struct Change {
    const char* Name;
    Strings Stored;
    bool Sorted;
    std::function<void(TWallpaper&)> Apply;
    Strings After;
};

} // namespace

TEST_P(ListsOnRegistry, AnInterruptedRewriteNeverLeavesAnEntryUnderNoName) {
    const Change changes[] = {
        {"insertion at the top", {"a", "b", "c", "d", "e"}, false,
         [](TWallpaper& w) { w.RecordInList("new", PlacementAt(9)); }, {"new", "a", "b", "c", "d", "e"}},
        {"removal", {"a", "b", "c", "d", "e"}, false, [](TWallpaper& w) { w.RemoveItem("b"); }, {"a", "c", "d", "e"}},
        // A list stored unsorted and then switched to sorted: its entries trade places.
        {"reordering", {"e", "c", "a", "d", "b"}, true, [](TWallpaper& w) { w.RemoveItem("none"); },
         {"a", "b", "c", "d", "e"}},
    };
    for (const auto& change : changes) {
        // Runs the change with a number of writes (-1: unlimited); true when it was stopped.
        auto run = [&](int writes, int* used) {
            registry->DeleteTree(reg::Root::CurrentUser, P);
            PutList("L", change.Stored);
            PutListOptions("L", 20, change.Sorted);
            // Left-overs that a full rewrite removes: they are no entries of the list.
            PutText("Lists\\L\\MRU", "x", change.Stored[0]);
            PutText("Lists\\L\\MRU", "07", "junk");
            PutText("Lists\\L\\MRU\\Sub", "0", "junk");
            TFailingRegistry failing(*registry);
            TWallpaper w(PlatformOver(failing), TOwnerKind::MainForm, P);
            w.LoadSettings();
            failing.Writes = 0;
            failing.WritesLeft = writes;
            bool stopped = false;
            try {
                change.Apply(w);
            } catch (const ERegistryException&) {
                stopped = true;
            }
            if (used) *used = failing.Writes;
            return stopped;
        };

        int total = 0;
        ASSERT_FALSE(run(-1, &total)) << change.Name;
        std::map<std::string, std::string> expected;
        for (size_t i = 0; i < change.After.size(); ++i) expected[std::to_string(i)] = change.After[i];
        EXPECT_EQ(Values("Lists\\L\\MRU"), expected) << change.Name;
        EXPECT_FALSE(KeyExists("Lists\\L\\MRU\\Sub")) << change.Name;

        for (int writes = 0; writes < total; ++writes) {
            EXPECT_TRUE(run(writes, nullptr)) << change.Name << ", " << writes << " writes";
            TWallpaper reader(Platform(), TOwnerKind::MainForm, P);
            reader.LoadSettings();
            for (const auto& entry : change.Stored) {
                if (std::find(change.After.begin(), change.After.end(), entry) == change.After.end()) continue;
                EXPECT_TRUE(reader.Items.Contains(entry))
                    << change.Name << ": '" << entry << "' lost after " << writes << " writes";
            }
        }
    }
}
