#include "app/ProgramPaths.h"

#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "platform/Shell.h"

#include <vector>

namespace {

std::vector<std::string> SplitElements(const std::string& path) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t at = path.find('\\', start);
        parts.push_back(path.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) break;
        start = at + 1;
    }
    return parts;
}

// A shell folder from the user's "Shell Folders" key. A value that is absent,
// empty or not a string gives the default: a broken entry must not make the
// program create folders at the root of a drive.
// Before the default, the shell is asked: the NT family does not always keep
// every value there.
std::string ShellFolder(TRegistry& shellFolders, bool opened, const char* name, IShell* shell, TKnownFolder known,
                        const char* def) {
    if (opened) {
        const auto value = shellFolders.ReadValue(name);
        if (value && reg::IsStringType(value->Type)) {
            const std::string path = reg::StringOf(*value);
            if (!path.empty()) return path;
        }
    }
    if (shell) {
        const std::string path = shell->KnownFolderPath(known);
        if (!path.empty()) return path;
    }
    return def;
}

} // namespace

std::string ShortPath(IFileSystem& files, const std::string& path) {
    const auto parts = SplitElements(path);
    std::string result = parts.front();
    std::string longSoFar = parts.front();
    for (size_t i = 1; i < parts.size(); ++i) {
        longSoFar += "\\" + parts[i];
        std::string element;
        if (!parts[i].empty()) {
            if (const auto found = files.FindFirst(longSoFar))
                element = found->AlternateName.empty() ? found->LongName : found->AlternateName;
        }
        result += "\\" + element;
    }
    return result;
}

std::string ExtractFilePath(const std::string& fileName) {
    const size_t at = fileName.find_last_of("\\:");
    return at == std::string::npos ? std::string() : fileName.substr(0, at + 1);
}

std::string FolderPart(const std::string& path) {
    const size_t cut = path.find_last_of("\\:");
    if (cut == std::string::npos) return std::string();
    if (path[cut] == ':') return path.substr(0, cut + 1);
    // The backslash stays after a colon or another backslash.
    if (cut > 0 && (path[cut - 1] == ':' || path[cut - 1] == '\\')) return path.substr(0, cut + 1);
    return path.substr(0, cut);
}

TProgramPaths ComputeProgramPaths(TPlatform& platform) {
    TProgramPaths paths;
    paths.ProgramFolder = ExtractFilePath(platform.Folders.ProgramFile());
    paths.WindowsFolder = platform.Folders.WindowsDirectory();
    while (paths.WindowsFolder.size() > 3 && paths.WindowsFolder.back() == '\\') paths.WindowsFolder.pop_back();

    TRegistry shell(platform.Registry, reg::Root::CurrentUser);
    const bool opened = shell.OpenKeyReadOnly(regnames::kShellFoldersKey);
    IShell* known = platform.Shell;
    paths.StartMenuFolder = ShellFolder(shell, opened, regnames::kShellStartMenu, known, TKnownFolder::StartMenu,
                                        "C:\\WINDOWS\\Start Menu");
    paths.StartupFolder = ShellFolder(shell, opened, regnames::kShellStartup, known, TKnownFolder::Startup,
                                      "C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    paths.ProgramsFolder = ShellFolder(shell, opened, regnames::kShellPrograms, known, TKnownFolder::Programs,
                                       "C:\\WINDOWS\\Start Menu\\Programs");
    paths.DesktopFolder = ShellFolder(shell, opened, regnames::kShellDesktop, known, TKnownFolder::Desktop,
                                      "C:\\WINDOWS\\Desktop");

    // The registration tool lives in the system directory on every Windows
    // that still runs this program, not in the Windows folder's "System".
    std::string system = platform.Folders.SystemDirectory();
    while (!system.empty() && system.back() == '\\') system.pop_back();
    paths.RegSvrPath = ShortPath(platform.Files, system) + "\\Regsvr32.exe";
    std::string folder = paths.ProgramFolder;
    if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    paths.ExtensionPath = ShortPath(platform.Files, folder) + "\\kelpfold.dll";
    return paths;
}
