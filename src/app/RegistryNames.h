#pragma once
// Every registry key and value name the program uses, spelled once. Keys of
// the program are relative to kProgramKey under HKEY_CURRENT_USER or
// HKEY_LOCAL_MACHINE; the others are full paths below their root.
namespace regnames {

// ---- The program's own tree ----
constexpr const char* kProgramKey = "SOFTWARE\\Orrindel\\Muralto";
// The open dialog's key, spelled as the dialog spells it (the same tree).
constexpr const char* kOpenDialogKey = "Software\\Orrindel\\Muralto\\OpenDialog";
constexpr const char* kIconsKey = "SOFTWARE\\Orrindel\\Muralto\\Icons";

// Sections below the program key.
constexpr const char* kOptions = "Options";
constexpr const char* kOptionsDesktop = "Options\\Desktop";
constexpr const char* kOptionsChanger = "Options\\Changer";
constexpr const char* kOptionsShortcuts = "Options\\Shortcuts";
constexpr const char* kExtensionsBackup = "Options\\Extensions Backup";
constexpr const char* kLists = "Lists";
constexpr const char* kReopenFile = "Reopen\\MRUFile";
constexpr const char* kReopenImage = "Reopen\\MRUImage";
constexpr const char* kIcons = "Icons";
constexpr const char* kOpenDialog = "OpenDialog";
// The single list of older versions, moved into the lists at start-up.
constexpr const char* kOldMRU = "MRU";
constexpr const char* kOldMRUData = "MRUData";

// Inside a list's key ("Lists\<name>").
constexpr const char* kListMRU = "MRU";
constexpr const char* kListMRUData = "MRUData";
constexpr const char* kListOptions = "Options";
constexpr const char* kListOptionsChanger = "Options\\Changer";
constexpr const char* kFirstListName = "List 1";

// "Options" (HKEY_CURRENT_USER).
constexpr const char* kMultipleWindows = "MultipleWindows";
constexpr const char* kFullScreen = "FullScreen";
constexpr const char* kAdjustWallpaper = "AdjustWallpaper";
constexpr const char* kCorrectLogos = "CorrectLogos";
constexpr const char* kChangeLogos = "ChangeLogos";
constexpr const char* kKeepAlive = "KeepAlive";
constexpr const char* kMRUCapacity = "MRUCapacity";
constexpr const char* kSortMostRecent = "SortMostRecent";
constexpr const char* kNoIconsWarning = "NoIconsWarning";

// "Options\Desktop".
constexpr const char* kRestoreIcons = "RestoreIcons";
constexpr const char* kIconsLeft = "IconsLeft";
constexpr const char* kIconsRight = "IconsRight";
constexpr const char* kIconsTop = "IconsTop";
constexpr const char* kIconsBottom = "IconsBottom";
constexpr const char* kIconsSpiral = "IconsSpiral";
constexpr const char* kIconsCustom = "IconsCustom";
constexpr const char* kIconsNo = "IconsNo";

// "Options\Changer" (HKEY_CURRENT_USER).
constexpr const char* kChangeOnStartup = "ChangeOnStartup";
constexpr const char* kActive = "Active";
constexpr const char* kRandom = "Random";
constexpr const char* kDown = "Down";
constexpr const char* kUp = "Up";
constexpr const char* kInterval = "Interval";
constexpr const char* kDays = "Days";
constexpr const char* kHours = "Hours";
constexpr const char* kMinutes = "Minutes";
constexpr const char* kTime = "Time";

// "Options\Shortcuts".
constexpr const char* kStartShortcut = "StartShortcut";

// "Lists".
constexpr const char* kCurrent = "Current";

// "Reopen\..." entries are named by this pattern from index 0.
constexpr const char* kReopenItemFormat = "Item_%d";

// "OpenDialog".
constexpr const char* kPreview = "Preview";

// HKEY_LOCAL_MACHINE below the program key.
constexpr const char* kOpenWith = "OpenWith";           // in "Options"
constexpr const char* kWallpaper = "Wallpaper";         // in "Options\Changer"
constexpr const char* kData = "Data";                   // in "Options\Changer"
constexpr const char* kTrueColor = "TrueColor";         // in "Options\Changer"
constexpr const char* kBackedUpExtensions[] = {".jpg", ".jpe", ".jpeg", ".gif", ".pcx",
                                               ".bmp", ".ico", ".emf", ".wmf", ".png", ".webp"};

// ---- Keys of the system ----
constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kShellStartMenu = "Start Menu";
constexpr const char* kShellStartup = "Startup";
constexpr const char* kShellPrograms = "Programs";
constexpr const char* kShellDesktop = "Desktop";

constexpr const char* kControlPanelDesktopKey = "Control Panel\\Desktop";
constexpr const char* kDeskWallpaper = "Wallpaper";
constexpr const char* kTileWallpaper = "TileWallpaper";
constexpr const char* kWallpaperOriginX = "WallpaperOriginX";
constexpr const char* kWallpaperOriginY = "WallpaperOriginY";
constexpr const char* kScreenSaveUsePassword = "ScreenSaveUsePassword";

// ---- The shell integration's keys ----
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Muralto";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// Below HKEY_CURRENT_USER: the user's own classes, and where the machine's
// keys of the program live for a user who may not write them.
constexpr const char* kUserClassesKey = "Software\\Classes";
constexpr const char* kPerUserMachineKey = "SOFTWARE\\Orrindel\\Muralto\\Machine";

constexpr const char* kDisplaySettingsKey = "Display\\Settings"; // HKEY_CURRENT_CONFIG
constexpr const char* kBitsPerPixel = "BitsPerPixel";
constexpr const char* kResolution = "Resolution";

} // namespace regnames
