// The folder pointer wizard's steps without its window: what each step shows,
// where Next and Back lead, the name checks, and the order in which Finish
// makes the pointer through the shell.
#include "platform/host/HostServices.h"
#include "shell/FolderPointer.h"
#include "shell/FolderPointerWizard.h"
#include "unit/ImageTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

const std::string kSuffix = ".{fa6c62a0-9fe5-11d2-9e61-444553540000}";

struct TFakeItem : INamespaceItem {};

// Writes every call of the shell and of its links into one log.
struct TRecordingShell : IShell {
    struct TLink : IShellLinkFile {
        explicit TLink(TRecordingShell& shell) : s(shell) {}
        void SetTarget(const std::string& path) override { s.Log.push_back("target " + path); }
        void SetTarget(const INamespaceItem* item) override {
            if (s.TargetThrows) throw std::runtime_error("no target");
            s.Log.push_back(item == s.Item.get() ? "target item" : "target other");
        }
        bool SetTargetMyComputer() override { return s.Log.push_back("target My Computer"), s.CanNameTarget; }
        bool Save(const std::string& path) override { return s.Log.push_back("save " + path), s.SaveWorks; }
        TRecordingShell& s;
    };
    bool CreateFolder(const std::string& path) override { return Log.push_back("folder " + path), true; }
    bool RemoveFolder(const std::string&) override { return false; }
    bool RenameFolder(const std::string& from, const std::string& to) override {
        return Log.push_back("rename " + from + " -> " + to), true;
    }
    bool RemoveFile(const std::string&) override { return false; }
    std::unique_ptr<IShellLinkFile> NewLink() override {
        return HasLinks ? std::make_unique<TLink>(*this) : nullptr;
    }
    std::string LinkTarget(const std::string&) override { return {}; }
    void Notify(TShellChange change, const std::string& path) override {
        Log.push_back((change == TShellChange::UpdateDir ? "updated " : "other notice ") + path);
    }
    void OpenVerb(const std::string&, const std::string&) override {}
    bool DeleteAtRestart(const std::string&) override { return false; }
    std::string KnownFolderPath(TKnownFolder) override { return {}; }

    std::vector<std::string> Log;
    std::shared_ptr<INamespaceItem> Item = std::make_shared<TFakeItem>();
    bool HasLinks = true, SaveWorks = true, CanNameTarget = true, TargetThrows = false;
};

class FolderPointerWizard : public ::testing::Test {
protected:
    FolderPointerWizard() { fs::create_directories(root / "C" / "Start Menu"); }
    ~FolderPointerWizard() override { fs::remove_all(root); }

    // The location picked and the name taken; the wizard is at the target.
    void ToTarget(const std::string& location = "C:\\Start Menu") {
        prompts.StartMenuFolderAnswers.push_back(location);
        steps.Next("");
        steps.Next("Pictures");
        ASSERT_EQ(steps.Step(), 2);
    }
    void PickTarget(const std::string& text) {
        prompts.ShellItemAnswers.push_back(TPickedShellItem{shell.Item, text});
        steps.Next("");
    }
    void ExpectLook(int step, bool back, bool name, const std::string& next, const std::string& tip) {
        SCOPED_TRACE("step " + std::to_string(step));
        EXPECT_EQ(steps.Step(), step);
        EXPECT_EQ(steps.Look().BackEnabled, back);
        EXPECT_EQ(steps.Look().FolderNameEnabled, name);
        EXPECT_EQ(steps.Look().NextCaption, next);
        EXPECT_EQ(steps.Look().Tip, tip);
    }

    const fs::path root = fs::temp_directory_path() / ("muralto-fpwizard-" + std::to_string(ProcessId()));
    HostFileSystem files{root};
    ScriptedPrompts prompts;
    TRecordingShell shell;
    TFolderPointerSteps steps{prompts, files, shell};
};

const char* const kT0 = "Press Next to display the Select Folder dialog, and choose where in the Start menu you want "
                        "to put your new Folder Pointer.";
const char* const kT2 = "Press Next to display the Select Folder dialog, and choose the folder you want to access "
                        "through the Start menu.";

} // namespace

TEST_F(FolderPointerWizard, NextAndBackWalkTheStepsAsTheTableShowsThem) {
    ExpectLook(0, false, false, "Next >", kT0);
    EXPECT_FALSE(steps.Next("").FocusName) << "a cancelled picker changes nothing";
    EXPECT_EQ(steps.Step(), 0);

    prompts.StartMenuFolderAnswers.push_back("C:\\Start Menu\\Programs");
    EXPECT_TRUE(steps.Next("").FocusName);
    EXPECT_EQ(steps.FolderLocation(), "C:\\Start Menu\\Programs");
    ExpectLook(1, true, true, "Next >", "Please enter a name for the new Folder Pointer, and then press Next.");
    EXPECT_FALSE(steps.Next("Pictures").FocusName);
    ExpectLook(2, true, false, "Next >", kT2);
    EXPECT_EQ(prompts.FolderPickers.size(), 2u) << "the target picker opens only at the next press";

    steps.Next(""); // cancelled
    EXPECT_EQ(steps.Step(), 2);
    PickTarget("C:\\Users\\Me\\Pictures");
    EXPECT_EQ(steps.FolderPoints(), "C:\\Users\\Me\\Pictures");
    ExpectLook(3, true, false, "Finish", "Press Finish to create your new Folder Pointer.");

    // Back from Finish keeps the location; Next shows the target picker again.
    steps.Back();
    ExpectLook(2, true, false, "Next >", kT2);
    PickTarget("C:\\Users\\Me\\Music");
    EXPECT_EQ(steps.FolderPoints(), "C:\\Users\\Me\\Music");
    EXPECT_EQ(steps.FolderLocation(), "C:\\Start Menu\\Programs");
    EXPECT_EQ(prompts.FolderPickers,
              (std::vector<std::string>{"Start Menu", "Start Menu", "Desktop", "Desktop", "Desktop"}));

    steps.Back();
    EXPECT_TRUE(steps.Back().FocusName) << "back at the name, the user is there to change it";
    steps.Back();
    steps.Back();
    ExpectLook(0, false, false, "Next >", kT0);
    EXPECT_TRUE(prompts.Messages.empty());
    EXPECT_TRUE(shell.Log.empty()) << "nothing is made before Finish";
}

TEST_F(FolderPointerWizard, EmptyForbiddenAndTakenNamesAreRefusedWithTheFocusOnTheName) {
    fs::create_directories(root / "C" / "Start Menu" / "Pictures");
    fs::create_directories(root / "C" / "Start Menu" / ("Music" + kSuffix));
    prompts.StartMenuFolderAnswers.push_back("C:\\Start Menu");
    steps.Next("");

    EXPECT_TRUE(steps.Next("").FocusName);
    EXPECT_TRUE(prompts.Messages.empty()) << "an empty name only moves the focus";

    const std::string characters = "You can not use any of the following characters:\n\r\\/:*?\"<>|";
    const std::string inUse = "Folder name already in use, please choose another name.";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {"Drive C: files", characters}, {"a\\b", characters}, {"a/b", characters}, {"a*b", characters},
        {"a?b", characters},            {"a\"b", characters}, {"a<b", characters}, {"a>b", characters},
        {"a|b", characters},            {"Pictures", inUse},  {"PICTURES", inUse}, {"Music", inUse},
    };
    for (const auto& [name, message] : refused) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(steps.Next(name).FocusName);
        ASSERT_FALSE(prompts.Messages.empty());
        EXPECT_EQ(prompts.Messages.back().Text, message);
        EXPECT_EQ(prompts.Messages.back().Kind, TMessageKind::Error);
        EXPECT_EQ(steps.Step(), 1);
    }
    EXPECT_EQ(prompts.Messages.size(), refused.size());
    steps.Next("Music.{fa6c} & a.b's (c) [d]"); // every other character is allowed
    EXPECT_EQ(steps.Step(), 2);
}

TEST_F(FolderPointerWizard, FinishSavesTheLinkInThePlainFolderThenRenamesItAndTellsTheShell) {
    ToTarget();
    PickTarget("C:\\Users\\Me\\Pictures");
    EXPECT_TRUE(steps.Next("").Close);
    const std::string base = "C:\\Start Menu\\Pictures";
    EXPECT_EQ(shell.Log, (std::vector<std::string>{"target item", "folder " + base, "save " + base + "\\Folder.lnk",
                                                   "rename " + base + " -> " + base + kSuffix,
                                                   "updated " + base + kSuffix}));
    EXPECT_TRUE(prompts.Messages.empty());
}

TEST_F(FolderPointerWizard, FinishEndsTheWizardWhateverTheShellDoes) {
    // Each round a new wizard up to Finish, over the same shell.
    const auto finish = [&](const std::string& location) {
        TFolderPointerSteps wizard{prompts, files, shell};
        prompts.StartMenuFolderAnswers.push_back(location);
        prompts.ShellItemAnswers.push_back(TPickedShellItem{shell.Item, "x"});
        for (const char* name : {"", "Pictures", ""}) wizard.Next(name);
        EXPECT_FALSE(wizard.Finished());
        bool closes = false;
        EXPECT_NO_THROW(closes = wizard.Next("").Close);
        EXPECT_TRUE(closes && wizard.Finished());
    };
    finish("D:\\");
    ASSERT_EQ(shell.Log.size(), 5u);
    EXPECT_EQ(shell.Log[1], "folder D:\\Pictures") << "a drive's root gets no second backslash";

    shell.Log.clear();
    shell.HasLinks = false;
    finish("D:\\");
    EXPECT_TRUE(shell.Log.empty()) << "no folder without a link object";

    // An error of the shell goes on to the error report; the wizard knows it is done.
    shell.HasLinks = shell.TargetThrows = true;
    prompts.StartMenuFolderAnswers.push_back("D:\\");
    prompts.ShellItemAnswers.push_back(TPickedShellItem{shell.Item, "x"});
    for (const char* name : {"", "Pictures", ""}) steps.Next(name);
    EXPECT_THROW(steps.Next(""), std::runtime_error);
    EXPECT_TRUE(steps.Finished());
    EXPECT_TRUE(shell.Log.empty());
}

TEST(FolderPointer, ATargetTheShellCannotNameOrALinkNotSavedLeavesNoPointer) {
    TRecordingShell shell;
    const auto myComputer = [](IShellLinkFile& link) { return link.SetTargetMyComputer(); };
    const std::string base = "C:\\Start Menu\\My Computer";
    shell.CanNameTarget = false;
    EXPECT_FALSE(CreateFolderPointer(shell, base, myComputer));
    EXPECT_EQ(shell.Log, std::vector<std::string>{"target My Computer"}) << "nothing on disk";

    shell.Log.clear();
    shell.CanNameTarget = true;
    shell.SaveWorks = false;
    EXPECT_FALSE(CreateFolderPointer(shell, base, myComputer));
    EXPECT_EQ(shell.Log.back(), "save " + base + "\\Folder.lnk") << "the folder keeps its plain name";
}
