// The tray menu's model as it opens and as its generated entries run: the
// drives and their images, the lists, a new list's name, deleting a list,
// the reopen lists and the right-button folder.
#include "app/ProgramPaths.h"
#include "app/TrayMenu.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/host/HostSystemMenus.h"
#include "unit/ImageTestSupport.h"

#include "unit/HelpCoverage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

class TFixedWidthText : public ITextMeasurer {
public:
    int TextWidth(const std::string& caption) override { return 7 * static_cast<int>(caption.size()); }
};

// Every drive alike unless a test gives some their own icon.
class TDriveIcons : public ISystemIcons {
public:
    int32_t IndexByPath(const std::string&) override { return 3; }
    int32_t IndexByAttributes(const std::string& path, uint32_t attributes) override {
        asked.push_back({path, attributes});
        const auto own = byDrive.find(path);
        return own != byDrive.end() ? own->second : 40;
    }
    std::map<std::string, int32_t> byDrive;
    std::vector<std::pair<std::string, uint32_t>> asked;
};

class TrayMenu : public ::testing::Test {
protected:
    std::string root = (fs::temp_directory_path() / ("muralto-tray-" + std::to_string(ProcessId()))).string();
    reg::HostRegistry registry;
    HostFileSystem files{root};
    HostSystemFolders folders;
    HostScreen screen{1024, 768};
    HostClock clock;
    ScriptedPrompts prompts;
    TPlatform platform{registry, files, folders, screen, clock, prompts};
    HostScreenSaverSettings saver;
    HostDisplayModes modes;
    int timer2Restarts = 0;
    TFixedWidthText measurer;
    TDriveIcons icons;
    TCommandIds ids;
    std::unique_ptr<TWallpaper> engine;
    std::unique_ptr<TTrayMenu> menu;
    uint32_t drives = 0x1C; // C:, D:, E:
    std::vector<std::string> ran, images, explored, errors;
    bool runs = true;

    void SetUp() override {
        fs::create_directories(root + "/C/Windows");
        folders.windowsDirectory = "C:\\Windows";
        folders.systemDirectory = "C:\\Windows\\System32";
        platform.ScreenSaver = &saver;
        platform.DisplayModes = &modes;
        engine = std::make_unique<TWallpaper>(platform, TOwnerKind::MainForm, "Software\\MuraltoTray");
        TTrayMenuHooks hooks;
        hooks.LogicalDrives = [this] { return drives; };
        hooks.RunDefaultCommand = [this](const std::string& path) {
            ran.push_back(path);
            return runs;
        };
        hooks.OpenImage = [this](const std::string& path) { images.push_back(path); };
        hooks.Explore = [this](const std::string& folder) { explored.push_back(folder); };
        hooks.ErrorBox = [this](const std::string& text) { errors.push_back(text); };
        hooks.RestartTimer2 = [this] { ++timer2Restarts; };
        menu = std::make_unique<TTrayMenu>(platform, *engine, ids, measurer, icons, hooks, "Software\\MuraltoTray");
    }
    void TearDown() override {
        menu.reset();
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    std::string File(const std::string& folder, const std::string& name) {
        fs::create_directories(files.HostPath(folder));
        std::ofstream(files.HostPath(folder) / name).put('x');
        return folder + "\\" + name;
    }
    std::vector<std::string> Captions(TMenuItem& entry, int from = 0) {
        std::vector<std::string> captions;
        for (int i = from; i < entry.Count(); ++i) captions.push_back(entry.Item(i).Caption);
        return captions;
    }
    void MakeList(const std::string& name) {
        registry.Create(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\" + name);
    }
};

} // namespace

TEST_F(TrayMenu, TheTreeComesInItsOrderWithItsImagesAndHelp) {
    EXPECT_EQ(Captions(menu->PopupMenu1),
              (std::vector<std::string>{"&Desktop", "Dis&play", "&Screen Saver", "-", "Open &File", "Open &Image", "-",
                                        "&Lists", "&Most Recent", "-", "&About", "&Help", "P&roperties", "-",
                                        "&Close"}));
    EXPECT_EQ(menu->Entry("Lists").ImageIndex, 38);
    EXPECT_EQ(menu->Entry("ListsDelete").HelpContext, 114);
    EXPECT_EQ(menu->Entry("Exit").HelpContext, 128);
    EXPECT_FALSE(menu->Entry("Recent").Enabled);
    EXPECT_EQ(Captions(menu->Entry("ScreenSaver")),
              (std::vector<std::string>{"&Run", "-", "&Active", "Use &Password", "&Change Password", "Change &Wait",
                                        "-", "&Select"}));
}

TEST_F(TrayMenu, TheScreenSaverAndDisplaySubMenusWorkOverThePlatformsSettings) {
    File("C:\\Windows\\System32", "Mystify.scr");
    File("C:\\Windows", "Bubbles.scr");
    File("C:\\Windows", "notes.txt");
    saver.WriteSystemIni("boot", "SCRNSAVE.EXE", "C:\\Windows\\System32\\Mystify.scr");
    saver.ActiveFlag = true;
    menu->PopupMenu1Popup();
    EXPECT_TRUE(menu->Entry("ScrRun").Enabled);
    EXPECT_TRUE(menu->Entry("ScrActive").Checked);
    // Select: the screen savers of both folders, the current one checked.
    TMenuItem& select = menu->Entry("ScrSelect");
    select.Click();
    ASSERT_EQ(Captions(select), (std::vector<std::string>{"Bubbles", "Mystify"}));
    EXPECT_FALSE(select.Item(0).Checked);
    EXPECT_TRUE(select.Item(1).Checked);
    select.Item(0).Click();
    EXPECT_EQ(saver.ReadSystemIni("boot", "SCRNSAVE.EXE"), "C:\\Windows\\Bubbles.scr");

    // Display: the modes that pass the trial, the current one checked; a
    // switch refreshes the desktop.
    modes.Modes = {{640, 480, 8}, {800, 600, 16}, {1024, 768, 16}};
    modes.Refused = {2};
    modes.CurrentMode = TDisplayMode{800, 600, 16};
    TMenuItem& display = menu->Entry("Display");
    display.Click();
    ASSERT_EQ(Captions(display), (std::vector<std::string>{"640x480  8 Bits", "800x600  16 Bits"}));
    EXPECT_TRUE(display.Item(1).Checked);
    display.Item(0).Click();
    EXPECT_EQ(modes.Changed, (std::vector<int>{0}));
    EXPECT_EQ(timer2Restarts, 1);
    // The next opening empties it again.
    menu->PopupMenu1Popup();
    ASSERT_EQ(display.Count(), 1);
    EXPECT_TRUE(display.Item(0).IsPlaceholder());
}

TEST_F(TrayMenu, DrivesThatAllLookAlikeShowFloppiesAndDisks) {
    drives = 0x0F; // A: to D:
    menu->PopupMenu1Popup();
    for (const char* name : {"FileMenu", "ImageMenu"}) {
        TMenuItem& open = menu->Entry(name);
        EXPECT_EQ(Captions(open, 2), (std::vector<std::string>{"A:", "B:", "C:", "D:"})) << name;
        for (int i = 2; i < open.Count(); ++i) {
            EXPECT_FALSE(open.Item(i).SystemImage);
            EXPECT_EQ(open.Item(i).ImageIndex, i < 4 ? 9 : 10) << name << " " << open.Item(i).Caption;
            EXPECT_TRUE(open.Item(i).Item(0).IsPlaceholder());
        }
    }
    // The shell was asked about the roots, as folders for Open File.
    EXPECT_EQ(icons.asked.front(), (std::pair<std::string, uint32_t>{"A:\\", fileattr::Directory | fileattr::Normal}));

    // Without A: the first drive present is the one compared with.
    drives = 0x0C; // C:, D:
    menu->PopupMenu1Popup();
    EXPECT_EQ(menu->Entry("FileMenu").Item(2).ImageIndex, 10);
    EXPECT_FALSE(menu->Entry("ImageMenu").Item(3).SystemImage);

    // Drives with their own icons keep them; a second opening starts afresh.
    drives = 0x0F;
    icons.byDrive["D:\\"] = 7;
    menu->PopupMenu1Popup();
    TMenuItem& d = menu->Entry("FileMenu").Item(5);
    EXPECT_TRUE(d.SystemImage);
    EXPECT_EQ(d.ImageIndex, 7);
    EXPECT_EQ(menu->Entry("FileMenu").Count(), 6);
}

TEST_F(TrayMenu, MostRecentIsEnabledOnlyWithEntriesAndChecksTheWallpapersSource) {
    menu->PopupMenu1Popup();
    EXPECT_FALSE(menu->Entry("Recent").Enabled);
    const std::string picture = File("C:\\Pictures", "a.bmp");
    engine->LoadSettings();
    engine->RecordInList(picture, engine->CurrentPlacement());
    menu->PopupMenu1Popup();
    TMenuItem& recent = menu->Entry("Recent");
    EXPECT_TRUE(recent.Enabled);
    ASSERT_EQ(recent.Count(), 1);
    EXPECT_TRUE(recent.Item(0).IsPlaceholder());
    recent.Click();
    EXPECT_EQ(Captions(recent), (std::vector<std::string>{picture}));
}

TEST_F(TrayMenu, ANewListIsProposedByTheFirstFreeNumberAndAskedAgainUntilValid) {
    MakeList("List 1");
    MakeList("List 3");
    prompts.InputAnswers = {std::string("a\\b"), std::string("List 3"), std::string(""), std::string("Holidays")};
    menu->ListsNewClick();
    ASSERT_EQ(prompts.Questions.size(), 4u);
    EXPECT_EQ(prompts.Questions[0], "New List: Please enter a name for the new list:");
    EXPECT_EQ(prompts.Questions[1], "New List: You can not use \"\\\". Please enter a valid name:");
    EXPECT_EQ(prompts.Questions[2], "New List: That name is already in use, please enter another:");
    EXPECT_EQ(prompts.Questions[3], "New List: Please enter a valid name:");
    EXPECT_EQ(engine->ListName, "Holidays");
    EXPECT_NE(registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\Holidays", false), nullptr);
}

TEST_F(TrayMenu, CancelAtAnyStepCreatesNoList) {
    MakeList("List 1");
    prompts.InputAnswers = {std::string("a\\b"), std::nullopt};
    menu->ListsNewClick();
    EXPECT_EQ(registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\a\\b", false), nullptr);
    EXPECT_EQ(registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\List 2", false), nullptr);
}

TEST_F(TrayMenu, DeletingAListAsksFirstAndTakesCurrentOnlyWhenItNamesThatList) {
    MakeList("List 1");
    MakeList("List 2");
    engine->SelectList("List 2");
    const auto current = [&] {
        reg::Value v;
        auto key = registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists", false);
        return key && key->QueryValue("Current", v) ? reg::StringOf(v) : std::string("<absent>");
    };
    ASSERT_EQ(current(), "List 2");
    prompts.ConfirmAnswers = {false, true};
    menu->DeleteListClick("List 1");
    EXPECT_EQ(prompts.Questions.back(), "Are you sure you want to remove \"List 1\" from your lists?");
    EXPECT_NE(registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\List 1", false), nullptr);
    menu->DeleteListClick("List 1");
    EXPECT_EQ(registry.Open(reg::Root::CurrentUser, "Software\\MuraltoTray\\Lists\\List 1", false), nullptr);
    EXPECT_EQ(current(), "List 2");
    prompts.ConfirmAnswers = {true};
    menu->DeleteListClick("List 2");
    EXPECT_NE(current(), "List 2");
}

TEST_F(TrayMenu, OpenedFilesEnterTheReopenListOnlyWhenTheyRanAndMissingOnesAreReported) {
    const std::string a = File("C:\\Docs", "a.txt"), b = File("C:\\Docs", "b.txt");
    menu->OpenFileCommand(a);
    runs = false;
    menu->OpenFileCommand(b);
    runs = true;
    menu->OpenFileCommand("C:\\Docs\\gone.txt");
    EXPECT_EQ(ran, (std::vector<std::string>{a, b}));
    EXPECT_EQ(errors, (std::vector<std::string>{"\"C:\\Docs\\gone.txt\" does not exist!"}));
    menu->PopupMenu1Popup();
    TMenuItem& reopen = menu->Entry("ReopenFile");
    EXPECT_TRUE(reopen.Enabled);
    reopen.Click();
    EXPECT_EQ(Captions(reopen), (std::vector<std::string>{"&Clear List", "-", a}));
    // Chosen, it leaves the list and comes back on top when it runs.
    menu->OpenFileCommand(b);
    menu->PopupMenu1Popup();
    reopen.Click();
    EXPECT_EQ(Captions(reopen, 2), (std::vector<std::string>{b, a}));
    reopen.Item(3).Click();
    menu->PopupMenu1Popup();
    reopen.Click();
    EXPECT_EQ(Captions(reopen, 2), (std::vector<std::string>{a, b}));
    // Clear List empties the stored list.
    menu->Entry("ClearFile").Click();
    menu->PopupMenu1Popup();
    EXPECT_FALSE(menu->Entry("ReopenFile").Enabled);
    // Images go to the image window and their own list.
    menu->OpenImageCommand(a);
    EXPECT_EQ(images, (std::vector<std::string>{a}));
}

TEST_F(TrayMenu, TheRightButtonShowsTheFolderOfAReopenEntryTheDriveOfADriveEntryAndNothingElse) {
    const std::string picture = File("C:\\Pictures", "a.jpg");
    menu->OpenImageCommand(picture);
    menu->PopupMenu1Popup();
    TMenuItem& reopen = menu->Entry("ReopenImage");
    reopen.Click();
    ASSERT_EQ(reopen.Count(), 3);
    EXPECT_EQ(menu->RightButtonFolder(reopen.Item(2).Command()), "C:\\Pictures");
    TMenuItem& drive = menu->Entry("FileMenu").Item(2);
    ASSERT_EQ(drive.Caption, "C:");
    EXPECT_EQ(menu->RightButtonFolder(drive.Command()), "C:\\");
    // A file in a folder of a drive gives its folder.
    drive.Click();
    TMenuItem* pictures = nullptr;
    for (int i = 0; i < drive.Count(); ++i)
        if (drive.Item(i).Caption == "Pictures") pictures = &drive.Item(i);
    ASSERT_NE(pictures, nullptr);
    pictures->Click();
    ASSERT_GE(pictures->Count(), 1);
    EXPECT_EQ(menu->RightButtonFolder(pictures->Item(0).Command()), "C:\\Pictures");
    EXPECT_EQ(menu->RightButtonFolder(menu->Entry("Options").Command()), std::nullopt);
    EXPECT_EQ(menu->RightButtonFolder(menu->Entry("FileMenu").Command()), std::nullopt);
}

TEST(TrayMenuFolderPart, KeepsTheBackslashOnlyAfterAColonOrAnotherBackslash) {
    EXPECT_EQ(FolderPart("C:\\Windows\\x.txt"), "C:\\Windows");
    EXPECT_EQ(FolderPart("C:\\x.txt"), "C:\\");
    EXPECT_EQ(FolderPart("C:x.txt"), "C:");
    EXPECT_EQ(FolderPart("\\\\server\\share"), "\\\\server");
    EXPECT_EQ(FolderPart("name"), "");
}

TEST_F(TrayMenu, EveryHelpContextOfTheFixedTreeHasATopic) {
    EXPECT_GT(CountMenuHelpContexts(menu->PopupMenu1), 20);
    EXPECT_EQ(MenuHelpWithoutTopic(menu->PopupMenu1), std::vector<std::string>{});
}
