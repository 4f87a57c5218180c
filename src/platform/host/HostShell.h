#pragma once
// The shell over the host file system: folders and links are real entries
// below the HostFileSystem's root, so the integration's steps leave what a
// test can look at; everything the Windows shell would only be told or asked
// to do (notices, programs started, deletions at the next start) is recorded.
// Switches make the shell refuse what Windows can refuse.
#include "platform/Shell.h"
#include "platform/host/HostServices.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// An item of the host's namespace: only its name, which a link to it reports
// as its target.
class HostShellItem : public INamespaceItem {
public:
    explicit HostShellItem(std::string name) : Name(std::move(name)) {}
    const std::string Name;
};

class HostShell : public IShell {
public:
    // The targets a link to a namespace folder reports. My Computer's is the
    // parsing name the Windows shell gives it (which callers compare without
    // regard to case); the Windows shell reports the desktop by its folder's
    // path, the host by the desktop's class name.
    static constexpr const char* kMyComputer = "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";
    static constexpr const char* kDesktop = "::{00021400-0000-0000-C000-000000000046}";

    explicit HostShell(HostFileSystem& files) : files_(files) {}

    bool CreateFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool RenameFolder(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;

    std::unique_ptr<IShellLinkFile> NewLink() override;
    std::string LinkTarget(const std::string& linkPath) override;

    void Notify(TShellChange change, const std::string& path = {}) override;
    void OpenVerb(const std::string& program, const std::string& parameters) override;
    bool DeleteAtRestart(const std::string& path) override;
    std::string KnownFolderPath(TKnownFolder folder) override;

    // Every notice in the order sent (the path empty where none was given).
    std::vector<std::pair<TShellChange, std::string>> Notices;
    // Every program started through the "Open" verb, with its parameters.
    std::vector<std::pair<std::string, std::string>> Started;
    // The paths whose deletion was scheduled (refused ones are not here).
    std::vector<std::string> ScheduledDeletions;

    bool FailNewLink = false;         // the shell cannot make a link object
    bool FailMyComputer = false;      // the shell cannot name My Computer
    bool FailDeleteAtRestart = false; // the system refuses delayed deletions
    // The answers of KnownFolderPath; a folder not here has no answer.
    std::map<TKnownFolder, std::string> KnownFolders;

    // The first line of every link file this shell writes; a file without
    // it is no link.
    static constexpr const char* kLinkHeader = "[HostShellLink]";

private:
    HostFileSystem& files_;
};
