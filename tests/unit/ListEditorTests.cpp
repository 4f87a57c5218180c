// The list page over the host registry and a folder tree: the clipboard and
// its paste rules, drops from the shell against the limit, SaveList with its
// limit and renames, and switching lists.
#include "options/ListEditor.h"

#include "app/RegistryNames.h"
#include "engine/ListStore.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using reg::Root;
using Strings = std::vector<std::string>;

namespace {

const std::string P = regnames::kProgramKey;

TPlacement At(int32_t x) {
    TPlacement p{};
    p.X = x;
    p.Percentage = 100;
    return p;
}

class ListEditor : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("muralto-listedit-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    reg::HostRegistry registry;
    HostFileSystem files{root};
    HostSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    TWallpaper main{platform, TOwnerKind::MainForm};
    TWallpaper dialog{platform, TOwnerKind::PropertiesDialog};
    TListEditor page{platform, dialog, &main};

    void SetUp() override { fs::create_directories(root); }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    // A list with a placement per entry (X = its index), then both engines
    // loaded and the page filled.
    void PutList(const std::string& name, const Strings& entries, int capacity = 20, bool sorted = false) {
        const std::string key = P + "\\Lists\\" + name;
        auto mru = registry.Create(Root::CurrentUser, key + "\\MRU");
        auto data = registry.Create(Root::CurrentUser, key + "\\MRUData");
        for (size_t i = 0; i < entries.size(); ++i) {
            mru->SetValue(std::to_string(i), reg::StringValue(entries[i]));
            WritePlacement(*data, entries[i], At(static_cast<int32_t>(i)));
        }
        auto options = registry.Create(Root::CurrentUser, key + "\\Options");
        options->SetValue("MRUCapacity", reg::StringValue(std::to_string(capacity)));
        options->SetValue("SortMostRecent", reg::StringValue(sorted ? "1" : "0"));
    }
    void Open() {
        main.LoadSettings();
        dialog.LoadSettings();
        page.Fill();
    }
    Strings Stored(const std::string& name) {
        auto mru = registry.Open(Root::CurrentUser, P + "\\Lists\\" + name + "\\MRU", false);
        return mru ? ReadNumberedStrings(*mru, TNumberedNames{""}) : Strings{"<no key>"};
    }
    std::optional<TPlacement> Placement(const std::string& name, const std::string& path) {
        auto data = registry.Open(Root::CurrentUser, P + "\\Lists\\" + name + "\\MRUData", false);
        return data ? ReadPlacement(*data, path) : std::nullopt;
    }
    void Select(const Strings& texts) {
        page.Rows.DeselectAll();
        for (const auto& t : texts) page.Rows.Select(page.Rows.IndexOf(t), true);
    }
    void File(const std::string& path) {
        const fs::path host = files.HostPath(path);
        fs::create_directories(host.parent_path());
        std::ofstream(host) << "x";
    }
};

TEST_F(ListEditor, PasteInsertsAtTheRightClickedRowInClipboardOrderAndSavesWithPlacements) {
    PutList("From", {"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg"});
    PutList("To", {"C:\\w.jpg", "C:\\x.jpg", "C:\\y.jpg"});
    registry.Create(Root::CurrentUser, P + "\\Lists")->SetValue("Current", reg::StringValue("From"));
    Open();
    Select({"C:\\a.jpg", "C:\\c.jpg"});
    page.Copy();
    ASSERT_EQ(page.ClipItems.size(), 2u);
    EXPECT_TRUE(page.ClipItems[1].HasPlacement);
    EXPECT_EQ(page.ClipItems[1].Placement.X, 2);

    page.ChooseList("To");
    EXPECT_EQ(page.ListsText, "To");
    page.RightClick(2);
    EXPECT_EQ(page.Rows.SelectedTexts(), Strings{"C:\\y.jpg"}) << "an unselected row becomes the selection";
    page.Paste();
    EXPECT_EQ(page.Rows.Texts(), (Strings{"C:\\w.jpg", "C:\\x.jpg", "C:\\a.jpg", "C:\\c.jpg", "C:\\y.jpg"}));
    EXPECT_EQ(page.Rows.SelectedTexts(), (Strings{"C:\\a.jpg", "C:\\c.jpg"}));
    EXPECT_EQ(Stored("To"), page.Rows.Texts()) << "a paste saves at once";
    ASSERT_TRUE(Placement("To", "C:\\c.jpg"));
    EXPECT_EQ(Placement("To", "C:\\c.jpg")->X, 2) << "the placement came along";

    // Below the last row: appended; a path already there keeps its row.
    page.RightClick(-1);
    page.Paste();
    EXPECT_EQ(page.Rows.Count(), 5);
    EXPECT_EQ(page.Rows.SelectedTexts(), (Strings{"C:\\a.jpg", "C:\\c.jpg"}));
}

TEST_F(ListEditor, CtrlVOnASortedListAddsInOrderAndCutLeavesRowsCopiedWhenTheAnswerIsNo) {
    PutList("S", {"C:\\b.jpg", "C:\\d.jpg"}, 20, true);
    Open();
    ASSERT_TRUE(page.Rows.Sorted());
    page.ClipItems = {{At(7), true, "C:\\e.jpg"}, {At(0), false, "C:\\a.jpg"}, {At(0), false, "C:\\D.JPG"}};
    page.RightClick(1);
    page.PasteAtEnd();
    EXPECT_EQ(page.PasteIndex, -1);
    EXPECT_EQ(page.Rows.Texts(), (Strings{"C:\\a.jpg", "C:\\b.jpg", "C:\\d.jpg", "C:\\e.jpg"}));
    EXPECT_EQ(page.Rows.SelectedTexts(), (Strings{"C:\\a.jpg", "C:\\d.jpg", "C:\\e.jpg"}));
    EXPECT_FALSE(Placement("S", "C:\\a.jpg")) << "no placement was copied for it";

    Select({"C:\\b.jpg"});
    prompts.ConfirmAnswers = {false};
    page.Cut();
    EXPECT_EQ(prompts.Questions.back(), "Are you sure you want to remove the selected Item?");
    EXPECT_EQ(page.Rows.Count(), 4) << "No keeps the rows";
    ASSERT_EQ(page.ClipItems.size(), 1u) << "but they are copied";
    Select({"C:\\a.jpg", "C:\\b.jpg"});
    prompts.ConfirmAnswers = {true};
    EXPECT_TRUE(page.DeleteSelected());
    EXPECT_EQ(prompts.Questions.back(), "Are you sure you want to remove the 2 selected Items?");
    EXPECT_EQ(Stored("S").size(), 4u) << "deleting waits for SaveList";
    page.Rows.DeselectAll();
    EXPECT_FALSE(page.DeleteSelected()) << "nothing selected, nothing asked";
}

TEST_F(ListEditor, DropsStopAtTheLimitWithOneErrorBoxPerLevelAndSkipOtherFiles) {
    PutList("L", {"C:\\old.jpg"}, 4);
    Open();
    File("C:\\Pics\\1.jpg");
    File("C:\\Pics\\2.gif");
    File("C:\\Pics\\notes.txt");
    File("C:\\Pics\\Sub\\3.bmp");
    File("C:\\Pics\\Sub\\4.pcx");
    File("C:\\Pics\\Sub\\5.jpg");
    page.DropPaths({"C:\\readme.txt"});
    EXPECT_EQ(page.Rows.Count(), 1);
    EXPECT_TRUE(prompts.Messages.empty()) << "a non-image file adds nothing and says nothing";

    page.DropPaths({"C:\\Pics"});
    EXPECT_EQ(page.Rows.Count(), 4) << "filled to exactly the limit";
    EXPECT_EQ(page.Rows.SelectedCount(), 3);
    ASSERT_FALSE(prompts.Messages.empty());
    EXPECT_EQ(prompts.Messages[0].Text, "Can not add any more. Increase limit or erase entries from the list.");
    EXPECT_EQ(prompts.Messages[0].Kind, TMessageKind::Error);
    EXPECT_LE(prompts.Messages.size(), 2u) << "at most one box per level of the walk";

    prompts.Messages.clear();
    page.Maximum = 0;
    page.DropPaths({"C:\\Pics\\1.jpg"});
    EXPECT_EQ(prompts.Messages.size(), 1u) << "a limit of 0 refuses every drop at once";
}

TEST_F(ListEditor, SaveListKeepsTheFirstRowsUpToTheLimitAndDropsTheOthersPlacements) {
    PutList("L", {"C:\\a.jpg", "C:\\b.jpg", "C:\\c.jpg", "C:\\d.jpg"});
    Open();
    Select({"C:\\b.jpg"});
    page.Rows.DeleteSelected();
    page.Maximum = 2;
    page.SaveList();
    EXPECT_EQ(Stored("L"), (Strings{"C:\\a.jpg", "C:\\c.jpg"}));
    EXPECT_FALSE(Placement("L", "C:\\b.jpg")) << "a deleted row's placement goes";
    EXPECT_FALSE(Placement("L", "C:\\d.jpg")) << "a row past the limit loses its placement";
    EXPECT_TRUE(Placement("L", "C:\\c.jpg"));
    auto options = registry.Open(Root::CurrentUser, P + "\\Lists\\L\\Options", false);
    reg::Value v;
    ASSERT_TRUE(options && options->QueryValue("MRUCapacity", v));
    EXPECT_EQ(reg::StringOf(v), "2");

    page.Maximum = 0;
    page.SaveList();
    EXPECT_EQ(Stored("L"), Strings{});
    EXPECT_FALSE(Placement("L", "C:\\a.jpg"));
}

TEST_F(ListEditor, RenamingRefusesABackslashAndAnExistingNameAndMovesTheCurrentList) {
    PutList("List 1", {"C:\\a.jpg"});
    PutList("Other", {"C:\\o.jpg"});
    registry.Create(Root::CurrentUser, P + "\\Lists")->SetValue("Current", reg::StringValue("List 1"));
    Open();

    page.ListsText = "Bad\\Name";
    page.SaveList();
    ASSERT_EQ(prompts.Messages.size(), 1u);
    EXPECT_EQ(prompts.Messages[0].Text, "Failed to change list name: Illegal character \"\\\".");
    page.ListsText = "other";
    page.SaveList();
    EXPECT_TRUE(prompts.Questions.empty()) << "an existing list's name renames nothing";
    EXPECT_EQ(Stored("List 1"), Strings{"C:\\a.jpg"});

    page.ListsText = "Holidays";
    prompts.ConfirmAnswers = {true};
    page.SaveList();
    EXPECT_EQ(prompts.Questions.back(),
              "Are you sure you want to change the list name from \"List 1\" to \"Holidays\"?");
    EXPECT_EQ(Stored("Holidays"), Strings{"C:\\a.jpg"});
    EXPECT_TRUE(Placement("Holidays", "C:\\a.jpg"));
    EXPECT_FALSE(registry.Open(Root::CurrentUser, P + "\\Lists\\List 1", false)) << "the old key is gone";
    EXPECT_EQ(main.ListName, "Holidays") << "the tray follows the current list";
    EXPECT_EQ(dialog.ListName, "Holidays");
    main.LoadSettings();
    EXPECT_EQ(main.ListName, "Holidays");
}

TEST_F(ListEditor, ANameTypedIntoListsIsAppliedByThePasteAndChoosingTheSameListReloads) {
    PutList("A", {"C:\\a.jpg", "C:\\b.jpg"});
    PutList("B", {"C:\\x.jpg"});
    registry.Create(Root::CurrentUser, P + "\\Lists")->SetValue("Current", reg::StringValue("B"));
    Open();
    page.Rows.Delete(0);
    page.ChooseList("B");
    EXPECT_EQ(page.Rows.Texts(), Strings{"C:\\x.jpg"}) << "the same list again: unsaved edits dropped";
    EXPECT_EQ(Stored("B"), Strings{"C:\\x.jpg"});

    page.ListsText = "C";
    page.ClipItems = {{At(0), false, "C:\\new.jpg"}};
    prompts.ConfirmAnswers = {true};
    page.PasteAtEnd();
    EXPECT_EQ(Stored("C"), (Strings{"C:\\x.jpg", "C:\\new.jpg"})) << "the paste's SaveList renamed the list";

    // Choosing another list saves the page first.
    page.Rows.Delete(0);
    page.ChooseList("A");
    EXPECT_EQ(Stored("C"), Strings{"C:\\new.jpg"});
    EXPECT_EQ(page.Rows.Texts(), (Strings{"C:\\a.jpg", "C:\\b.jpg"}));
    EXPECT_EQ(main.ListName, "C") << "the dialog's choice is not the tray's";
}

} // namespace
