#pragma once
// What the shell integration asks of the Windows shell outside the registry:
// folders made, removed and renamed, shell links written, the shell told
// what changed, programs started through the "Open" verb, deletions
// scheduled for the next start of Windows, and the folders the shell knows.
// The host implementation works on the host file system and records the
// rest, so the integration's steps can be checked without Windows.
#include <memory>
#include <string>

// The shell change notices the program sends; every item is a path.
enum class TShellChange {
    MakeDir,             // SHCNE_MKDIR
    RemoveDir,           // SHCNE_RMDIR
    Create,              // SHCNE_CREATE
    Delete,              // SHCNE_DELETE
    UpdateDir,           // SHCNE_UPDATEDIR
    AssociationsChanged, // SHCNE_ASSOCCHANGED with the flush flag, no item
};

// Folders the shell can name when "Shell Folders" holds no value.
enum class TKnownFolder { StartMenu, Startup, Programs, Desktop, LocalAppData };

// An identifier list picked in the shell's namespace (the folder picker's
// answer), owned by the platform that made it.
class INamespaceItem {
public:
    virtual ~INamespaceItem() = default;
};

// A shell link object: its target set, then saved as a file. The link has
// nothing else set (no arguments, working directory, description, hot key
// or icon).
class IShellLinkFile {
public:
    virtual ~IShellLinkFile() = default;
    virtual void SetTarget(const std::string& path) = 0;
    // An item of the namespace; null stands for the desktop (an empty list).
    virtual void SetTarget(const INamespaceItem* item) = 0;
    // My Computer; false when the shell cannot name it.
    virtual bool SetTargetMyComputer() = 0;
    // Replaces any file of that name; false when the file cannot be written.
    virtual bool Save(const std::string& path) = 0;
};

class IShell {
public:
    virtual ~IShell() = default;

    // A folder and every missing folder above it; false when it cannot be made.
    virtual bool CreateFolder(const std::string& path) = 0;
    // Only an empty folder is removed; false when it stays.
    virtual bool RemoveFolder(const std::string& path) = 0;
    virtual bool RenameFolder(const std::string& from, const std::string& to) = 0;
    // False when the file did not exist or could not be deleted.
    virtual bool RemoveFile(const std::string& path) = 0;

    // A new link object; null when the shell cannot make one.
    virtual std::unique_ptr<IShellLinkFile> NewLink() = 0;
    // The target path of a saved link; empty when it cannot be read.
    virtual std::string LinkTarget(const std::string& linkPath) = 0;

    virtual void Notify(TShellChange change, const std::string& path = {}) = 0;

    // Starts the program through the shell's "Open" verb, shown normally,
    // without waiting for it; its outcome is not looked at.
    virtual void OpenVerb(const std::string& program, const std::string& parameters) = 0;

    // Schedules the file's deletion at the next start of Windows (the NT
    // family's delayed move); false where the system refuses it.
    virtual bool DeleteAtRestart(const std::string& path) = 0;

    // The folder as the shell reports it; empty when it cannot.
    virtual std::string KnownFolderPath(TKnownFolder folder) = 0;
};
