#pragma once
// The wallpaper through the shell's Active Desktop object, and through the
// system parameter where that object is missing or its calls fail (Wine's
// object fails them all), so an apply never ends without a wallpaper.
#include "platform/DesktopWallpaper.h"

class WinDesktopWallpaper : public IDesktopWallpaper {
public:
    bool ActiveDesktopAvailable() override;
    void Install(const std::string& path) override;
};
