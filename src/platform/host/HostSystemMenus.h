#pragma once
// Host implementations of the display modes and the screen saver settings:
// a mode list and settings that tests set up, and a record of every change
// asked for, so that nothing on the machine changes.
#include "platform/DisplayModes.h"
#include "platform/ScreenSaver.h"
#include "platform/Text.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class HostDisplayModes : public IDisplayModes {
public:
    std::optional<TDisplayMode> Mode(int index) override;
    // Refused for the indices in Refused and for those past the list.
    bool Test(int index) override;
    // Records the index; a mode that passes the trial becomes the current one.
    bool Change(int index) override;
    std::optional<TDisplayMode> Current() override { return CurrentMode; }

    std::vector<TDisplayMode> Modes;
    std::set<int> Refused;
    std::optional<TDisplayMode> CurrentMode;
    std::vector<int> Tested;
    std::vector<int> Changed;
};

class HostScreenSaverSettings : public IScreenSaverSettings {
public:
    bool NtFamily() override { return Nt; }
    bool Active() override { return ActiveFlag; }
    int Timeout() override { return TimeoutSeconds; }
    void SetActive(bool on) override;
    void SetTimeout(int seconds) override;
    void SetSecure(bool on) override;
    // Sections and keys compare without regard to case, as in an ini file.
    std::string ReadSystemIni(const std::string& section, const std::string& key) override;
    void WriteSystemIni(const std::string& section, const std::string& key, const std::string& value) override;
    void Open(const std::string& path, const std::string& currentDirectory) override;
    bool CanChangePassword() override { return PasswordDialog; }
    // Counted only where the dialog exists.
    void ChangePassword() override;

    bool Nt = true;
    bool ActiveFlag = false;
    int TimeoutSeconds = 0;
    std::optional<bool> Secure;
    bool PasswordDialog = false;
    int PasswordChanges = 0;
    // Every setter call in order ("Active 1", "Timeout 60", "Secure 0").
    std::vector<std::string> Calls;
    // The files opened, with the current directory they were opened in.
    std::vector<std::pair<std::string, std::string>> Opened;
    std::map<std::pair<std::string, std::string>, std::string> SystemIni;

private:
    static std::pair<std::string, std::string> IniName(const std::string& section, const std::string& key) {
        return {text::UpperCase(section), text::UpperCase(key)};
    }
};
