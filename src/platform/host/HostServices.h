#pragma once
// Host implementations of the small platform interfaces. They are real code
// with settable state, so tests can fix the moment, the screen and the answers
// to prompts.
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Prompts.h"
#include "platform/Screen.h"

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// The local wall clock, or a fixed moment once Set was called.
class HostClock : public IClock {
public:
    double Now() override;
    // Fixed formats: "yyyy-mm-dd hh:nn:ss".
    std::string FormatDateTime(double moment) override;
    // "yyyy-mm-dd".
    std::string FormatDate(double moment) override;
    void Set(double moment) { fixed_ = moment; }

private:
    std::optional<double> fixed_;
};

class HostScreen : public IScreen {
public:
    HostScreen(int width = 1024, int height = 768, int bitsPerPixel = 32)
        : width_(width), height_(height), bitsPerPixel_(bitsPerPixel) {}
    int Width() override { return width_; }
    int Height() override { return height_; }
    int BitsPerPixel() override { return bitsPerPixel_; }
    void Resize(int width, int height) { width_ = width, height_ = height; }
    void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }

private:
    int width_, height_, bitsPerPixel_;
};

// Records every prompt and answers from queues; an unanswered question is
// answered No (or cancelled), so a test never waits.
class ScriptedPrompts : public IPrompts {
public:
    struct Shown {
        std::string Text;
        TMessageKind Kind;
    };

    void Message(const std::string& text, TMessageKind kind) override;
    bool Confirm(const std::string& text) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
    std::optional<std::string> OpenPicture(const std::string& initialFolder) override;
    std::optional<std::string> PickStartMenuFolder() override;
    std::optional<TPickedShellItem> PickShellItem() override;

    std::vector<Shown> Messages;
    std::vector<std::string> Questions;
    std::deque<bool> ConfirmAnswers;
    std::deque<std::optional<std::string>> InputAnswers;
    // The folders the open dialog started in, and its answers (none left:
    // the user cancels).
    std::vector<std::string> PictureFolders;
    std::deque<std::optional<std::string>> PictureAnswers;
    // The folder pickers shown, named by their root ("Start Menu" or
    // "Desktop"), and the answers of each (none left: the user cancels).
    std::vector<std::string> FolderPickers;
    std::deque<std::optional<std::string>> StartMenuFolderAnswers;
    std::deque<std::optional<TPickedShellItem>> ShellItemAnswers;
};

// Windows paths over a real folder: "C:\A\b.txt" is ROOT/C/A/b.txt. Each
// element is matched without regard to case, as Windows does. The host keeps
// no 8.3 names, like an NTFS volume with short names switched off.
class HostFileSystem : public IFileSystem {
public:
    explicit HostFileSystem(std::filesystem::path root) : root_(std::move(root)) {}
    std::optional<TFindData> FindFirst(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool DirectoryExists(const std::string& path) override;
    std::vector<uint8_t> ReadFile(const std::string& path) override;
    std::vector<std::string> ListFiles(const std::string& folder) override;
    std::optional<std::vector<TFindData>> ListFolder(const std::string& folder) override;
    void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) override;
    bool Copy(const std::string& from, const std::string& to) override;
    void SendToRecycleBin(const std::string& path) override;

    // The host path a Windows path stands for (existing elements matched
    // without regard to case; the rest taken as written).
    std::filesystem::path HostPath(const std::string& windowsPath) const;

private:
    std::filesystem::path root_;
};

class HostSystemFolders : public ISystemFolders {
public:
    std::string ProgramFile() override { return programFile; }
    std::string WindowsDirectory() override { return windowsDirectory; }
    std::string SystemDirectory() override { return systemDirectory; }
    std::string BootDrive() override { return bootDrive; }

    std::string programFile = "C:\\Program Files\\Muralto\\Muralto.exe";
    std::string windowsDirectory = "C:\\WINDOWS";
    std::string systemDirectory = "C:\\WINDOWS\\system32";
    std::string bootDrive = "C:";
};
