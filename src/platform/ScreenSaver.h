#pragma once
// The system's screen saver settings the program reads and changes: the
// system parameters, the Windows folder's System.ini, starting a screen saver
// and the password dialog of the networking library.
#include <string>

class IScreenSaverSettings {
public:
    virtual ~IScreenSaverSettings() = default;
    // True on the Windows NT family, where the screen saver is also named in
    // the user's registry and its password is the system's secure flag.
    virtual bool NtFamily() = 0;

    // Whether the screen saver starts at all.
    virtual bool Active() = 0;
    // The waiting time before it starts, in seconds.
    virtual int Timeout() = 0;
    // The setters update the user profile and tell every window.
    virtual void SetActive(bool on) = 0;
    virtual void SetTimeout(int seconds) = 0;
    // The NT family's "ask for the password on resume".
    virtual void SetSecure(bool on) = 0;

    // A key of the Windows folder's System.ini; empty when it is missing.
    virtual std::string ReadSystemIni(const std::string& section, const std::string& key) = 0;
    virtual void WriteSystemIni(const std::string& section, const std::string& key, const std::string& value) = 0;

    // Makes the folder the current directory (when not empty) and opens the
    // file with the shell verb "open", shown normally.
    virtual void Open(const std::string& path, const std::string& currentDirectory) = 0;

    // True when the system's networking library has its screen saver
    // password dialog (Windows 9x only).
    virtual bool CanChangePassword() = 0;
    // Shows that dialog; nothing where it does not exist.
    virtual void ChangePassword() = 0;
};
