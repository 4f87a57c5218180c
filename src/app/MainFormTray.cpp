// The tray icon's side of the main form: the menu it opens and the commands
// that menu carries (about, help, close, and the desktop icon arrangements).
#include "app/Unit2.h"

#include "desktop/win/IconWarn.h"
#include "options/win/Options.h"
#include "shellmenus/DesktopMenu.h"
#include "shellmenus/win/DesktopItems.h"
#include "shellmenus/win/ItemProp.h"

#include <shellapi.h>

#include <iterator>

namespace {

// The Align Icons commands and the arrangement each runs.
struct TAlignCommand {
    UINT Command;
    TIconArrangement Arrangement;
};
constexpr TAlignCommand kAlignCommands[] = {
    {TMuraltoForm::cmAlignLeft, TIconArrangement::Left},     {TMuraltoForm::cmAlignRight, TIconArrangement::Right},
    {TMuraltoForm::cmAlignTop, TIconArrangement::Top},       {TMuraltoForm::cmAlignBottom, TIconArrangement::Bottom},
    {TMuraltoForm::cmAlignSpiral, TIconArrangement::Spiral}, {TMuraltoForm::cmAlignCustom, TIconArrangement::Custom},
    {TMuraltoForm::cmNoIcons, TIconArrangement::Hide},
};
static_assert(std::size(kAlignCommands) == 7, "one command per arrangement");

} // namespace

void TMuraltoForm::CreatePopupMenu1() {
    menus_ = std::make_unique<TMenuHost>(*this, Handle());
}

void TMuraltoForm::CreateTrayMenu() {
    TTrayMenuHooks hooks;
    hooks.BringToForeground = [this] { SetForegroundWindow(Handle()); };
    hooks.LogicalDrives = [] { return static_cast<uint32_t>(GetLogicalDrives()); };
    hooks.RunDefaultCommand = [this](const std::string& path) {
        // The file runs in its own folder.
        SetCurrentDirectoryW(win::Wide(FolderPart(path)).c_str());
        return RunDefaultCommand(path, Handle());
    };
    hooks.OpenImage = [this](const std::string& path) {
        if (hooks_.OpenImage) hooks_.OpenImage(path, false);
    };
    hooks.Explore = [this](const std::string& folder) { Explore(folder); };
    hooks.FillDesktop = [this](TMenuItem& desktop) { FillDesktop(desktop); };
    hooks.ErrorBox = [](const std::string& text) {
        MessageBoxW(nullptr, win::Wide(text).c_str(), win::Wide(kAppTitle).c_str(), MB_OK | MB_ICONERROR);
    };
    hooks.RestartTimer2 = [this] { RestartTimer2(); };
    tray_ = std::make_unique<TTrayMenu>(platform_, *Wallpaper1, commandIds_, menus_->Measurer(), systemIcons_, hooks);
    if (tray_->ScreenSaverMenu) tray_->ScreenSaverMenu->ProgramFolder = paths_.ProgramFolder;
    TMenuItem& menu = tray_->PopupMenu1;
    const struct {
        const char* Name;
        std::function<void()> Click;
    } commands[] = {
        {"About1", [this] { About1Click(); }},
        {"Help", [this] { HelpClick(); }},
        {"Options", [this] { OptionsClick(); }},
        {"Exit", [this] { ExitClick(); }},
        {"SaveIcons", [this] { SaveIconsClick(); }},
        {"AlignLeft", [this] { AlignClick(TIconArrangement::Left); }},
        {"AlignRight", [this] { AlignClick(TIconArrangement::Right); }},
        {"AlignTop", [this] { AlignClick(TIconArrangement::Top); }},
        {"AlignBottom", [this] { AlignClick(TIconArrangement::Bottom); }},
        {"AlignSpiral", [this] { AlignClick(TIconArrangement::Spiral); }},
        {"AlignCustom", [this] { AlignClick(TIconArrangement::Custom); }},
        {"NoIcons", [this] { AlignClick(TIconArrangement::Hide); }},
    };
    for (const auto& c : commands) {
        auto click = c.Click;
        menu.FindByName(c.Name)->OnClick = [click](TMenuItem&) { click(); };
    }
    menus_->Register(menu);
}

TMenuItem& TMuraltoForm::PopupMenu1() {
    return tray_->PopupMenu1;
}

TMenuItem& TMuraltoForm::BuildPopupMenu() {
    tray_->SetDpi(static_cast<int>(Dpi()));
    systemIcons_.Forget();
    tray_->PopupMenu1Popup();
    menus_->Rebuild(tray_->PopupMenu1);
    return tray_->PopupMenu1;
}

void TMuraltoForm::OptionsClick() {
    // The open dialog comes to the front (shown again when a failed OK left
    // it hidden), or a new one is made and loaded.
    if (!wallpaperOptions_) {
        TOptionsContext context;
        context.Paths = paths_;
        context.MainEngine = Wallpaper1.get();
        context.Integration = integration_.get();
        context.ShowIconsWarning = [this] { ShowIconsWarning(); };
        context.ShowFolderPointerWizard = [this] { ShowFolderPointerWizard(); };
        TOptionsSaveHooks& hooks = context.Hooks;
        hooks.HotKey = [this](uint16_t shortcut) { ReplaceStartHotKey(shortcut); };
        hooks.ReloadMain = [this] { ReloadSettings(); };
        hooks.KeepAliveEcho = [this] { KeepAliveEcho(); };
        hooks.SaveCustomIcons = [this] { SaveCustomIcons(); };
        // The main form re-reads its settings and arranges the icons again.
        hooks.SettingsChanged = [this] { SendMessageW(Handle(), WM_WININICHANGE, 0, 0); };
        (new TWallpaperOptions(Application(), platform_, std::move(context)))->FreeOnRelease(wallpaperOptions_);
    }
    wallpaperOptions_->Show();
}

void TMuraltoForm::FillDesktop(TMenuItem& desktop) {
    std::vector<TDesktopEntry> entries;
    for (const TDesktopItem& item : DesktopItems(Handle()))
        entries.push_back(TDesktopEntry{item.Caption, item.IconIndex, item.EnumIndex});
    const int columnHeight = tray_->FileBuilder.ColumnHeight();
    FillDesktopMenu(desktop, std::move(entries), 2, columnHeight, [this](TMenuItem& entry) {
        RunDesktopItem(entry.Tag, Handle(), paths_.ProgramFolder);
    });
}

void TMuraltoForm::Explore(const std::string& folder) {
    ShellExecuteW(Handle(), L"explore", win::Wide(folder).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void TMuraltoForm::MenuRightButton(uint16_t command) {
    if (!tray_) return;
    if (const auto folder = tray_->RightButtonFolder(command)) Explore(*folder);
}

void TMuraltoForm::RxTrayIcon1MouseUp(UINT mouseMessage) {
    // A left click, pressed and released on the icon, shows the wallpaper.
    if (mouseMessage == WM_LBUTTONDOWN) trayLeftDown_ = true;
    if (mouseMessage == WM_LBUTTONUP) {
        const bool clicked = trayLeftDown_;
        trayLeftDown_ = false;
        if (clicked && hooks_.ShowCurrentWallpaper) hooks_.ShowCurrentWallpaper();
        return;
    }
    if (mouseMessage != WM_RBUTTONUP && mouseMessage != WM_CONTEXTMENU) return;
    if (RxTrayIcon1.Busy()) return; // no menu while the wallpaper changes
    // A click while the menu is open: the open menu is not rebuilt under
    // the user's cursor, and no second one opens.
    if (TMenuHost::MenuOpen()) return;
    POINT at;
    GetCursorPos(&at);
    menus_->Popup(BuildPopupMenu(), at, TPM_LEFTALIGN | TPM_BOTTOMALIGN);
}

bool TMuraltoForm::TrayCommand(UINT id) {
    switch (id) {
    case cmAbout: About1Click(); return true;
    case cmHelp: HelpClick(); return true;
    case cmExit: ExitClick(); return true;
    case cmSaveIcons: SaveIconsClick(); return true;
    }
    for (const TAlignCommand& align : kAlignCommands)
        if (align.Command == id) {
            AlignClick(align.Arrangement);
            return true;
        }
    return false;
}

void TMuraltoForm::HelpClick() {
    Application().HelpContents();
}

void TMuraltoForm::ExitClick() {
    Application().ProcessMessages();
    Application().Terminate();
}

// ---- Desktop icons ----

void TMuraltoForm::ShowIconsWarning() {
    if (ReadNoIconsWarning(platform_.Registry)) return;
    MakeForm<TIconsWarningForm>(Application(), platform_.Registry)->ShowModal();
}

void TMuraltoForm::ApplyIconArrangement() {
    ApplyStoredIconArrangement(platform_.Registry, Icons);
}

void TMuraltoForm::RestoreIcons() {
    if (ReadRestoreIcons(platform_.Registry)) ApplyIconArrangement();
}

void TMuraltoForm::AlignClick(TIconArrangement arrangement) {
    ShowIconsWarning();
    RunIconArrangement(Icons, arrangement);
}

void TMuraltoForm::SaveIconsClick() {
    Icons.ReadIcons();
}
