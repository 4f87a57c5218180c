// The shell integration over the host registry, file system and shell, once
// with machine keys the program may write and once as a standard user whose
// machine keys refuse it: the associations with their backups, the verb,
// the start-up registration and first run, the Start page, and uninstalling.
#include "app/MachineKeys.h"
#include "app/RegistryNames.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/host/HostShell.h"
#include "shell/ShellIntegration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using reg::Root;

namespace {

constexpr const char* kProgram = "C:\\Program Files\\Muralto\\Muralto.exe";

class ShellIntegration : public ::testing::TestWithParam<bool> {
protected:
    fs::path root = fs::temp_directory_path() / ("muralto-shell-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    reg::HostRegistry machine;
    TPerUserRegistry perUser{machine};
    HostFileSystem files{root};
    HostSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    HostShell shell{files};
    std::unique_ptr<TPlatform> platform;
    TMachineKeys keys;
    std::unique_ptr<TShellIntegration> integration;

    bool PerUser() const { return GetParam(); }
    reg::IRegistry& Registry() { return PerUser() ? static_cast<reg::IRegistry&>(perUser) : machine; }

    void SetUp() override {
        fs::create_directories(root);
        folders.programFile = kProgram;
        File("C:\\Program Files\\Muralto\\Muralto.exe");
        File("C:\\Program Files\\Muralto\\kelpfold.dll");
        // The Start menu as the system makes it for every user.
        fs::create_directories(files.HostPath("C:\\WINDOWS\\Start Menu\\Programs\\StartUp"));
        platform = std::make_unique<TPlatform>(TPlatform{Registry(), files, folders, screen, clock, prompts});
        platform->Shell = &shell;
    }
    // The program's first start, after the machine was set up: a standard
    // user's machine keys refuse writing from here on.
    void Begin() {
        if (PerUser()) machine.SetReadOnly(Root::LocalMachine, "");
        keys = ChooseMachineKeys(machine);
        ASSERT_EQ(keys.PerUser, PerUser());
        Start();
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    // A new start of the program: paths and integration made again.
    void Start() {
        integration = std::make_unique<TShellIntegration>(*platform, shell, ComputeProgramPaths(*platform), keys);
    }
    void File(const std::string& path, const std::string& text = "x") {
        const fs::path host = files.HostPath(path);
        fs::create_directories(host.parent_path());
        std::ofstream(host, std::ios::binary) << text;
    }
    // The machine's own registration of a type, as Windows ships it.
    void MachineType(const std::string& extension, const std::string& type) {
        machine.Create(Root::LocalMachine, "SOFTWARE\\Classes\\" + extension)->SetValue("", reg::StringValue(type));
    }
    std::string Type(const std::string& key) {
        auto k = Registry().Open(Root::ClassesRoot, key, false);
        reg::Value v;
        return k && k->QueryValue("", v) ? reg::StringOf(v) : "<absent>";
    }
    std::string Backup(const std::string& extension) {
        auto k = Registry().Open(Root::LocalMachine, "SOFTWARE\\Orrindel\\Muralto\\Options\\Extensions Backup", false);
        reg::Value v;
        return k && k->QueryValue(extension, v) ? reg::StringOf(v) : "<absent>";
    }
    TShellPage Page(std::initializer_list<int> rows, bool openWith = false) {
        TShellPage page;
        for (int row : rows) page.Rows[static_cast<size_t>(row)] = true;
        page.OpenWith = openWith;
        return page;
    }
    int AssociationNotices() const {
        int n = 0;
        for (const auto& notice : shell.Notices) n += notice.first == TShellChange::AssociationsChanged;
        return n;
    }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Keys, ShellIntegration, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "PerUser" : "Machine");
                         });

TEST_P(ShellIntegration, CheckingARowTwiceKeepsTheFirstBackupAndUncheckingRestoresEachExtension) {
    MachineType(".gif", "giffile");
    MachineType(".jpg", "jpegfile");
    MachineType(".jpeg", "jpegfile");
    Begin();
    integration->ApplyShellPage(Page({0, 1, 4}));
    integration->ApplyShellPage(Page({0, 1, 4}));
    EXPECT_EQ(Type(".gif"), "Muralto");
    EXPECT_EQ(Type(".ico"), "MuraltoNoIcon");
    EXPECT_EQ(Backup(".gif"), "giffile"); // the second OK found "Muralto" already
    EXPECT_EQ(AssociationNotices(), 1);

    // Unchecked: each extension from its own backup; ".jpe" had none.
    integration->ApplyShellPage(Page({1}));
    EXPECT_EQ(Type(".jpg"), "jpegfile");
    EXPECT_EQ(Type(".jpeg"), "jpegfile");
    EXPECT_EQ(Type(".gif"), "Muralto");
    if (PerUser()) {
        // The user's own value went; what the machine has shows through.
        EXPECT_EQ(Type(".jpe"), "<absent>");
        EXPECT_EQ(Type(".ico"), "<absent>");
        // Nothing was ever written to the machine's classes.
        EXPECT_EQ(machine.Open(Root::LocalMachine, "SOFTWARE\\Classes\\.ico", false), nullptr);
    } else {
        EXPECT_EQ(Type(".jpe"), "");
        EXPECT_EQ(Type(".ico"), "icofile");
    }
    EXPECT_EQ(AssociationNotices(), 2);

    // Another program took ".gif" over: unchecking leaves it alone.
    Registry().Create(Root::ClassesRoot, ".gif")->SetValue("", reg::StringValue("OtherViewer.gif"));
    integration->ApplyShellPage(Page({}));
    EXPECT_EQ(Type(".gif"), "OtherViewer.gif");
    // The comparison is exact: "muralto" is not the program's type.
    Registry().Create(Root::ClassesRoot, ".bmp")->SetValue("", reg::StringValue("muralto"));
    integration->ApplyShellPage(Page({}));
    EXPECT_EQ(Type(".bmp"), "muralto");
}

TEST_P(ShellIntegration, TheVerbGoesUnderTheExtensionAndItsForeignTypeAndGoesAgain) {
    MachineType(".pcx", "PaintShop.pcx");
    Begin();
    integration->ApplyShellPage(Page({}, true));
    const std::string command = "\"C:\\Program Files\\Muralto\\Muralto.exe\" \"%1\"";
    EXPECT_EQ(Type(".pcx\\Shell\\View with Muralto\\Command"), command);
    EXPECT_EQ(Type("PaintShop.pcx\\Shell\\View with Muralto\\Command"), command);
    EXPECT_EQ(Type(".emf\\Shell\\View with Muralto\\Command"), command);
    integration->ApplyShellPage(Page({}, false));
    EXPECT_EQ(Registry().Open(Root::ClassesRoot, ".pcx\\Shell\\View with Muralto", false), nullptr);
    EXPECT_EQ(Registry().Open(Root::ClassesRoot, "PaintShop.pcx\\Shell\\View with Muralto", false), nullptr);
}

TEST_P(ShellIntegration, StartingRegistersOnceAndTheFirstRunMakesItsItemsOnlyOnce) {
    EXPECT_EQ(CommandString("C:\\My Programs\\Muralto.exe"), "\"C:\\My Programs\\Muralto.exe\" \"%1\"");
    EXPECT_EQ(UninstallString("C:\\My Programs\\Muralto.exe"), "C:\\My Programs\\Muralto.exe /u");

    Begin();
    EXPECT_TRUE(keys.FirstRun);
    integration->StartupRegistration();
    ASSERT_EQ(shell.Started.size(), 1u);
    EXPECT_NE(shell.Started[0].second.find("/s "), std::string::npos);
    EXPECT_EQ(Type("Muralto\\Shell\\Open\\Command"), CommandString(kProgram));
    EXPECT_EQ(Type("MuraltoNoIcon\\DefaultIcon"), "%1");
    auto uninstall = Registry().Open(Root::LocalMachine, regnames::kUninstallKey, false);
    ASSERT_NE(uninstall, nullptr);
    reg::Value v;
    ASSERT_TRUE(uninstall->QueryValue("UninstallString", v));
    EXPECT_EQ(reg::StringOf(v), UninstallString(kProgram));
    int helps = 0;
    integration->FirstRun(true, [&] { ++helps; });
    const std::string pointer = "C:\\WINDOWS\\Start Menu\\My Computer.{fa6c62a0-9fe5-11d2-9e61-444553540000}";
    EXPECT_EQ(shell.LinkTarget(pointer + "\\Folder.lnk"), HostShell::kMyComputer);
    EXPECT_EQ(shell.LinkTarget("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\Muralto.lnk"), kProgram);
    EXPECT_EQ(helps, 1);

    // The extension registered itself meanwhile; the next start is no first
    // run and starts no registration tool.
    Registry().Create(Root::ClassesRoot, "CLSID\\{fa6c62a0-9fe5-11d2-9e61-444553540000}");
    keys = ChooseMachineKeys(machine);
    EXPECT_FALSE(keys.FirstRun);
    Start();
    integration->StartupRegistration();
    EXPECT_EQ(shell.Started.size(), 1u);
}

TEST_P(ShellIntegration, TheStartPageAddsAndRemovesItsItemsWithTheirNotices) {
    Begin();
    TStartPage page;
    page.ControlPanel = page.Programs = true;
    integration->ApplyStartPage(page);
    const std::string panel = "C:\\WINDOWS\\Start Menu\\Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
    EXPECT_TRUE(files.DirectoryExists(panel));
    EXPECT_EQ(shell.LinkTarget("C:\\WINDOWS\\Start Menu\\Programs\\Muralto.lnk"), kProgram);
    EXPECT_FALSE(files.FileExists("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\Muralto.lnk"));
    // A second OK makes no folder twice; a folder with something in it stays
    // when unchecked, and its notice goes out anyway.
    integration->ApplyStartPage(page);
    int made = 0;
    for (const auto& n : shell.Notices) made += n.first == TShellChange::MakeDir;
    EXPECT_EQ(made, 1);
    File(panel + "\\note.txt");
    integration->ApplyStartPage(TStartPage{});
    EXPECT_TRUE(files.DirectoryExists(panel));
    EXPECT_FALSE(files.FileExists("C:\\WINDOWS\\Start Menu\\Programs\\Muralto.lnk"));
    EXPECT_EQ(shell.Notices.back().first, TShellChange::Delete);
}

TEST_P(ShellIntegration, UninstallTakesEverythingAwayButTheUsersSettings) {
    MachineType(".jpg", "jpegfile");
    Begin();
    integration->StartupRegistration();
    integration->FirstRun(true, {});
    integration->ApplyShellPage(Page({0, 4}, true));
    Registry().Create(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1");
    File("C:\\WINDOWS\\WinInit.ini", "[boot]\r\n[Rename]\r\nNUL=C:\\OLD.TXT\r\n");
    File("C:\\Program Files\\Muralto\\Muralto.chm");

    integration->Uninstall();
    EXPECT_EQ(Type(".jpg"), "jpegfile");
    EXPECT_EQ(Registry().Open(Root::ClassesRoot, ".jpg\\Shell\\View with Muralto", false), nullptr);
    EXPECT_EQ(Registry().Open(Root::ClassesRoot, "Muralto", false), nullptr);
    EXPECT_EQ(Registry().Open(Root::ClassesRoot, "MuraltoNoIcon", false), nullptr);
    EXPECT_EQ(Registry().Open(Root::LocalMachine, regnames::kUninstallKey, false), nullptr);
    EXPECT_EQ(Registry().Open(Root::LocalMachine, regnames::kProgramKey, false), nullptr);
    if (PerUser()) {
        EXPECT_EQ(machine.Open(Root::CurrentUser, regnames::kPerUserMachineKey, false), nullptr);
    }
    EXPECT_NE(machine.Open(Root::CurrentUser, "SOFTWARE\\Orrindel\\Muralto\\Lists\\List 1", false), nullptr);
    EXPECT_FALSE(files.FileExists("C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\Muralto.lnk"));
    EXPECT_FALSE(files.DirectoryExists("C:\\WINDOWS\\Start Menu\\My Computer.{fa6c62a0-9fe5-11d2-9e61-444553540000}"));

    // The program's files go at the next start of Windows, the extension
    // named first right after "[Rename]".
    const std::vector<uint8_t> ini = files.ReadFile("C:\\WINDOWS\\WinInit.ini");
    const std::string text(ini.begin(), ini.end());
    EXPECT_EQ(text.find("[Rename]\r\nNUL=C:\\Program Files\\Muralto\\kelpfold.dll\r\nNUL=C:\\Program Files\\Muralto\\Muralto."),
              text.find("[Rename]"));
    EXPECT_NE(text.find("NUL=C:\\Program Files\\Muralto\\Muralto.exe"), std::string::npos);
    EXPECT_NE(text.find("NUL=C:\\Program Files\\Muralto\\Muralto.chm"), std::string::npos);
    EXPECT_NE(text.find("NUL=C:\\OLD.TXT"), std::string::npos);
    EXPECT_EQ(shell.ScheduledDeletions.size(), 3u);
    ASSERT_EQ(shell.Started.size(), 2u);
    EXPECT_EQ(shell.Started[1].second.rfind("/u /s ", 0), 0u);
    ASSERT_FALSE(prompts.Messages.empty());
    EXPECT_EQ(prompts.Messages.back().Text, "To complete the removal you must restart Windows.");
}

TEST_P(ShellIntegration, PngAndWebpRowsAssociateBackUpAndUninstallLikeTheOthers) {
    MachineType(".png", "pngfile");
    Begin();
    integration->ApplyShellPage(Page({6, 7}, true));
    EXPECT_EQ(Type(".png"), "Muralto");
    EXPECT_EQ(Type(".webp"), "Muralto");
    if (!PerUser()) {
        EXPECT_EQ(Backup(".png"), "pngfile");
    }
    EXPECT_EQ(Type(".webp\\Shell\\View with Muralto\\Command"), "\"" + std::string(kProgram) + "\" \"%1\"");
    EXPECT_EQ(Type(".jpg"), "<absent>") << "the other rows stay as they were";

    integration->Uninstall();
    EXPECT_EQ(Type(".png"), "pngfile") << "the machine's type again";
    EXPECT_EQ(Type(".webp\\Shell\\View with Muralto"), "<absent>");
}
