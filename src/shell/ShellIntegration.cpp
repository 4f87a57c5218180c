#include "shell/ShellIntegration.h"

#include "app/Extra.h"
#include "app/RegistryNames.h"
#include "engine/Wallpaper.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "shell/FolderPointer.h"
#include "shell/WinInit.h"

#include <algorithm>
#include <memory>

using reg::Root;
using namespace shellnames;

namespace {

// The extensions in the order each moment handles them.
// PNG and WebP came later and follow the others everywhere.
constexpr const char* kStartupOrder[] = {".jpg", ".jpe", ".jpeg", ".gif", ".bmp", ".ico",
                                         ".pcx", ".wmf", ".emf",  ".png", ".webp"};
constexpr const char* kUninstallOrder[] = {".jpg", ".jpe", ".jpeg", ".gif", ".bmp", ".ico",
                                           ".pcx", ".wmf", ".emf",  ".png", ".webp"};

const char* WantedType(const std::string& extension) {
    return extension == ".ico" ? kIconFileType : kFileType;
}

std::string VerbKey(const std::string& key) {
    return reg::JoinPath(reg::JoinPath(key, "Shell"), kVerb);
}

} // namespace

std::string CommandString(const std::string& programPath) {
    return "\"" + programPath + "\" \"%1\"";
}

std::string UninstallString(const std::string& programPath) {
    return programPath + " /u";
}

bool IsOurType(const std::string& type) {
    return type == kFileType || type == kIconFileType;
}

std::string DefaultText(reg::IKey& key) {
    reg::Value value;
    if (!key.QueryValue("", value) || !reg::IsStringType(value.Type)) return std::string();
    return reg::StringOf(value);
}

void SetStartMenuFolder(IShell& shell, IFileSystem& files, const std::string& path, bool on) {
    if (on) {
        if (files.DirectoryExists(path) || !shell.CreateFolder(path)) return;
        shell.Notify(TShellChange::MakeDir, path);
        return;
    }
    shell.RemoveFolder(path);
    shell.Notify(TShellChange::RemoveDir, path);
}

void SetProgramShortcut(IShell& shell, const std::string& folder, const std::string& target, bool on) {
    const std::string link = folder + "\\" + kShortcut;
    if (on) {
        std::unique_ptr<IShellLinkFile> file = shell.NewLink();
        if (!file) return;
        file->SetTarget(target);
        if (!file->Save(link)) return;
        shell.Notify(TShellChange::Create, link);
        return;
    }
    shell.RemoveFile(link);
    shell.Notify(TShellChange::Delete, link);
}

void NotifyAssociationsChanged(IShell& shell) {
    shell.Notify(TShellChange::AssociationsChanged);
}

void NotifyFolderUpdated(IShell& shell, const std::string& path) {
    shell.Notify(TShellChange::UpdateDir, path);
}

TShellIntegration::TShellIntegration(TPlatform& platform, IShell& shell, const TProgramPaths& paths,
                                     TMachineKeys keys)
    : platform_(platform), shell_(shell), paths_(paths), keys_(keys) {}

std::string TShellIntegration::ProgramPath() const {
    return platform_.Folders.ProgramFile();
}

std::string TShellIntegration::StartMenuItem(const char* name) const {
    return paths_.StartMenuFolder + "\\" + name;
}

void TShellIntegration::RewriteExistingShortcuts() {
    for (const std::string* folder : {&paths_.StartupFolder, &paths_.ProgramsFolder})
        if (platform_.Files.FileExists(*folder + "\\" + kShortcut))
            SetProgramShortcut(shell_, *folder, ProgramPath(), true);
}

void TShellIntegration::StartupRegistration() {
    reg::IRegistry& registry = platform_.Registry;
    // 1. The folder pointer extension registers itself, silently.
    if (!registry.Open(Root::ClassesRoot, kPointerClassKey, false))
        shell_.OpenVerb(paths_.RegSvrPath, "/s " + paths_.ExtensionPath);
    // 2. and 3. The first run was noted before the machine key was made.
    bool openWith = false;
    {
        TRegIniFiles machine(registry, regnames::kProgramKey, Root::LocalMachine);
        openWith = machine.ReadInteger(regnames::kOptions, "OpenWith", 0) == 1;
    }
    // 4. Lists of older versions.
    MigrateOldLists(registry);
    // 5. Older versions started from the Run key; a standard user may not
    // change it, which is left as it is.
    if (auto run = registry.Open(Root::LocalMachine, regnames::kRunKey, true)) {
        reg::Value value;
        if (run->QueryValue("Muralto", value)) run->DeleteValue("Muralto");
    }
    // 6. The entry in the list of installed programs.
    if (auto uninstall = registry.Create(Root::LocalMachine, regnames::kUninstallKey)) {
        uninstall->SetValue("DisplayName", reg::StringValue(kDisplayName));
        uninstall->SetValue("UninstallString", reg::StringValue(UninstallString(ProgramPath())));
    }
    // 7. The verb on every picture type.
    if (openWith) {
        for (const char* extension : kStartupOrder) {
            const auto key = registry.Create(Root::ClassesRoot, extension);
            WriteVerb(extension, key ? DefaultText(*key) : std::string());
        }
    }
    // 8. The two file types, naming this program's current path.
    const std::string command = CommandString(ProgramPath());
    const struct {
        const char* Key;
        std::string Text;
    } types[] = {
        {kFileType, "Muralto File"},
        {"Muralto\\DefaultIcon", ProgramPath() + ",0"},
        {"Muralto\\Shell\\Open\\Command", command},
        {kIconFileType, "Muralto File"},
        {"MuraltoNoIcon\\DefaultIcon", "%1"},
        {"MuraltoNoIcon\\Shell\\Open\\Command", command},
    };
    for (const auto& type : types)
        if (auto key = registry.Create(Root::ClassesRoot, type.Key)) key->SetValue("", reg::StringValue(type.Text));
}

void TShellIntegration::FirstRun(bool activeDesktop, const std::function<void()>& openHelp) {
    if (activeDesktop) {
        if (!platform_.Files.DirectoryExists(StartMenuItem("My Computer") + kFolderPointerSuffix)) CreateMyComputerPointer();
    } else {
        SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kControlPanel), true);
        SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kPrinters), true);
    }
    SetProgramShortcut(shell_, paths_.StartupFolder, ProgramPath(), true);
    if (openHelp) openHelp();
}

bool TShellIntegration::CreateMyComputerPointer() {
    return CreateFolderPointer(shell_, StartMenuItem("My Computer"),
                               [](IShellLinkFile& link) { return link.SetTargetMyComputer(); });
}

void TShellIntegration::ApplyStartPage(const TStartPage& page) {
    SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kControlPanel), page.ControlPanel);
    SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kPrinters), page.Printers);
    SetProgramShortcut(shell_, paths_.StartupFolder, ProgramPath(), page.Launch);
    SetProgramShortcut(shell_, paths_.ProgramsFolder, ProgramPath(), page.Programs);
}

bool TShellIntegration::RestoreAssociation(const std::string& extension) {
    reg::IRegistry& registry = platform_.Registry;
    const auto key = registry.Create(Root::ClassesRoot, extension);
    if (!key || !IsOurType(DefaultText(*key))) return false;
    if (keys_.PerUser) {
        // The user's own value goes; the machine's type shows through again.
        key->DeleteValue("");
        return true;
    }
    std::string restored;
    if (extension == ".ico") {
        restored = "icofile";
    } else if (auto backup = registry.Open(Root::LocalMachine,
                                           reg::JoinPath(regnames::kProgramKey, regnames::kExtensionsBackup), false)) {
        reg::Value value;
        if (backup->QueryValue(extension, value) && reg::IsStringType(value.Type)) restored = reg::StringOf(value);
    }
    key->SetValue("", reg::StringValue(restored));
    return true;
}

void TShellIntegration::WriteVerb(const std::string& extension, const std::string& fileType) {
    reg::IRegistry& registry = platform_.Registry;
    const reg::Value command = reg::StringValue(CommandString(ProgramPath()));
    if (auto key = registry.Create(Root::ClassesRoot, reg::JoinPath(VerbKey(extension), "Command")))
        key->SetValue("", command);
    if (fileType.empty()) return;
    if (auto key = registry.Create(Root::ClassesRoot, reg::JoinPath(VerbKey(fileType), "Command")))
        key->SetValue("", command);
}

void TShellIntegration::DeleteVerb(const std::string& key) {
    if (key.empty()) return;
    platform_.Registry.DeleteTree(Root::ClassesRoot, VerbKey(key));
}

void TShellIntegration::SetOpenWithProgid(const std::string& extension, bool on) {
    // Where the user's own choice outranks the extension's default (Windows
    // 8 and later), the program still appears in "Open with".
    const std::string path = reg::JoinPath(extension, "OpenWithProgids");
    reg::IRegistry& registry = platform_.Registry;
    if (on) {
        if (auto key = registry.Create(Root::ClassesRoot, path)) key->SetValue(WantedType(extension), reg::Value{});
    } else if (auto key = registry.Open(Root::ClassesRoot, path, true)) {
        key->DeleteValue(WantedType(extension));
    }
}

void TShellIntegration::ApplyShellPage(const TShellPage& page) {
    reg::IRegistry& registry = platform_.Registry;
    const auto backup =
        registry.Create(Root::LocalMachine, reg::JoinPath(regnames::kProgramKey, regnames::kExtensionsBackup));
    bool changed = false;
    for (const TExtensionRow& entry : kExtensionRows) {
        const std::string extension = entry.Extension;
        const bool checked = page.Rows[static_cast<size_t>(entry.Row)];
        const auto key = registry.Create(Root::ClassesRoot, extension);
        if (!key) continue;
        const std::string type = DefaultText(*key);
        if (checked) {
            const std::string wanted = WantedType(extension);
            if (type != wanted) {
                if (backup) backup->SetValue(extension, reg::StringValue(type));
                key->SetValue("", reg::StringValue(wanted));
                changed = true;
            }
        } else if (IsOurType(type)) {
            changed |= RestoreAssociation(extension);
        }
        SetOpenWithProgid(extension, checked);
        const auto now = registry.Open(Root::ClassesRoot, extension, false);
        const std::string inForce = now ? DefaultText(*now) : std::string();
        if (page.OpenWith) {
            WriteVerb(extension, inForce);
        } else {
            DeleteVerb(extension);
            DeleteVerb(inForce);
        }
    }
    if (changed) NotifyAssociationsChanged(shell_);
}

void TShellIntegration::Uninstall() {
    // 1. and 2. The Start menu's items.
    SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kControlPanel), false);
    SetStartMenuFolder(shell_, platform_.Files, StartMenuItem(kPrinters), false);
    const std::string pointer = StartMenuItem("My Computer") + kFolderPointerSuffix;
    shell_.RemoveFile(pointer + "\\Folder.lnk");
    SetStartMenuFolder(shell_, platform_.Files, pointer, false);
    SetProgramShortcut(shell_, paths_.StartupFolder, ProgramPath(), false);
    SetProgramShortcut(shell_, paths_.ProgramsFolder, ProgramPath(), false);

    // 3. The associations, each from its own backup, and the verbs.
    reg::IRegistry& registry = platform_.Registry;
    bool changed = false;
    for (const char* extension : kUninstallOrder) {
        const auto key = registry.Create(Root::ClassesRoot, extension);
        const std::string type = key ? DefaultText(*key) : std::string();
        if (IsOurType(type)) changed |= RestoreAssociation(extension);
        DeleteVerb(extension);
        DeleteVerb(type);
        SetOpenWithProgid(extension, false);
    }
    // 4. The program's own keys; the user's settings stay.
    registry.DeleteTree(Root::ClassesRoot, kFileType);
    registry.DeleteTree(Root::ClassesRoot, kIconFileType);
    registry.DeleteTree(Root::LocalMachine, regnames::kUninstallKey);
    registry.DeleteTree(Root::LocalMachine, regnames::kProgramKey);
    // 5.
    if (changed) NotifyAssociationsChanged(shell_);
    // 6. and 7. The files that cannot go while they run.
    ScheduleDeletions();
    // 8. The extension unregisters itself.
    shell_.OpenVerb(paths_.RegSvrPath, "/u /s " + paths_.ExtensionPath);
    // 9.
    platform_.Prompts.Message(kRestartMessage, TMessageKind::Information);
}

void TShellIntegration::ScheduleDeletions() {
    std::vector<std::string> files;
    std::string folder = paths_.ProgramFolder;
    if (folder.size() > 1 && folder.back() == '\\') folder.pop_back();
    for (const std::string& name : platform_.Files.ListFiles(folder)) {
        if (name.size() >= 8 && text::SameText(name.substr(0, 8), "Muralto."))
            files.push_back(ShortPath(platform_.Files, paths_.ProgramFolder + name));
    }
    // A standard user may write neither the Windows folder nor the pending
    // moves: what cannot be scheduled stays, and the uninstall goes on.
    const std::string winInit = paths_.WindowsFolder + "\\WinInit.ini";
    try {
        std::optional<std::string> current;
        if (platform_.Files.FileExists(winInit)) {
            const std::vector<uint8_t> bytes = platform_.Files.ReadFile(winInit);
            current = std::string(bytes.begin(), bytes.end());
        }
        const std::string text = WinInitWithDeletions(current, files, paths_.ExtensionPath);
        platform_.Files.WriteFile(winInit, std::vector<uint8_t>(text.begin(), text.end()));
    } catch (const EMuraltoError&) {
    }
    for (const std::string& file : files) shell_.DeleteAtRestart(file);
    shell_.DeleteAtRestart(paths_.ExtensionPath);
}
