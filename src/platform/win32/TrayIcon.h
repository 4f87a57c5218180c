#pragma once
// The notification-area icon. It survives a restart of the shell (it adds
// itself again on "TaskbarCreated"), keeps trying an add that failed, and
// reports clicks to its owner window as kTrayCallback messages.
#include "platform/DesktopWallpaper.h"
#include "platform/win32/Handles.h"

#include <string>

class TRxTrayIcon : public ITrayNotice {
public:
    static constexpr UINT kTrayCallback = WM_APP + 1;
    static constexpr UINT kIconId = 1;

    TRxTrayIcon() = default;
    ~TRxTrayIcon();
    TRxTrayIcon(const TRxTrayIcon&) = delete;
    TRxTrayIcon& operator=(const TRxTrayIcon&) = delete;

    void SetOwner(HWND owner) { owner_ = owner; }
    void SetIcon(HICON icon);
    const std::string& Hint() const { return hint_; }

    // Shows or removes the icon; Active() tells whether the user should see it.
    void SetActive(bool active);
    bool Active() const { return active_; }
    bool Shown() const { return shown_; }
    // Adds the icon again when the shell lost it or an earlier add failed.
    void Restore();
    // True for the message the shell broadcasts after it (re)starts.
    static bool IsTaskbarCreated(UINT message);

    // The notice while the wallpaper changes: a busy picture and text, and
    // no menu until the program's icon and hint come back.
    void SetBusyIcon(HICON icon) { busyIcon_ = icon; }
    void ShowBusy(const std::string& text) override;
    void ShowIdle(const std::string& hint) override;
    void SetHint(const std::string& hint) override;
    bool Busy() const { return busy_; }

private:
    bool Notify(DWORD action);

    HWND owner_ = nullptr;
    HICON icon_ = nullptr; // not owned: the program's icon resource
    HICON normalIcon_ = nullptr, busyIcon_ = nullptr;
    bool busy_ = false;
    std::string hint_ = "Muralto";
    bool active_ = false;
    bool shown_ = false;
};
