#pragma once
// The notification-area icon. It survives a restart of the shell (it adds
// itself again on "TaskbarCreated"), keeps trying an add that failed, and
// reports clicks to its owner window as kTrayCallback messages.
#include "platform/win32/Handles.h"

#include <string>

class TRxTrayIcon {
public:
    static constexpr UINT kTrayCallback = WM_APP + 1;
    static constexpr UINT kIconId = 1;

    TRxTrayIcon() = default;
    ~TRxTrayIcon();
    TRxTrayIcon(const TRxTrayIcon&) = delete;
    TRxTrayIcon& operator=(const TRxTrayIcon&) = delete;

    void SetOwner(HWND owner) { owner_ = owner; }
    void SetIcon(HICON icon);
    void SetHint(const std::string& hint);
    const std::string& Hint() const { return hint_; }

    // Shows or removes the icon; Active() tells whether the user should see it.
    void SetActive(bool active);
    bool Active() const { return active_; }
    bool Shown() const { return shown_; }
    // Adds the icon again when the shell lost it or an earlier add failed.
    void Restore();
    // True for the message the shell broadcasts after it (re)starts.
    static bool IsTaskbarCreated(UINT message);

private:
    bool Notify(DWORD action);

    HWND owner_ = nullptr;
    HICON icon_ = nullptr; // not owned: the program's icon resource
    std::string hint_ = "Muralto";
    bool active_ = false;
    bool shown_ = false;
};
