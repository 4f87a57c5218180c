#include "systemmenus/win/WinScreenSaver.h"

#include "platform/win32/Handles.h"
#include "platform/win32/WinServices.h"

#include <shellapi.h>

#include <vector>

namespace {

constexpr UINT kUpdateProfile = SPIF_UPDATEINIFILE | SPIF_SENDCHANGE;
// The password dialog's provider name for the screen saver.
constexpr const char* kPasswordProvider = "SCRSAVE";

using win::UniqueLibrary;

using TPwdChangePassword = DWORD(WINAPI*)(LPCSTR provider, HWND owner, DWORD reserved1, DWORD reserved2);

// The networking library from the system folder (the Windows folder's
// "System" on Windows 9x, the system directory on the NT family).
UniqueLibrary LoadMpr() {
    const std::wstring path = win::Wide(WinSystemFolders().SystemDirectory() + "\\MPR.DLL");
    return UniqueLibrary(LoadLibraryW(path.c_str()));
}

TPwdChangePassword PasswordFunction(const UniqueLibrary& library) {
    if (!library) return nullptr;
    // Through void* so the compiler accepts the change of function type.
    return reinterpret_cast<TPwdChangePassword>(
        reinterpret_cast<void*>(GetProcAddress(library.Get(), "PwdChangePasswordA")));
}

std::wstring SystemIniPath() {
    return win::Wide(WinSystemFolders().WindowsDirectory() + "\\System.ini");
}

} // namespace

bool WinScreenSaverSettings::NtFamily() {
    return (GetVersion() & 0x80000000u) == 0;
}

bool WinScreenSaverSettings::Active() {
    BOOL on = FALSE;
    return SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &on, 0) && on;
}

int WinScreenSaverSettings::Timeout() {
    INT seconds = 0;
    if (!SystemParametersInfoW(SPI_GETSCREENSAVETIMEOUT, 0, &seconds, 0)) return 0;
    return seconds;
}

void WinScreenSaverSettings::SetActive(bool on) {
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, on ? TRUE : FALSE, nullptr, kUpdateProfile);
}

void WinScreenSaverSettings::SetTimeout(int seconds) {
    SystemParametersInfoW(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(seconds), nullptr, kUpdateProfile);
}

void WinScreenSaverSettings::SetSecure(bool on) {
    SystemParametersInfoW(SPI_SETSCREENSAVESECURE, on ? TRUE : FALSE, nullptr, kUpdateProfile);
}

std::string WinScreenSaverSettings::ReadSystemIni(const std::string& section, const std::string& key) {
    const std::wstring file = SystemIniPath(), wideSection = win::Wide(section), wideKey = win::Wide(key);
    // The call cuts a value that does not fit to size - 1 characters.
    for (DWORD size = 260;; size *= 4) {
        std::vector<wchar_t> buffer(size);
        const DWORD n =
            GetPrivateProfileStringW(wideSection.c_str(), wideKey.c_str(), L"", buffer.data(), size, file.c_str());
        if (n + 1 < size || size >= 65536) return win::Utf8(std::wstring(buffer.data(), n));
    }
}

void WinScreenSaverSettings::WriteSystemIni(const std::string& section, const std::string& key,
                                            const std::string& value) {
    WritePrivateProfileStringW(win::Wide(section).c_str(), win::Wide(key).c_str(), win::Wide(value).c_str(),
                               SystemIniPath().c_str());
}

void WinScreenSaverSettings::Open(const std::string& path, const std::string& currentDirectory) {
    if (!currentDirectory.empty()) SetCurrentDirectoryW(win::Wide(currentDirectory).c_str());
    ShellExecuteW(owner_, L"open", win::Wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool WinScreenSaverSettings::CanChangePassword() {
    const UniqueLibrary library = LoadMpr();
    return PasswordFunction(library) != nullptr;
}

void WinScreenSaverSettings::ChangePassword() {
    const UniqueLibrary library = LoadMpr();
    const TPwdChangePassword change = PasswordFunction(library);
    if (!change) return;
    const bool wasVisible = owner_ && IsWindowVisible(owner_);
    change(kPasswordProvider, owner_, 0, 0);
    if (owner_ && !wasVisible) ShowWindow(owner_, SW_HIDE);
}
