#pragma once
// Everything the program writes into the shell outside its own settings:
// the file types and the "View with Muralto" verb, the Start-menu shortcuts
// and folders, the My Computer pointer, the registration of the folder
// pointer extension, the uninstall entry, and the uninstall itself. It runs
// at every start, when the properties dialog is confirmed, and for "/u".
#include "app/MachineKeys.h"
#include "app/ProgramPaths.h"
#include "platform/Platform.h"
#include "platform/Shell.h"

#include <array>
#include <functional>
#include <string>

namespace shellnames {
inline constexpr const char* kFileType = "Muralto";
inline constexpr const char* kIconFileType = "MuraltoNoIcon"; // icons show themselves
inline constexpr const char* kVerb = "View with Muralto";
inline constexpr const char* kPointerClassKey = "CLSID\\{fa6c62a0-9fe5-11d2-9e61-444553540000}";
inline constexpr const char* kControlPanel = "Control Panel.{21EC2020-3AEA-1069-A2DD-08002B30309D}";
inline constexpr const char* kPrinters = "Printers.{2227A280-3AEA-1069-A2DE-08002B30309D}";
inline constexpr const char* kShortcut = "Muralto.lnk";
inline constexpr const char* kDisplayName = "Muralto 2.5";
inline constexpr const char* kRestartMessage = "To complete the removal you must restart Windows.";
} // namespace shellnames

// "\"C:\Program Files\Muralto\Muralto.exe\" \"%1\"".
std::string CommandString(const std::string& programPath);
// The program path and " /u", without quotes.
std::string UninstallString(const std::string& programPath);
// One of the program's two file types (the exact spelling counts).
bool IsOurType(const std::string& type);
// A key's default value as text; a value of another type reads as empty.
std::string DefaultText(reg::IKey& key);

// The shared shell operations.
// On: the folder is made when missing (with its notice); off: it is removed
// when empty, and the notice goes out either way.
void SetStartMenuFolder(IShell& shell, IFileSystem& files, const std::string& path, bool on);
// folder + "\Muralto.lnk": on writes a link to the target over any file of
// that name, off deletes it; each with its notice.
void SetProgramShortcut(IShell& shell, const std::string& folder, const std::string& target, bool on);
void NotifyAssociationsChanged(IShell& shell);
void NotifyFolderUpdated(IShell& shell, const std::string& path);

// The Start page's four boxes.
struct TStartPage {
    bool ControlPanel = false;
    bool Printers = false;
    bool Launch = false;   // the StartUp shortcut
    bool Programs = false; // the Programs shortcut
};

// The Shell page: the eight rows of the extension list and the verb's box.
struct TShellPage {
    std::array<bool, 8> Rows{}; // JPG JPE JPEG, GIF, PCX, BMP, ICO, EMF WMF, PNG, WEBP
    bool OpenWith = false;
};

// The Shell page's extensions in the order it handles them, each with its
// row: ".jpg" ".jpe" ".jpeg" 0, ".gif" 1, ".pcx" 2, ".bmp" 3, ".ico" 4,
// ".emf" ".wmf" 5, ".png" 6, ".webp" 7.
struct TExtensionRow {
    const char* Extension;
    int Row;
};
inline constexpr TExtensionRow kExtensionRows[] = {{".jpg", 0}, {".jpe", 0}, {".jpeg", 0}, {".gif", 1},
                                                   {".pcx", 2}, {".bmp", 3}, {".ico", 4},  {".emf", 5},
                                                   {".wmf", 5}, {".png", 6}, {".webp", 7}};

class TShellIntegration {
public:
    TShellIntegration(TPlatform& platform, IShell& shell, const TProgramPaths& paths, TMachineKeys keys);

    // At every start, before the settings are read: existing shortcuts
    // point at this program again, then the registration steps run.
    void RewriteExistingShortcuts();
    void StartupRegistration();
    // The first start's extras (after the settings are read); help is the
    // help contents' request.
    void FirstRun(bool activeDesktop, const std::function<void()>& openHelp);
    // The Start menu's "My Computer" pointer; false when the shell could
    // not make its link (nothing is created then).
    bool CreateMyComputerPointer();

    void ApplyStartPage(const TStartPage& page);
    void ApplyShellPage(const TShellPage& page);
    // Everything above taken away again; the caller ends the program.
    void Uninstall();

    const TMachineKeys& Keys() const { return keys_; }

private:
    std::string ProgramPath() const;
    std::string StartMenuItem(const char* name) const;
    // The extension's file type, restored from the backup where the program
    // took it (machine keys), or the user's own value deleted so that the
    // machine's shows again (per-user keys). True when it was the program's.
    bool RestoreAssociation(const std::string& extension);
    void WriteVerb(const std::string& extension, const std::string& fileType);
    void DeleteVerb(const std::string& key);
    void SetOpenWithProgid(const std::string& extension, bool on);
    void ScheduleDeletions();

    TPlatform& platform_;
    IShell& shell_;
    TProgramPaths paths_;
    TMachineKeys keys_;
};
