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

// The tray menu: caption, component name, Tag, help context, image.
constexpr TMenuSpec kPopupMenu1[] = {
    {"&About", "About1", 0, 77, 2},
    {"&Help", "Help", 0, 79, 3},
    {"-", "N1"},
    {"&Close", "Exit", 0, 128, 5},
};
static_assert(IsMenuTable(kPopupMenu1), "the tray menu is a menu table");

void TMuraltoForm::CreatePopupMenu1() {
    AddMenuItems(PopupMenu1, kPopupMenu1);
    PopupMenu1.FindByName("About1")->OnClick = [this](TMenuItem&) { About1Click(); };
    PopupMenu1.FindByName("Help")->OnClick = [this](TMenuItem&) { HelpClick(); };
    PopupMenu1.FindByName("Exit")->OnClick = [this](TMenuItem&) { ExitClick(); };
    menus_ = std::make_unique<TMenuHost>(*this, Handle());
    menus_->Register(PopupMenu1);
}

TMenuItem& TMuraltoForm::BuildPopupMenu() {
    menus_->Rebuild(PopupMenu1);
    return PopupMenu1;
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
