#pragma once
// Putting a bitmap file on the desktop, and the tray icon's notice while the
// program is busy with it.
#include <string>

class IDesktopWallpaper {
public:
    virtual ~IDesktopWallpaper() = default;
    // Whether the shell's Active Desktop object can be created.
    virtual bool ActiveDesktopAvailable() = 0;
    // Shows the file centred as the desktop wallpaper, through the Active
    // Desktop object when it works and the system parameter otherwise, so
    // that a call never returns without a wallpaper set. Throws EMuraltoError
    // when neither way succeeds.
    virtual void Install(const std::string& path) = 0;
};

// The tray icon's part in a wallpaper change: a busy picture and text while
// it runs, the program's icon and the given hint afterwards.
class ITrayNotice {
public:
    virtual ~ITrayNotice() = default;
    virtual void ShowBusy(const std::string& text) = 0;
    virtual void ShowIdle(const std::string& hint) = 0;
    virtual void SetHint(const std::string& hint) = 0;
};
