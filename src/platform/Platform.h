#pragma once
// The operating-system services the program's core is given. The Windows
// build passes the Win32 implementations, tests pass the host ones.
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Registry.h"
#include "platform/Screen.h"

#include <string>

class IPictureRenderer;
class ISystemColors;
class IDesktopMetrics;
class IDesktopWallpaper;
class ITrayNotice;
class TChangeGuard;
class IDisplayModes;
class IScreenSaverSettings;
class IShell;

struct TPlatform {
    reg::IRegistry& Registry;
    IFileSystem& Files;
    ISystemFolders& Folders;
    IScreen& Screen;
    IClock& Clock;
    IPrompts& Prompts;
    // Draws icons and metafiles; null where the platform has no renderer of
    // its own (the portable icon reader is used then).
    IPictureRenderer* Pictures = nullptr;
    // The system's named colours; null: the classic Windows colours.
    ISystemColors* SystemColors = nullptr;
    // The desktop's work area and icon metrics; null: fixed defaults.
    IDesktopMetrics* DesktopMetrics = nullptr;
    // Installs wallpapers; null: only the registry value is written, as the
    // host does.
    IDesktopWallpaper* Wallpaper = nullptr;
    // The tray icon's busy notice; null where there is no tray icon.
    ITrayNotice* Tray = nullptr;
    // The program's one wallpaper change at a time, owned by the main form;
    // null where changes cannot overlap (tools, and tests of one change).
    TChangeGuard* Changes = nullptr;
    // The display's modes, for the display-mode menu; null: no modes to list.
    IDisplayModes* DisplayModes = nullptr;
    // The screen saver settings, for the screen saver menu; null where the
    // platform has none.
    IScreenSaverSettings* ScreenSaver = nullptr;
    // Folders, links and notices of the shell; null where there is none.
    IShell* Shell = nullptr;
    // Where the program writes its wallpaper bitmap; empty: the Windows
    // folder (a standard user of the NT family may not write there).
    std::string WallpaperFolder{};
};
