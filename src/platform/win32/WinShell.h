#pragma once
// The shell seam over the Windows shell: folders through the file calls,
// links through the shell's link object, notices, the "Open" verb, delayed
// deletions and the folders the shell knows.
//
// Links are COM objects: the calling thread must have COM initialised (the
// program's entry does that for its one thread before any window exists).
#include <windows.h>

#include "platform/Shell.h"

class WinShell : public IShell {
public:
    bool CreateFolder(const std::string& path) override;
    bool RemoveFolder(const std::string& path) override;
    bool RenameFolder(const std::string& from, const std::string& to) override;
    bool RemoveFile(const std::string& path) override;

    // A link object of the shell, or null when it cannot be made (COM not
    // initialised on this thread, the class not available).
    std::unique_ptr<IShellLinkFile> NewLink() override;
    // The file system path the link leads to (the desktop's is its folder);
    // for a link to a namespace folder without one, that folder's parsing
    // name from the desktop: "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}" for
    // My Computer, in the letter case the shell chooses (Wine's is lower),
    // so compare it without regard to case. Empty when the file cannot be
    // loaded as a link or names no target.
    std::string LinkTarget(const std::string& linkPath) override;

    void Notify(TShellChange change, const std::string& path = {}) override;
    void OpenVerb(const std::string& program, const std::string& parameters) override;
    bool DeleteAtRestart(const std::string& path) override;
    std::string KnownFolderPath(TKnownFolder folder) override;
};
