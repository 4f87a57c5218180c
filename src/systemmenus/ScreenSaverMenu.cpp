#include "systemmenus/ScreenSaverMenu.h"

#include "app/Extra.h"
#include "app/ProgramPaths.h"

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>

namespace {

constexpr const char* kIniSection = "boot";
constexpr const char* kIniKey = "SCRNSAVE.EXE";
constexpr const char* kUsePassword = "ScreenSaveUsePassword";
constexpr const char* kIsSecure = "ScreenSaverIsSecure";
// The shortest waiting time the menu sets.
constexpr int kMinimumTimeout = 60;

std::string WithoutTrailingBackslash(std::string folder) {
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

std::string Join(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

// A value read as an integer: a dword, a binary of up to four bytes (little
// endian) or a text that converts; nothing for anything else or a missing
// value.
std::optional<int64_t> IntegerValue(reg::IKey& key, const char* name) {
    reg::Value value;
    if (!key.QueryValue(name, value)) return std::nullopt;
    if (value.Type == reg::kDWord || value.Type == reg::kBinary) {
        if (value.Data.empty() || value.Data.size() > 4) return std::nullopt;
        uint32_t number = 0;
        for (size_t i = 0; i < value.Data.size(); ++i) number |= uint32_t(value.Data[i]) << (8 * i);
        return number;
    }
    if (reg::IsStringType(value.Type)) {
        if (const auto number = TryStrToInt(reg::StringOf(value))) return *number;
    }
    return std::nullopt;
}

void SetEntry(TMenuItem& menu, const char* name, bool enabled, std::optional<bool> checked = std::nullopt) {
    TMenuItem* entry = menu.FindByName(name);
    if (!entry) return;
    entry->Enabled = enabled;
    if (checked) entry->Checked = *checked;
}

} // namespace

TScreenSaverMenu::TScreenSaverMenu(IScreenSaverSettings& settings, reg::IRegistry& registry, IFileSystem& files,
                                   ISystemFolders& folders, IPrompts& prompts)
    : settings_(settings), registry_(registry), files_(files), folders_(folders), prompts_(prompts) {}

void TScreenSaverMenu::Attach(TMenuItem& screenSaver) {
    const auto attach = [&screenSaver](const char* name, std::function<void()> command) {
        if (TMenuItem* entry = screenSaver.FindByName(name))
            entry->OnClick = [command = std::move(command)](TMenuItem&) { command(); };
    };
    attach(kRun, [this] { RunClick(); });
    attach(kActive, [this] { ActiveClick(); });
    attach(kPassword, [this] { PasswordClick(); });
    attach(kChangePassword, [this] { ChangePasswordClick(); });
    attach(kWait, [this] { WaitClick(); });
}

void TScreenSaverMenu::ReadState() {
    const bool nt = settings_.NtFamily();
    TScreenSaverState state;
    state.Path = settings_.ReadSystemIni(kIniSection, kIniKey);
    const std::unique_ptr<reg::IKey> desktop = registry_.Open(reg::Root::CurrentUser, kDesktopKey, false);
    // The NT family keeps the screen saver in the user's registry; System.ini
    // names one only where a program wrote it there.
    if (state.Path.empty() && nt && desktop) {
        reg::Value value;
        if (desktop->QueryValue(kIniKey, value) && reg::IsStringType(value.Type)) state.Path = reg::StringOf(value);
    }
    state.Active = settings_.Active();
    state.Timeout = settings_.Timeout();
    if (desktop) {
        std::optional<int64_t> flag = IntegerValue(*desktop, kUsePassword);
        // Where no program wrote the 9x flag, the system's own secure flag
        // tells whether a password is asked for.
        if (!flag && nt) flag = IntegerValue(*desktop, kIsSecure);
        state.UsePassword = flag.value_or(0) != 0;
    }
    State = std::move(state);
}

void TScreenSaverMenu::Opening(TMenuItem& screenSaver) {
    ReadState();
    const bool set = !State.Path.empty();
    SetEntry(screenSaver, kRun, set);
    SetEntry(screenSaver, kActive, set, State.Active);
    SetEntry(screenSaver, kPassword, set, State.UsePassword);
    // The NT family asks for the logon password instead; its networking
    // library has no dialog for a screen saver password of its own.
    SetEntry(screenSaver, kChangePassword, set && !settings_.NtFamily() && settings_.CanChangePassword());
    SetEntry(screenSaver, kWait, set);
}

std::string TScreenSaverMenu::SystemFolder() const {
    // The Windows folder's "System" sub-folder on Windows 9x, the system
    // directory on the NT family: the system directory in both cases.
    return WithoutTrailingBackslash(folders_.SystemDirectory());
}

void TScreenSaverMenu::RunClick() {
    if (State.Path.empty()) return;
    settings_.Open(State.Path, ProgramFolder);
}

void TScreenSaverMenu::ActiveClick() {
    State.Active = !State.Active;
    settings_.SetActive(State.Active);
}

void TScreenSaverMenu::PasswordClick() {
    // Opened for writing, never created: without the key there is no flag.
    const std::unique_ptr<reg::IKey> desktop = registry_.Open(reg::Root::CurrentUser, kDesktopKey, true);
    if (!desktop) return;
    const bool on = !State.UsePassword;
    desktop->SetValue(kUsePassword, reg::DWordValue(on ? 1 : 0));
    if (settings_.NtFamily()) {
        settings_.SetSecure(on);
        desktop->SetValue(kIsSecure, reg::StringValue(on ? "1" : "0"));
    }
    State.UsePassword = on;
}

void TScreenSaverMenu::ChangePasswordClick() {
    if (settings_.NtFamily()) return;
    settings_.ChangePassword();
}

void TScreenSaverMenu::WaitClick() {
    const std::optional<std::string> answer =
        prompts_.InputBox("Screen Saver", "Please enter minutes to Wait:", std::to_string(State.Timeout / 60));
    if (!answer) return;
    const std::optional<int32_t> minutes = TryStrToInt(*answer);
    if (!minutes) return;
    int64_t seconds = int64_t(*minutes) * 60;
    if (seconds < kMinimumTimeout) seconds = kMinimumTimeout;
    if (seconds > std::numeric_limits<int32_t>::max()) seconds = std::numeric_limits<int32_t>::max();
    State.Timeout = static_cast<int>(seconds);
    settings_.SetTimeout(State.Timeout);
}

void TScreenSaverMenu::Choose(const std::string& name) {
    const std::string file = name + ".scr";
    const std::string windows = WithoutTrailingBackslash(folders_.WindowsDirectory());
    const std::string folder = files_.FileExists(Join(windows, file)) ? windows : SystemFolder();
    // Only the file's own name becomes its 8.3 name: the folder is written
    // as the system reports it.
    const std::string shortPath = ShortPath(files_, Join(folder, file));
    const std::string shortName = shortPath.substr(shortPath.rfind('\\') + 1);
    const std::string path = Join(folder, shortName.empty() ? file : shortName);

    settings_.WriteSystemIni(kIniSection, kIniKey, path);
    if (settings_.NtFamily()) {
        if (const std::unique_ptr<reg::IKey> desktop = registry_.Open(reg::Root::CurrentUser, kDesktopKey, true))
            desktop->SetValue(kIniKey, reg::StringValue(path));
    }
    const int timeout = State.Timeout <= 0 ? kMinimumTimeout : State.Timeout;
    settings_.SetTimeout(timeout);
    State.Timeout = timeout;
    if (State.Path.empty()) {
        settings_.SetActive(true);
        State.Active = true;
    }
    State.Path = path;
}
