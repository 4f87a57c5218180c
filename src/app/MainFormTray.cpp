// The tray icon's side of the main form: the menu it opens and the commands
// that menu carries (about, help, close, and the desktop icon arrangements).
#include "app/Unit2.h"

#include "desktop/win/IconWarn.h"

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

const std::vector<TMuraltoForm::TMenuEntry>& TMuraltoForm::PopupMenu1Entries() {
    static const std::vector<TMenuEntry> entries = {
        {"&About", cmAbout, 77},
        {"&Help", cmHelp, 79},
        {"-", 0, 0},
        {"&Close", cmExit, 128},
    };
    return entries;
}

win::UniqueMenu TMuraltoForm::BuildPopupMenu() {
    win::UniqueMenu menu(CreatePopupMenu());
    for (const auto& entry : PopupMenu1Entries()) {
        if (std::string(entry.Caption) == "-")
            AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.Get(), MF_STRING, entry.Command, win::Wide(entry.Caption).c_str());
    }
    return menu;
}

void TMuraltoForm::RxTrayIcon1MouseUp(UINT mouseMessage) {
    if (mouseMessage != WM_RBUTTONUP && mouseMessage != WM_CONTEXTMENU) return;
    if (RxTrayIcon1.Busy()) return; // no menu while the wallpaper changes
    win::UniqueMenu menu = BuildPopupMenu();
    POINT at;
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if our window is
    // in the foreground while it is open.
    SetForegroundWindow(Handle());
    TrackPopupMenu(menu.Get(), TPM_RIGHTBUTTON | TPM_BOTTOMALIGN, at.x, at.y, 0, Handle(), nullptr);
    PostMessageW(Handle(), WM_NULL, 0, 0);
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

void TMuraltoForm::WMHelp(const HELPINFO* info) {
    if (!info || info->iContextType != HELPINFO_MENUITEM) return;
    for (const auto& entry : PopupMenu1Entries())
        if (entry.Command != 0 && static_cast<int>(entry.Command) == info->iCtrlId)
            Application().HelpContext(entry.HelpContext);
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
