// The screen saver sub-menu over host settings: the state read at each
// opening, the entries' commands, and choosing a screen saver in Select.
#include "platform/Text.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/host/HostSystemMenus.h"
#include "shellmenus/BetterMenu.h"
#include "systemmenus/ScreenSaverMenu.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// The host file system with the 8.3 names a test gives (the host keeps none).
class TShortNameFiles : public HostFileSystem {
public:
    using HostFileSystem::HostFileSystem;
    std::optional<TFindData> FindFirst(const std::string& path) override {
        auto found = HostFileSystem::FindFirst(path);
        const auto name = shortNames.find(path);
        if (found && name != shortNames.end()) found->AlternateName = name->second;
        return found;
    }
    std::map<std::string, std::string, text::LessText> shortNames;
};

// Records the text an input box proposes.
class TProposingPrompts : public ScriptedPrompts {
public:
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override {
        proposed.push_back(initial);
        return ScriptedPrompts::InputBox(caption, prompt, initial);
    }
    std::vector<std::string> proposed;
};

class TNoMetrics : public ITextMeasurer, public ISystemIcons {
public:
    int TextWidth(const std::string&) override { return 10; }
    int32_t IndexByPath(const std::string&) override { return 0; }
    int32_t IndexByAttributes(const std::string&, uint32_t) override { return 0; }
};

constexpr const char* kSystem = "C:\\WINDOWS\\system32";

struct TSaverFixture {
    TSaverFixture() {
        fs::create_directories(files.HostPath(kSystem));
        for (const char* name : {"ScrRun", "ScrActive", "ScrPassword", "ChangePassword", "ScrWait", "ScrSelect"})
            sub.Add(name).Name = name;
        menu.ProgramFolder = "C:\\Program Files\\Muralto\\";
        menu.Attach(sub);
    }
    ~TSaverFixture() {
        std::error_code ec;
        fs::remove_all(scratch, ec);
    }
    TMenuItem& Entry(const char* name) { return *sub.FindByName(name); }
    void MakeFile(const std::string& path) {
        const fs::path host = files.HostPath(path);
        fs::create_directories(host.parent_path());
        std::ofstream(host).put('x');
    }
    std::unique_ptr<reg::IKey> Desktop() { return registry.Create(reg::Root::CurrentUser, "Control Panel\\Desktop"); }
    std::optional<reg::Value> DesktopValue(const char* name) {
        auto key = registry.Open(reg::Root::CurrentUser, "Control Panel\\Desktop", false);
        reg::Value value;
        if (!key || !key->QueryValue(name, value)) return std::nullopt;
        return value;
    }
    std::optional<std::string> DesktopString(const char* name) {
        const auto value = DesktopValue(name);
        return value ? std::optional(reg::StringOf(*value)) : std::nullopt;
    }
    std::string Ini() { return settings.ReadSystemIni("boot", "SCRNSAVE.EXE"); }
    void SetIni(const std::string& path) { settings.WriteSystemIni("Boot", "ScrnSave.exe", path); }
    std::vector<std::string> Enabled() {
        std::vector<std::string> names;
        for (int i = 0; i < sub.Count(); ++i)
            if (sub.Item(i).Enabled) names.push_back(sub.Item(i).Name);
        return names;
    }

    fs::path scratch = fs::temp_directory_path() / ("muralto-saver-" + std::to_string(::getpid()));
    TShortNameFiles files{scratch};
    HostSystemFolders folders;
    reg::HostRegistry registry;
    HostScreenSaverSettings settings;
    TProposingPrompts prompts;
    TCommandIds ids;
    TMenuItem sub{ids};
    TScreenSaverMenu menu{settings, registry, files, folders, prompts};
};

} // namespace

TEST(ScreenSaverMenu, WithoutAScreenSaverOnlySelectWorksAndChoosingOneSwitchesItOn) {
    TSaverFixture f;
    f.MakeFile(std::string(kSystem) + "\\Mystify.scr");
    f.menu.Opening(f.sub);
    EXPECT_EQ(f.Enabled(), (std::vector<std::string>{"ScrSelect"}));
    f.Entry("ScrRun").Click();
    EXPECT_TRUE(f.settings.Opened.empty());

    // Not in the Windows folder: from the system folder. Without "Control
    // Panel\Desktop" System.ini alone names it.
    f.menu.Choose("Mystify");
    EXPECT_EQ(f.Ini(), std::string(kSystem) + "\\Mystify.scr");
    EXPECT_EQ(f.DesktopString("SCRNSAVE.EXE"), std::nullopt);
    EXPECT_EQ(f.settings.Calls, (std::vector<std::string>{"Timeout 60", "Active 1"}));

    f.menu.Opening(f.sub);
    EXPECT_EQ(f.Enabled(), (std::vector<std::string>{"ScrRun", "ScrActive", "ScrPassword", "ScrWait", "ScrSelect"}));
    EXPECT_TRUE(f.Entry("ScrActive").Checked);
    f.Entry("ScrRun").Click();
    EXPECT_EQ(f.settings.Opened, (std::vector<std::pair<std::string, std::string>>{
                                     {std::string(kSystem) + "\\Mystify.scr", "C:\\Program Files\\Muralto\\"}}));
}

TEST(ScreenSaverMenu, ChoosingPrefersTheWindowsFolderAndKeepsASetTimeout) {
    TSaverFixture f;
    f.Desktop();
    f.MakeFile("C:\\WINDOWS\\Twin.scr");
    f.MakeFile(std::string(kSystem) + "\\Twin.scr");
    f.SetIni("C:\\WINDOWS\\OLD.SCR");
    f.settings.TimeoutSeconds = 300;
    f.menu.Opening(f.sub);
    f.menu.Choose("Twin");
    EXPECT_EQ(f.Ini(), "C:\\WINDOWS\\Twin.scr");
    // The NT family names it in the user's registry as well.
    EXPECT_EQ(f.DesktopString("SCRNSAVE.EXE"), "C:\\WINDOWS\\Twin.scr");
    // One was set before: not switched on again.
    EXPECT_EQ(f.settings.Calls, (std::vector<std::string>{"Timeout 300"}));

    TSaverFixture nine; // Windows 9x: System.ini alone
    nine.settings.Nt = false;
    nine.Desktop();
    nine.menu.Choose("Absent");
    EXPECT_EQ(nine.Ini(), std::string(kSystem) + "\\Absent.scr");
    EXPECT_EQ(nine.DesktopString("SCRNSAVE.EXE"), std::nullopt);
}

TEST(ScreenSaverMenu, ALongNameIsStoredByItsShortNameAndCheckedInSelect) {
    TSaverFixture f;
    f.Desktop();
    const std::string longPath = std::string(kSystem) + "\\Long Screen Saver.scr";
    f.MakeFile(longPath);
    f.MakeFile(std::string(kSystem) + "\\Other.scr");
    f.files.shortNames[longPath] = "LONGSC~1.SCR";
    f.files.shortNames[kSystem] = "SYSTEM~1"; // the folder keeps its spelling
    f.menu.Choose("Long Screen Saver");
    const std::string stored = std::string(kSystem) + "\\LONGSC~1.SCR";
    EXPECT_EQ(f.Ini(), stored);
    EXPECT_EQ(f.DesktopString("SCRNSAVE.EXE"), stored);

    // The next opening: Select lists both, the chosen one checked; choosing
    // there hands the caption over.
    HostScreen screen;
    TNoMetrics metrics;
    TBetterMenu select(f.files, f.folders, screen, metrics, metrics);
    TMenuItem& entry = f.Entry("ScrSelect");
    select.RootEntry = &entry;
    select.OnSelect = [&f](TBetterMenu&, const std::string& name) { f.menu.Choose(name); };
    entry.OnClick = select.ClickHandler();
    f.menu.Opening(f.sub);
    // Set up as the tray menu sets up its Select builder.
    select.RootFolders = {select.WindowsFolder, select.SystemFolder};
    select.ExtensionFilter = {"scr"};
    select.IncludeSubFolders = false;
    select.CutExtension = true;
    select.FileToCheck = f.menu.State.Path;
    entry.AddPlaceholder();
    entry.Click();
    ASSERT_EQ(entry.Count(), 2);
    EXPECT_EQ(entry.Item(0).Caption, "Long Screen Saver");
    EXPECT_TRUE(entry.Item(0).Checked);
    EXPECT_FALSE(entry.Item(1).Checked);
    entry.Item(1).Click();
    EXPECT_EQ(f.Ini(), std::string(kSystem) + "\\Other.scr");
}

TEST(ScreenSaverMenu, StateReadAtEachOpening) {
    TSaverFixture f;
    auto desktop = f.Desktop();
    // The NT family: the user's registry names it when System.ini does not.
    desktop->SetValue("SCRNSAVE.EXE", reg::StringValue("C:\\WINDOWS\\system32\\ssText3d.scr"));
    desktop->SetValue("ScreenSaveUsePassword", reg::DWordValue(1));
    f.settings.ActiveFlag = true;
    f.settings.TimeoutSeconds = 900;
    f.menu.Opening(f.sub);
    EXPECT_EQ(f.menu.State.Path, "C:\\WINDOWS\\system32\\ssText3d.scr");
    EXPECT_EQ(f.menu.State.Timeout, 900);
    EXPECT_TRUE(f.Entry("ScrActive").Checked);
    EXPECT_TRUE(f.Entry("ScrPassword").Checked);

    // System.ini comes first; without the 9x flag the NT family's secure
    // flag tells.
    f.SetIni("C:\\WINDOWS\\A.SCR");
    desktop->DeleteValue("ScreenSaveUsePassword");
    desktop->SetValue("ScreenSaverIsSecure", reg::StringValue("1"));
    f.menu.Opening(f.sub);
    EXPECT_EQ(f.menu.State.Path, "C:\\WINDOWS\\A.SCR");
    EXPECT_TRUE(f.menu.State.UsePassword);

    // Change Password: the password dialog of Windows 9x only.
    f.settings.PasswordDialog = true;
    f.menu.Opening(f.sub);
    EXPECT_FALSE(f.Entry("ChangePassword").Enabled);
    f.Entry("ChangePassword").Click();
    f.settings.Nt = false;
    f.menu.Opening(f.sub);
    EXPECT_TRUE(f.Entry("ChangePassword").Enabled);
    f.Entry("ChangePassword").Click();
    EXPECT_EQ(f.settings.PasswordChanges, 1);
    // Windows 9x reads its own flag only.
    EXPECT_FALSE(f.menu.State.UsePassword);
}

TEST(ScreenSaverMenu, ChangeWaitInWholeMinutesAtLeastOne) {
    TSaverFixture f;
    f.settings.TimeoutSeconds = 179;
    f.menu.Opening(f.sub);
    f.prompts.InputAnswers = {std::string("0"), std::string("-5"), std::string("abc"), std::nullopt,
                              std::string("10")};
    for (int i = 0; i < 5; ++i) f.Entry("ScrWait").Click();
    EXPECT_EQ(f.prompts.Questions.front(), "Screen Saver: Please enter minutes to Wait:");
    EXPECT_EQ(f.prompts.proposed, (std::vector<std::string>{"2", "1", "1", "1", "1"}));
    // Text that is not a whole number and a cancel change nothing.
    EXPECT_EQ(f.settings.Calls, (std::vector<std::string>{"Timeout 60", "Timeout 60", "Timeout 600"}));
    EXPECT_TRUE(f.prompts.Messages.empty());
}

TEST(ScreenSaverMenu, ActiveAndUsePasswordToggle) {
    TSaverFixture f;
    f.menu.Opening(f.sub);
    // Without "Control Panel\Desktop" Use Password changes nothing.
    f.Entry("ScrPassword").Click();
    EXPECT_TRUE(f.settings.Calls.empty());
    EXPECT_FALSE(f.registry.Open(reg::Root::CurrentUser, "Control Panel\\Desktop", false));

    // With it, on the NT family: the flag as a dword, the system's secure
    // flag and its registry value, all turned off again by a second click.
    f.Desktop();
    f.Entry("ScrPassword").Click();
    EXPECT_EQ(f.DesktopValue("ScreenSaveUsePassword")->Data, reg::DWordValue(1).Data);
    EXPECT_EQ(f.DesktopString("ScreenSaverIsSecure"), "1");
    f.Entry("ScrPassword").Click();
    EXPECT_EQ(f.DesktopValue("ScreenSaveUsePassword")->Data, reg::DWordValue(0).Data);
    EXPECT_EQ(f.DesktopString("ScreenSaverIsSecure"), "0");
    f.Entry("ScrActive").Click();
    f.Entry("ScrActive").Click();
    EXPECT_EQ(f.settings.Calls, (std::vector<std::string>{"Secure 1", "Secure 0", "Active 1", "Active 0"}));

    // A key that refuses writes changes nothing, the secure flag included;
    // Windows 9x has no secure flag.
    TSaverFixture locked;
    locked.Desktop();
    locked.registry.SetReadOnly(reg::Root::CurrentUser, "Control Panel\\Desktop");
    locked.Entry("ScrPassword").Click();
    EXPECT_EQ(locked.DesktopValue("ScreenSaveUsePassword"), std::nullopt);
    TSaverFixture nine;
    nine.settings.Nt = false;
    nine.Desktop();
    nine.Entry("ScrPassword").Click();
    EXPECT_TRUE(locked.settings.Calls.empty() && nine.settings.Calls.empty());
    EXPECT_EQ(nine.DesktopString("ScreenSaverIsSecure"), std::nullopt);
}
