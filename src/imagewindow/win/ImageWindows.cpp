#include "imagewindow/win/ImageWindows.h"

#include "app/Settings.h"

TImageWindows::TImageWindows(TApplication& application, TPlatform& platform, TImageWindowHooks hooks,
                             std::string programKey)
    : application_(application), platform_(platform), hooks_(std::move(hooks)), programKey_(std::move(programKey)) {}

TImageWindows::~TImageWindows() {
    for (TForm1*& window : windows_)
        if (window) window->DestroyHandle(); // deletes it and clears the entry
}

TForm1& TImageWindows::NewWindow() {
    windows_.remove(nullptr);
    windows_.push_back(nullptr);
    TForm1* window = new TForm1(application_, platform_, hooks_, programKey_);
    window->FreeOnRelease(windows_.back());
    return *window;
}

TForm1* TImageWindows::Last() const {
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (*it && !(*it)->Closing()) return *it;
    return nullptr;
}

int TImageWindows::Count() const {
    int count = 0;
    for (const TForm1* window : windows_) count += window != nullptr;
    return count;
}

TForm1& TImageWindows::Target(bool newWindow) {
    if (!newWindow && !settings::TSettings(platform_.Registry, programKey_).Read(settings::kMultipleWindows))
        if (TForm1* last = Last()) return *last;
    return NewWindow();
}

void TImageWindows::OpenFile(const std::string& path, bool newWindow) {
    Target(newWindow).OpenFile(path);
}

void TImageWindows::ShowCurrentWallpaper() {
    Target(false).ShowCurrentWallpaper();
}
