// The folder-menu builder over real folders: contents, columns, overflow
// entries, the cache, paths and check marks.
#include "platform/Text.h"
#include "platform/host/HostServices.h"
#include "shellmenus/BetterMenu.h"
#include "unit/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Seven pixels a byte.
class TFixedWidthText : public ITextMeasurer {
public:
    int TextWidth(const std::string& caption) override { return 7 * static_cast<int>(caption.size()); }
};

class TRecordedIcons : public ISystemIcons {
public:
    int32_t IndexByPath(const std::string& path) override {
        asked.push_back(path);
        return 5;
    }
    int32_t IndexByAttributes(const std::string&, uint32_t) override { return 0; }
    std::vector<std::string> asked;
};

// The host file system, counting folder listings and reporting the 8.3
// names a test gives.
class TCountingFiles : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::optional<std::vector<TFindData>> ListFolder(const std::string& folder) override {
        ++listings;
        return HostFileSystem::ListFolder(folder);
    }
    std::optional<TFindData> FindFirst(const std::string& path) override {
        auto found = HostFileSystem::FindFirst(path);
        const auto name = shortNames.find(path);
        if (found && name != shortNames.end()) found->AlternateName = name->second;
        return found;
    }
    int listings = 0;
    std::map<std::string, std::string, text::LessText> shortNames;
};

// A builder on a 1024 x 768 screen whose root entry hangs in a menu; the
// file system's drives are folders of a scratch folder.
struct TMenuFixture {
    TMenuFixture() {
        fs::create_directories(scratch);
        builder.RootEntry = &root;
        builder.OnSelect = [this](TBetterMenu&, const std::string& path) { selected.push_back(path); };
        root.OnClick = builder.ClickHandler();
        root.AddPlaceholder();
    }
    ~TMenuFixture() {
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }
    void MakeFolder(const std::string& folder) { fs::create_directories(files.HostPath(folder)); }
    void MakeFiles(const std::string& folder, const std::vector<std::string>& names) {
        MakeFolder(folder);
        const fs::path host = files.HostPath(folder);
        for (const auto& name : names) std::ofstream(host / name).put('x');
    }
    void MakeFolders(const std::string& folder, const std::vector<std::string>& names) {
        const fs::path host = files.HostPath(folder);
        for (const auto& name : names) fs::create_directories(host / name);
    }
    // Empties an opened entry as the tray menu's rebuild does, and opens it.
    void Reopen(TMenuItem& entry) {
        entry.Clear();
        entry.AddPlaceholder();
        entry.Click();
    }
    // A new entry for the folder below the root entry, opened.
    TMenuItem& Open(const std::string& folder) {
        TMenuItem& entry = root.Add(folder);
        entry.OnClick = builder.ClickHandler();
        entry.AddPlaceholder();
        entry.Click();
        return entry;
    }

    static fs::path Scratch() {
        static int made = 0;
        return fs::temp_directory_path() /
               ("muralto-menus-" + std::to_string(ProcessId()) + "-" + std::to_string(++made));
    }
    fs::path scratch = Scratch();
    TCountingFiles files{scratch};
    HostSystemFolders folders;
    HostScreen screen{1024, 768};
    TFixedWidthText measurer;
    TRecordedIcons icons;
    TBetterMenu builder{files, folders, screen, measurer, icons};
    TCommandIds ids;
    TMenuItem menu{ids};
    TMenuItem& root = menu.Add("Root");
    std::vector<std::string> selected;
};

std::vector<std::string> Numbered(const char* pattern, int count) {
    std::vector<std::string> names;
    char name[64];
    for (int i = 1; i <= count; ++i) {
        std::snprintf(name, sizeof name, pattern, i);
        names.emplace_back(name);
    }
    return names;
}

std::vector<std::string> Captions(const TMenuItem& entry) {
    std::vector<std::string> captions;
    for (int i = 0; i < entry.Count(); ++i) captions.push_back(entry.Item(i).Caption);
    return captions;
}

bool OnlyPlaceholder(const TMenuItem& entry) {
    return entry.Count() == 1 && entry.Item(0).IsPlaceholder();
}

} // namespace

TEST(BetterMenuFill, EmptyOrUnlistableFolderShowsOnlyTheDisabledPlaceholder) {
    TMenuFixture f;
    f.MakeFolder("C:\\Empty");
    EXPECT_TRUE(OnlyPlaceholder(f.Open("C:\\Empty")));
    EXPECT_TRUE(OnlyPlaceholder(f.Open("C:\\Missing")));
    EXPECT_TRUE(f.selected.empty());
}

TEST(BetterMenuFill, FoldersThenFilesSortedWithoutCaseAndDuplicates) {
    TMenuFixture f;
    f.MakeFiles("C:\\Pics", {"b.txt", "A.txt", "c"});
    f.MakeFolder("C:\\Pics\\Zed");
    f.MakeFolder("C:\\Pics\\alpha");
    TMenuItem& pics = f.Open("C:\\Pics");
    EXPECT_EQ(Captions(pics), (std::vector<std::string>{"alpha", "Zed", "A.txt", "b.txt", "c"}));
    EXPECT_TRUE(OnlyPlaceholder(pics.Item(0))); // folders open further
    EXPECT_TRUE(pics.Item(0).SystemImage && pics.Item(3).SystemImage);
    EXPECT_EQ(pics.Item(3).Count(), 0);
    EXPECT_EQ(f.icons.asked.front(), "C:\\Pics\\alpha");

    f.builder.Reset();
    f.builder.ExtensionFilter = {"jpg", "GIF", ""}; // even an empty entry matches no empty extension
    f.MakeFiles("C:\\Filter", {"a.jpg", "b.JPG", "c.jpeg", "x.", "jpg", "d.gif", "e.jpg.bak"});
    EXPECT_EQ(Captions(f.Open("C:\\Filter")), (std::vector<std::string>{"a.jpg", "b.JPG", "d.gif"}));
}

TEST(BetterMenuColumns, ThreeThousandFilesMakeColumnsOf34AndChainedMoreEntries) {
    TMenuFixture f; // 1024 x 768: 34 entries a column, 12 characters = 134 pixels
    const auto folders = Numbered("dir_%04d.sub", 10), files = Numbered("file%04d.txt", 3000);
    f.MakeFolders("C:\\Big", folders);
    f.MakeFiles("C:\\Big", files);
    std::vector<TMenuItem*> parts{&f.Open("C:\\Big")};
    std::vector<std::string> shown;
    for (;;) {
        TMenuItem& part = *parts.back();
        for (int i = 0; i < part.Count(); ++i) {
            EXPECT_EQ(part.Item(i).Break == TMenuBreak::Bar, i > 0 && i % 34 == 0) << i;
            if (!TBetterMenu::IsOverflow(part.Item(i))) shown.push_back(part.Item(i).Caption);
        }
        TMenuItem& last = part.Item(part.Count() - 1);
        if (!TBetterMenu::IsOverflow(last)) break;
        // The seventh column would not fit: 6 x 34 + 33 entries, then "&More...".
        ASSERT_EQ(part.Count(), 238);
        EXPECT_EQ(last.Tag, 237 * static_cast<int>(parts.size()));
        EXPECT_EQ(last.ImageIndex, 100);
        last.Click();
        parts.push_back(&last);
    }
    EXPECT_EQ(parts.size(), 13u);
    auto expected = folders; // each entry once: all folders, then all files
    expected.insert(expected.end(), files.begin(), files.end());
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(f.files.listings, 1);

    // Below two overflow entries the path is still the folder's.
    TMenuItem& leaf = parts[2]->Item(5);
    EXPECT_EQ(f.builder.PathOf(*parts[2]), "C:\\Big");
    leaf.Click();
    EXPECT_EQ(f.selected, std::vector<std::string>{"C:\\Big\\file0470.txt"});
}

TEST(BetterMenuColumns, OverflowingFoldersContinueWithTheRestAndThenAllFiles) {
    TMenuFixture f;
    f.MakeFolders("C:\\Deep", Numbered("dir_%04d.sub", 400));
    f.MakeFiles("C:\\Deep", Numbered("file%04d.txt", 5));
    TMenuItem& deep = f.Open("C:\\Deep");
    ASSERT_EQ(deep.Count(), 238);
    TMenuItem& more = deep.Item(237);
    EXPECT_EQ(more.Tag, 237);
    more.Click();
    ASSERT_EQ(more.Count(), 400 - 237 + 5);
    EXPECT_EQ(more.Item(0).Caption, "dir_0238.sub");
    EXPECT_EQ(more.Item(163).Caption, "file0001.txt");
    EXPECT_TRUE(OnlyPlaceholder(more.Item(162)));
    EXPECT_EQ(more.Item(163).Count(), 0);
}

TEST(BetterMenuColumns, WidestEntryAndDpiDecideTheColumns) {
    TMenuFixture f;
    auto names = Numbered("file%04d.txt", 400);
    names[0] = "file0000" + std::string(92, 'x'); // 750 pixels wide
    f.MakeFiles("C:\\Wide", names);
    TMenuItem& wide = f.Open("C:\\Wide");
    // 750 + 134 + 134 fit into 1024, a fourth column does not.
    ASSERT_EQ(wide.Count(), 102);
    EXPECT_EQ(wide.Item(101).Tag, 101);

    EXPECT_EQ(f.builder.ColumnHeight(), 34);
    EXPECT_EQ(f.builder.EntryWidth("abc"), 71);
    f.builder.Dpi = 120; // 27.5 rounds to 28, 62.5 to 63
    EXPECT_EQ(f.builder.ColumnHeight(), 768 / 28);
    EXPECT_EQ(f.builder.EntryWidth("abc"), 84);
    f.builder.Dpi = 192;
    TMenuItem& again = f.Open("C:\\Wide");
    EXPECT_EQ(again.Item(17).Break, TMenuBreak::Bar);
    EXPECT_EQ(again.Item(16).Break, TMenuBreak::None);
}

TEST(BetterMenuCache, SecondOpeningWithoutResetReadsNothing) {
    TMenuFixture f;
    f.MakeFiles("C:\\Pics", {"a.jpg"});
    TMenuItem& pics = f.Open("C:\\Pics");
    f.Reopen(pics);
    EXPECT_EQ(Captions(pics), std::vector<std::string>{"a.jpg"});
    EXPECT_EQ(f.files.listings, 1);
    f.builder.Reset();
    f.Reopen(pics);
    EXPECT_EQ(f.files.listings, 2);

    // An empty top-level path is cached only while it holds something.
    f.builder.RootFolders = {"C:\\Nothing"};
    f.builder.Reset();
    f.Reopen(f.root);
    f.root.Click();
    EXPECT_EQ(f.files.listings, 4);
}

TEST(BetterMenuSelect, ScreenSaversListedAndChosenWithoutExtension) {
    TMenuFixture f;
    f.MakeFiles("C:\\WINDOWS", {"Mystify.SCR", "Starfield.scr"});
    f.MakeFiles("C:\\WINDOWS\\system32", {"starfield.scr", "readme.txt"}); // the first spelling stays
    f.MakeFolder("C:\\WINDOWS\\system32\\Sub.scr");
    f.builder.RootFolders = {"C:\\WINDOWS", "C:\\WINDOWS\\system32"};
    f.builder.ExtensionFilter = {"scr"};
    f.builder.IncludeSubFolders = false;
    f.builder.CutExtension = true;
    TMenuItem& select = f.root;
    select.Click();
    ASSERT_EQ(Captions(select), (std::vector<std::string>{"Mystify", "Starfield"}));
    EXPECT_FALSE(select.Item(1).SystemImage); // no icons below root folders
    select.Item(1).Click();
    EXPECT_EQ(f.selected, std::vector<std::string>{"Starfield"});
}

TEST(BetterMenuSelect, PathsBelowOneRootFolderAndNothingWithoutOnSelect) {
    TMenuFixture f;
    f.MakeFiles("C:\\Data\\Sub", {"x.txt"});
    f.builder.RootFolders = {"C:\\Data"};
    f.root.Click();
    TMenuItem& sub = f.root.Item(0);
    sub.Click();
    sub.Item(0).Click();
    EXPECT_EQ(f.selected, std::vector<std::string>{"Sub\\x.txt"});
    EXPECT_EQ(f.builder.PathOf(f.root), "");

    f.builder.OnSelect = nullptr;
    f.builder.Reset();
    EXPECT_TRUE(OnlyPlaceholder(f.Open("C:\\Data")));
    EXPECT_EQ(f.files.listings, 2);
}

TEST(BetterMenuChecks, ShortNamesOfSystemThenWindowsFolderAndCaptions) {
    TMenuFixture f;
    f.MakeFiles("C:\\WINDOWS\\system32", {"Starfield.scr", "Bubbles.scr"});
    f.MakeFiles("C:\\WINDOWS", {"Mystify.scr"});
    f.files.shortNames = {{"C:\\WINDOWS\\system32\\Starfield.scr", "STARFI~1.SCR"},
                          {"C:\\WINDOWS\\Mystify.scr", "MYSTIF~1.SCR"}};
    f.builder.RootFolders = {"C:\\WINDOWS", "C:\\WINDOWS\\system32"};
    const auto checked = [&](const std::string& fileToCheck) {
        f.builder.FileToCheck = fileToCheck;
        f.Reopen(f.root);
        std::vector<std::string> names;
        for (int i = 0; i < f.root.Count(); ++i)
            if (f.root.Item(i).Checked) names.push_back(f.root.Item(i).Caption);
        return names;
    };
    EXPECT_EQ(checked("C:\\WINDOWS\\SYSTEM32\\STARFI~1.SCR"), std::vector<std::string>{"Starfield.scr"});
    EXPECT_EQ(checked("C:\\WINDOWS\\MYSTIF~1.SCR"), std::vector<std::string>{"Mystify.scr"});
    EXPECT_EQ(checked("D:\\Other\\bubbles.SCR"), std::vector<std::string>{"Bubbles.scr"}); // no short name kept
    EXPECT_TRUE(checked("C:\\WINDOWS\\system32\\Starfield.scr").empty());

    f.builder.FileToCheck.clear();
    f.builder.FixedItems = {"List 2", "list 1", "List 1", "Alpha"};
    f.builder.CaptionToCheck = "LIST 2";
    EXPECT_EQ(checked(""), std::vector<std::string>{"List 2"});
    EXPECT_EQ(Captions(f.root), (std::vector<std::string>{"Alpha", "list 1", "List 2"}));
    EXPECT_FALSE(f.root.Item(0).SystemImage);
}

TEST(BetterMenuRefill, KeepsTheLeadingEntriesAndRebuildsOnce) {
    TMenuFixture f;
    TMenuItem& lists = f.root;
    lists.Clear();
    lists.Add("&Delete");
    lists.Add("&New");
    lists.Add("-");
    int rebuilds = 0;
    lists.Root().OnRebuild = [&](TMenuItem& entry) { rebuilds += &entry == &lists; };
    f.builder.KeepCount = 3;
    f.builder.FixedItems = {"List 1", "List 2"};
    lists.OnClick = f.builder.RefillHandler();
    lists.Click();
    f.builder.FixedItems = {"Other"};
    lists.Click();
    EXPECT_EQ(Captions(lists), (std::vector<std::string>{"&Delete", "&New", "-", "Other"}));
    EXPECT_EQ(rebuilds, 2);
    EXPECT_EQ(f.files.listings, 0);
}
