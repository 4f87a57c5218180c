#pragma once
// The image windows of the program: which one a picture opens in, and the
// end of those still open when the program ends. A window frees itself when
// applied or closed; its entry here is cleared then.
#include "imagewindow/win/Unit1.h"

#include <list>
#include <string>

class TImageWindows {
public:
    TImageWindows(TApplication& application, TPlatform& platform, TImageWindowHooks hooks,
                  std::string programKey = regnames::kProgramKey);
    // Destroys the windows still open.
    ~TImageWindows();
    TImageWindows(const TImageWindows&) = delete;
    TImageWindows& operator=(const TImageWindows&) = delete;

    // Opens the picture in a new window, or, unless newWindow is asked for
    // or "MultipleWindows" is on, in the newest window that is not closing.
    void OpenFile(const std::string& path, bool newWindow);
    // The desktop's wallpaper, chosen the same way.
    void ShowCurrentWallpaper();

    // The window a picture opens in now (a new one when none may be reused).
    TForm1& Target(bool newWindow);
    // The newest window that is not closing, or none.
    TForm1* Last() const;
    int Count() const;

private:
    TForm1& NewWindow();

    TApplication& application_;
    TPlatform& platform_;
    TImageWindowHooks hooks_;
    std::string programKey_;
    // Oldest first; a window's entry turns null when the window goes.
    std::list<TForm1*> windows_;
};
