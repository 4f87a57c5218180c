#pragma once
// The properties dialog's settings without its window: what the pages show
// when the dialog opens (read in the order the dialog fills its controls) and
// the steps of OK, in their order, writing them back. The window maps its
// controls to TOptionsValues and back; what only a window can do (hide
// itself, register the hot key, tell the main form) comes in as hooks.
#include "engine/Wallpaper.h"
#include "options/ListEditor.h"
#include "shell/ShellIntegration.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

// The radio groups of the pages. -1: no button of the group is checked
// (every stored value 0).
enum TChangerOrder : int { coRandom = 0, coDown, coUp };
enum TChangerUnit : int { cuDays = 0, cuHours, cuMinutes };
// The seven alignment buttons in their order.
enum TIconAlignment : int { iaLeft = 0, iaRight, iaTop, iaBottom, iaSpiral, iaCustom, iaNoIcons };

struct TOptionsValues {
    // "Changer"
    bool ChangeOnStartup = false;
    bool Active = false;
    int Order = coRandom;
    int32_t Interval = 1;
    int Unit = -1;
    // "Desktop"
    bool Restore = false;
    int Alignment = -1;
    // "General"
    bool FullScreen = false, Multiple = false, AdjustWallpaper = false, ChangeLogos = false, CorrectLogos = false,
         KeepAlive = false;
    // "Shell": the six rows and the verb.
    TShellPage Shell;
    // "Start": the four boxes and the hot key (the stored shortcut code).
    TStartPage Start;
    uint16_t StartShortcut = kDefaultStartShortcut;
    // "New Folder Pointer" needs the Active Desktop shell.
    bool FolderPointers = false;
};

// The eight row captions of the Shell page's list.
extern const std::array<const char*, 8> kExtensionRowCaptions;

// Loading steps 3 to 8: the Start page from the shell folders, the dialog's
// engine's settings (it has run LoadSettings), the Active Desktop test, the
// machine's "OpenWith", the Desktop and Changer values (the last 1 of each
// group wins), and the extension keys, created when missing.
TOptionsValues LoadOptions(TPlatform& platform, const TProgramPaths& paths, TWallpaper& engine);

// What OK does beyond the registry, each step in its place; any may be
// empty.
struct TOptionsSaveHooks {
    std::function<void()> Hide;                       // 2: minimise and hide the dialog
    std::function<void(uint16_t shortcut)> HotKey;    // 5: registered again (a refusal is not reported)
    std::function<void()> ReloadMain;                 // 10: main engine's settings, schedule, tray tip
    std::function<void()> KeepAliveEcho;              // 11: one echo, when the main engine keeps alive
    std::function<void()> SaveCustomIcons;            // 12: the icons now as the custom arrangement
    std::function<void()> SettingsChanged;            // 13: WM_WININICHANGE to the main form
};

// Which pages the user touched since loading.
struct TPageFlags {
    bool Changer = false;
    bool Desktop = false;
};

// OK, steps 1 to 13 in order (14, the release, is the window's). A registry
// error stops the save at its step and propagates; earlier steps stay done.
// integration may be null (no shell): the Start and Shell pages are skipped.
void SaveOptions(TPlatform& platform, TShellIntegration* integration, TListEditor& list,
                 const TOptionsValues& values, TPageFlags flags, const TOptionsSaveHooks& hooks, double now);
