// The properties dialog's settings over the host registry: what the pages
// show when it opens (defaults, the last 1 of a radio group, the extension
// keys) and the steps of OK (page flags, the changer's new period, the
// hooks in their places, a registry error stopping the save at its step).
#include "options/OptionsModel.h"

#include "app/MachineKeys.h"
#include "app/Settings.h"
#include "platform/Errors.h"
#include "platform/host/HostRegistry.h"
#include "platform/host/HostServices.h"
#include "platform/host/HostShell.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using reg::Root;
using Strings = std::vector<std::string>;

namespace {

const std::string P = regnames::kProgramKey;

class OptionsModel : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("muralto-options-" + std::to_string(::getpid()) + "-" +
                                                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
    reg::HostRegistry registry;
    HostFileSystem files{root};
    HostSystemFolders folders;
    HostScreen screen;
    HostClock clock;
    ScriptedPrompts prompts;
    HostShell shell{files};
    TPlatform platform = [this] {
        TPlatform p{registry, files, folders, screen, clock, prompts};
        p.Shell = &shell;
        return p;
    }();
    TWallpaper dialog{platform, TOwnerKind::PropertiesDialog};
    TListEditor page{platform, dialog};
    Strings steps;

    void SetUp() override {
        fs::create_directories(root);
        folders.programFile = "C:\\Program Files\\Muralto\\Muralto.exe";
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    void Put(const std::string& section, const std::string& name, const std::string& text) {
        registry.Create(Root::CurrentUser, P + "\\" + section)->SetValue(name, reg::StringValue(text));
    }
    std::string Text(const std::string& section, const std::string& name) {
        auto key = registry.Open(Root::CurrentUser, P + "\\" + section, false);
        reg::Value v;
        return key && key->QueryValue(name, v) ? reg::StringOf(v) : "<absent>";
    }
    TOptionsValues Load() {
        dialog.LoadSettings();
        page.Fill();
        return LoadOptions(platform, ComputeProgramPaths(platform), dialog);
    }
    TOptionsSaveHooks RecordingHooks() {
        TOptionsSaveHooks hooks;
        hooks.Hide = [this] { steps.push_back("hide"); };
        hooks.HotKey = [this](uint16_t code) { steps.push_back("hot key " + std::to_string(code)); };
        hooks.ReloadMain = [this] { steps.push_back("reload"); };
        hooks.KeepAliveEcho = [this] { steps.push_back("echo"); };
        hooks.SaveCustomIcons = [this] { steps.push_back("icons"); };
        hooks.SettingsChanged = [this] { steps.push_back("changed"); };
        return hooks;
    }
};

TEST_F(OptionsModel, NothingStoredShowsTheDialogsDefaults) {
    const TOptionsValues v = Load();
    EXPECT_EQ(v.Order, coRandom);
    EXPECT_EQ(v.Unit, cuDays);
    EXPECT_EQ(v.Alignment, iaLeft) << "Left shows checked (and, without Restore, disabled)";
    EXPECT_FALSE(v.Restore || v.Active || v.ChangeOnStartup || v.Shell.OpenWith);
    EXPECT_EQ(v.Interval, 1);
    EXPECT_TRUE(v.FullScreen && v.Multiple && v.AdjustWallpaper);
    EXPECT_EQ(v.StartShortcut, kDefaultStartShortcut);
    EXPECT_EQ(page.Maximum, 20);
    for (const TExtensionRow& row : kExtensionRows)
        EXPECT_TRUE(registry.Open(Root::ClassesRoot, row.Extension, false)) << row.Extension << " made when missing";
}

TEST_F(OptionsModel, TheLastStoredOneOfARadioGroupWinsAndAllZeroChecksNothing) {
    Put("Options\\Changer", "Random", "1");
    Put("Options\\Changer", "Down", "1");
    Put("Options\\Changer", "Up", "0");
    Put("Options\\Changer", "Days", "0");
    Put("Options\\Changer", "Minutes", "1");
    Put("Options\\Desktop", "IconsLeft", "0");
    Put("Options\\Desktop", "IconsSpiral", "1");
    Put("Options\\Desktop", "IconsNo", "1");
    Put("Options\\Desktop", "RestoreIcons", "1");
    Put("Options\\Changer", "Interval", "90");
    TOptionsValues v = Load();
    EXPECT_EQ(v.Order, coDown);
    EXPECT_EQ(v.Unit, cuMinutes);
    EXPECT_EQ(v.Alignment, iaNoIcons);
    EXPECT_TRUE(v.Restore);
    EXPECT_EQ(v.Interval, 90);

    Put("Options\\Changer", "Random", "0");
    Put("Options\\Changer", "Down", "0");
    EXPECT_EQ(Load().Order, -1);
}

TEST_F(OptionsModel, TheShellAndStartPagesShowWhatIsThere) {
    registry.Create(Root::ClassesRoot, ".gif")->SetValue("", reg::StringValue("Muralto"));
    registry.Create(Root::ClassesRoot, ".wmf")->SetValue("", reg::StringValue("MuraltoNoIcon"));
    registry.Create(Root::ClassesRoot, ".jpg")->SetValue("", reg::StringValue("muralto")); // not ours: case counts
    registry.Create(Root::LocalMachine, P + "\\Options")->SetValue("OpenWith", reg::StringValue("1"));
    const TProgramPaths paths = ComputeProgramPaths(platform);
    fs::create_directories(files.HostPath(paths.StartMenuFolder + "\\" + shellnames::kPrinters));
    fs::create_directories(files.HostPath(paths.StartupFolder));
    std::ofstream(files.HostPath(paths.StartupFolder + "\\Muralto.lnk")) << "x";

    const TOptionsValues v = Load();
    EXPECT_EQ(v.Shell.Rows, (std::array<bool, 8>{false, true, false, false, false, true, false, false}));
    EXPECT_TRUE(v.Shell.OpenWith);
    EXPECT_TRUE(v.Start.Printers && v.Start.Launch);
    EXPECT_FALSE(v.Start.ControlPanel || v.Start.Programs);
}

TEST_F(OptionsModel, OkWritesTouchedPagesOnlyAndRunsTheHooksInTheirPlaces) {
    Put("Options\\Changer", "Time", "unchanged");
    TOptionsValues v = Load();
    v.StartShortcut = 0xC041;
    v.KeepAlive = false;
    v.Alignment = iaCustom;
    v.Restore = true;
    SaveOptions(platform, nullptr, page, v, TPageFlags{}, RecordingHooks(), 45000.5);
    EXPECT_EQ(steps, (Strings{"hide", "hot key 49217", "reload", "echo", "changed"}))
        << "no custom icons while the Desktop page was not touched";
    EXPECT_EQ(Text("Options\\Changer", "Time"), "unchanged") << "an untouched Changer page keeps its period";
    EXPECT_EQ(Text("Options\\Desktop", "RestoreIcons"), "<absent>");
    EXPECT_EQ(Text("Options", "KeepAlive"), "0");
    EXPECT_EQ(settings::TSettings(registry).Read(settings::kStartShortcut), 0xC041);

    steps.clear();
    v.Unit = cuHours;
    SaveOptions(platform, nullptr, page, v, TPageFlags{true, true}, RecordingHooks(), 45000.5);
    EXPECT_EQ(steps, (Strings{"hide", "hot key 49217", "reload", "echo", "icons", "changed"}));
    EXPECT_DOUBLE_EQ(settings::TSettings(registry).Read(settings::kTime), 45000.5) << "the period starts now";
    EXPECT_EQ(Text("Options\\Changer", "Hours"), "1");
    EXPECT_EQ(Text("Options\\Changer", "Days"), "0");
    EXPECT_EQ(Text("Options\\Desktop", "RestoreIcons"), "1");
    EXPECT_EQ(Text("Options\\Desktop", "IconsCustom"), "1");
    EXPECT_EQ(Text("Options\\Desktop", "IconsLeft"), "0");
}

TEST_F(OptionsModel, ARegistryErrorStopsTheSaveAtItsStep) {
    TOptionsValues v = Load();
    v.Multiple = false;
    registry.SetReadOnly(Root::CurrentUser, P + "\\Options\\Desktop");
    EXPECT_THROW(SaveOptions(platform, nullptr, page, v, TPageFlags{false, true}, RecordingHooks(), 1.0),
                 EMuraltoError);
    EXPECT_EQ(steps, (Strings{"hide", "hot key " + std::to_string(kDefaultStartShortcut)}));
    EXPECT_EQ(Text("Options", "MultipleWindows"), "0") << "the steps before it stay done";
}

TEST_F(OptionsModel, OkAppliesTheShellPageThroughTheIntegration) {
    const TMachineKeys keys = ChooseMachineKeys(registry);
    TShellIntegration integration(platform, shell, ComputeProgramPaths(platform), keys);
    TOptionsValues v = Load();
    v.Shell.Rows[1] = true; // GIF
    SaveOptions(platform, &integration, page, v, TPageFlags{}, {}, 1.0);
    auto gif = registry.Open(Root::ClassesRoot, ".gif", false);
    reg::Value type;
    ASSERT_TRUE(gif && gif->QueryValue("", type));
    EXPECT_EQ(reg::StringOf(type), "Muralto");
    ASSERT_FALSE(shell.Notices.empty());
    EXPECT_EQ(shell.Notices.back().first, TShellChange::AssociationsChanged);
}

} // namespace
