#pragma once
// The screen saver settings through the system parameters, the Windows
// folder's System.ini, the shell and the networking library's password
// dialog.
#include "platform/ScreenSaver.h"

#include <windows.h>

class WinScreenSaverSettings : public IScreenSaverSettings {
public:
    // The owner of the windows it opens (the main form); may be set later.
    explicit WinScreenSaverSettings(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }

    bool NtFamily() override;
    bool Active() override;
    int Timeout() override;
    void SetActive(bool on) override;
    void SetTimeout(int seconds) override;
    void SetSecure(bool on) override;
    std::string ReadSystemIni(const std::string& section, const std::string& key) override;
    // A System.ini the user may not write (the NT family's, for a user who
    // is not an administrator) is left as it is.
    void WriteSystemIni(const std::string& section, const std::string& key, const std::string& value) override;
    void Open(const std::string& path, const std::string& currentDirectory) override;
    bool CanChangePassword() override;
    // A hidden owner stays hidden: the dialog must not leave it on screen.
    void ChangePassword() override;

private:
    HWND owner_;
};
