#include "platform/host/HostSystemMenus.h"

std::optional<TDisplayMode> HostDisplayModes::Mode(int index) {
    if (index < 0 || index >= static_cast<int>(Modes.size())) return std::nullopt;
    return Modes[static_cast<size_t>(index)];
}

bool HostDisplayModes::Test(int index) {
    Tested.push_back(index);
    return Mode(index).has_value() && Refused.count(index) == 0;
}

bool HostDisplayModes::Change(int index) {
    Changed.push_back(index);
    if (!Mode(index) || Refused.count(index) != 0) return false;
    CurrentMode = Modes[static_cast<size_t>(index)];
    return true;
}

void HostScreenSaverSettings::SetActive(bool on) {
    ActiveFlag = on;
    Calls.push_back(std::string("Active ") + (on ? "1" : "0"));
}

void HostScreenSaverSettings::SetTimeout(int seconds) {
    TimeoutSeconds = seconds;
    Calls.push_back("Timeout " + std::to_string(seconds));
}

void HostScreenSaverSettings::SetSecure(bool on) {
    Secure = on;
    Calls.push_back(std::string("Secure ") + (on ? "1" : "0"));
}

std::string HostScreenSaverSettings::ReadSystemIni(const std::string& section, const std::string& key) {
    const auto found = SystemIni.find(IniName(section, key));
    return found == SystemIni.end() ? std::string() : found->second;
}

void HostScreenSaverSettings::WriteSystemIni(const std::string& section, const std::string& key,
                                             const std::string& value) {
    SystemIni[IniName(section, key)] = value;
}

void HostScreenSaverSettings::Open(const std::string& path, const std::string& currentDirectory) {
    Opened.emplace_back(path, currentDirectory);
}

void HostScreenSaverSettings::ChangePassword() {
    if (PasswordDialog) ++PasswordChanges;
}
