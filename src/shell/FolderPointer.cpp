#include "shell/FolderPointer.h"

bool CreateFolderPointer(IShell& shell, const std::string& base,
                         const std::function<bool(IShellLinkFile& link)>& setTarget) {
    const std::unique_ptr<IShellLinkFile> link = shell.NewLink();
    // The target is set before anything exists on disk, so a target the
    // shell cannot name leaves nothing behind.
    if (!link || !setTarget(*link)) return false;
    if (!shell.CreateFolder(base)) return false;
    if (!link->Save(base + "\\" + kFolderPointerLink)) return false;
    const std::string pointer = base + kFolderPointerSuffix;
    if (!shell.RenameFolder(base, pointer)) return false;
    shell.Notify(TShellChange::UpdateDir, pointer);
    return true;
}
