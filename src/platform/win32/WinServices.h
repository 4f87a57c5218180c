#pragma once
// Win32 implementations of the small platform interfaces.
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Screen.h"

#include <functional>

class WinClock : public IClock {
public:
    double Now() override;
    std::string FormatDateTime(double moment) override;
    std::string FormatDate(double moment) override;
};

class WinScreen : public IScreen {
public:
    int Width() override;
    int Height() override;
    int BitsPerPixel() override;
};

// Message boxes with the caption "Muralto"; the input box is a small modal
// window of its own.
class TApplication;

class WinPrompts : public IPrompts {
public:
    explicit WinPrompts(TApplication& application) : application_(application) {}
    void Message(const std::string& text, TMessageKind kind) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    // Shows the dialog installed as PictureDialog (the program's picture
    // open dialog with its preview, which this layer does not know).
    std::optional<std::string> OpenPicture(const std::string& initialFolder) override;
    std::function<std::optional<std::string>(const std::string& initialFolder)> PictureDialog;
    // The shell's folder picker over the active window.
    std::optional<std::string> PickStartMenuFolder() override;
    std::optional<TPickedShellItem> PickShellItem() override;

private:
    TApplication& application_;
};

class WinFileSystem : public IFileSystem {
public:
    std::optional<TFindData> FindFirst(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::vector<uint8_t> ReadFile(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    std::optional<std::vector<TFindData>> ListFolder(const std::string& folder) override;
    void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
    bool Copy(const std::string& from, const std::string& to) override;
    void SendToRecycleBin(const std::string& path) override;
};

class WinSystemFolders : public ISystemFolders {
public:
    std::string ProgramFile() override;
    std::string WindowsDirectory() override;
    std::string SystemDirectory() override;
    // The system reads its start-up logo from the root of C:.
    std::string BootDrive() override { return "C:"; }
};
