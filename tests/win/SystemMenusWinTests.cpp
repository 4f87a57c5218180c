// The display-mode and screen saver sub-menus over Wine's real settings.
// Only reads and trial changes happen here: a switch of the display mode or
// a change of the screen saver parameters would change the desktop the other
// tests run on (those commands are tested over the host settings).
#include "platform/host/HostServices.h"
#include "platform/win32/Handles.h"
#include "platform/win32/WinRegistry.h"
#include "platform/win32/WinServices.h"
#include "systemmenus/DisplayMenu.h"
#include "systemmenus/ScreenSaverMenu.h"
#include "systemmenus/win/WinDisplayModes.h"
#include "systemmenus/win/WinScreenSaver.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(SystemMenusDisplay, ListsTheModesThatPassTheTrialWithTheCurrentOneChecked) {
    WinDisplayModes modes;
    reg::WinRegistry registry;
    const std::optional<TDisplayMode> current = modes.Current();
    ASSERT_TRUE(current);
    EXPECT_GT(current->Width, 0);
    EXPECT_GT(current->BitsPerPixel, 0);
    // The API's own negative indices (current and registry mode) are not
    // list entries.
    EXPECT_FALSE(modes.Mode(-1));
    EXPECT_FALSE(modes.Test(-1));

    TCommandIds ids;
    TMenuItem root(ids);
    TMenuItem& display = root.Add("Dis&play");
    display.AddPlaceholder();
    FillDisplayMenu(display, modes, registry, 768, 96);
    ASSERT_GE(display.Count(), 1);
    EXPECT_FALSE(display.Item(0).IsPlaceholder());
    int checked = 0;
    for (int i = 0; i < display.Count(); ++i) {
        const TMenuItem& entry = display.Item(i);
        const std::optional<TDisplayMode> mode = modes.Mode(-entry.Tag);
        ASSERT_TRUE(mode) << entry.Caption;
        EXPECT_EQ(entry.Caption, DisplayModeCaption(*mode));
        if (entry.Checked) {
            ++checked;
            EXPECT_EQ(entry.Caption, CurrentDisplayModeText(modes, registry));
        }
    }
    EXPECT_GE(checked, 1) << "current: " << CurrentDisplayModeText(modes, registry);
    // The display is as it was.
    const std::optional<TDisplayMode> after = modes.Current();
    ASSERT_TRUE(after);
    EXPECT_EQ(after->Width, current->Width);
    EXPECT_EQ(after->Height, current->Height);
    EXPECT_EQ(after->BitsPerPixel, current->BitsPerPixel);
}

TEST(SystemMenusScreenSaver, StateReadsFromTheSystem) {
    WinScreenSaverSettings settings;
    reg::WinRegistry registry;
    WinFileSystem files;
    WinSystemFolders folders;
    ScriptedPrompts prompts;
    TScreenSaverMenu menu(settings, registry, files, folders, prompts);
    EXPECT_TRUE(settings.NtFamily());

    TCommandIds ids;
    TMenuItem root(ids);
    TMenuItem& sub = root.Add("&Screen Saver");
    for (const char* name : {"ScrRun", "ScrActive", "ScrPassword", "ChangePassword", "ScrWait", "ScrSelect"})
        sub.Add(name).Name = name;
    menu.Attach(sub);
    ASSERT_NO_THROW(menu.Opening(sub));
    EXPECT_GE(menu.State.Timeout, 0);
    EXPECT_EQ(sub.FindByName("ScrRun")->Enabled, !menu.State.Path.empty());
    EXPECT_EQ(sub.FindByName("ScrActive")->Checked, menu.State.Active);
    // The NT family has no screen saver password dialog (Wine's library
    // exports a stub of it): Change Password stays disabled.
    EXPECT_FALSE(sub.FindByName("ChangePassword")->Enabled);
}

// System.ini is a file of the ANSI code page: a text of that page comes
// back as written.
TEST(SystemMenusScreenSaver, SystemIniKeysRoundTrip) {
    WinScreenSaverSettings settings;
    const char* section = "MuraltoSystemMenusTest";
    EXPECT_EQ(settings.ReadSystemIni(section, "Saver"), "");
    const std::string value = "C:\\Sch\xC3\xB6ne Bilder\\SAVER~1.SCR";
    settings.WriteSystemIni(section, "Saver", value);
    EXPECT_EQ(settings.ReadSystemIni(section, "saver"), value);
    // The test's section goes again.
    const std::wstring ini = win::Wide(WinSystemFolders().WindowsDirectory() + "\\System.ini");
    WritePrivateProfileStringW(win::Wide(section).c_str(), nullptr, nullptr, ini.c_str());
    EXPECT_EQ(settings.ReadSystemIni(section, "Saver"), "");
}
