#pragma once
// The tray menu's screen saver sub-menu: runs the current screen saver,
// switches it and its password on and off, changes the password and the
// waiting time, and puts the one chosen in Select in place. The state is read
// again at each opening of the tray menu and kept here until the next one.
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/ScreenSaver.h"
#include "shellmenus/MenuModel.h"

#include <string>

struct TScreenSaverState {
    // As System.ini (or, on the NT family, the user's registry) names it;
    // empty when no screen saver is set.
    std::string Path;
    bool Active = false;
    int Timeout = 0; // seconds
    bool UsePassword = false;
};

class TScreenSaverMenu {
public:
    // The entries' component names in the sub-menu.
    static constexpr const char* kRun = "ScrRun";
    static constexpr const char* kActive = "ScrActive";
    static constexpr const char* kPassword = "ScrPassword";
    static constexpr const char* kChangePassword = "ChangePassword";
    static constexpr const char* kWait = "ScrWait";

    static constexpr const char* kDesktopKey = "Control Panel\\Desktop";

    TScreenSaverMenu(IScreenSaverSettings& settings, reg::IRegistry& registry, IFileSystem& files,
                     ISystemFolders& folders, IPrompts& prompts);
    TScreenSaverMenu(const TScreenSaverMenu&) = delete;
    TScreenSaverMenu& operator=(const TScreenSaverMenu&) = delete;

    // The current directory while a screen saver is started (the program's
    // folder); empty leaves it as it is.
    std::string ProgramFolder;
    // What the last opening read.
    TScreenSaverState State;

    // Gives the sub-menu's Run, Active, Use Password, Change Password and
    // Change Wait entries (found by component name; missing ones are
    // skipped) their OnClick handlers. Once, after the tree is made.
    void Attach(TMenuItem& screenSaver);
    // At each opening of the tray menu: reads the state and shows it in the
    // entries. Everything but Select needs a screen saver; Change Password
    // also needs the system's password dialog, which only Windows 9x has. Active and Use Password carry
    // the flags as check marks.
    void Opening(TMenuItem& screenSaver);
    // Reads the state alone.
    void ReadState();

    // The entries' commands.
    void RunClick();
    void ActiveClick();
    void PasswordClick();
    void ChangePasswordClick();
    void WaitClick();
    // A screen saver chosen in Select, by its name without ".scr".
    void Choose(const std::string& name);

private:
    std::string SystemFolder() const;

    IScreenSaverSettings& settings_;
    reg::IRegistry& registry_;
    IFileSystem& files_;
    ISystemFolders& folders_;
    IPrompts& prompts_;
};
