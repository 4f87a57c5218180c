// The image window's popup menu, rebuilt each time it opens, and the
// commands it carries (the keys run the same ones).
#include "imagewindow/win/SizePanel.h"
#include "imagewindow/win/Unit1.h"

#include "platform/Text.h"

// Caption, component name, Tag, help context, image; sub-entries one level
// deeper.
constexpr TMenuSpec kPopupMenu1[] = {
    {"&Apply", "OK", 0, 47, 21},
    {"&Close", "Cancel", 0, 48, 22},
    {"-", "N1"},
    {"&Windows Logo", "SetLogo", 0, 65, 23},
    {"Use as &Startup Logo", "StartupLogo", 0, 49, 0, 1},
    {"Use as Shut &Down Logo", "ShutDown", 0, 50, 0, 1},
    {"-", "N5", 0, 0, 0, 1},
    {"&Restore Original Logos", "RestoreLogo", 0, 51, 0, 1},
    {"-", "N2"},
    {"&Full Screen", "FullScreen", 0, 52},
    {"&Open", "Browse1", 0, 53, 1},
    {"-", "N3"},
    {"Color &Dropper", "ColorDropper", 0, 54, 32},
    {"Effect&s", "ShrinkMenu", 0, 56, 31},
    {"T&ile", "Tile", 0, 57},
    {"-", "N4"},
    {"Align &Left", "AlignLeft", 0, 58, 24},
    {"Align &Right", "AlignRight", 0, 60, 25},
    {"Align &Top", "AlignTop", 0, 59, 26},
    {"Align &Bottom", "AlignBottom", 0, 61, 27},
    {"-", "N6"},
    {"C&enter", "Center", 0, 62, 28},
    {"Center &Horizontally", "CenterHoriz", 0, 63, 29},
    {"Center &Vertically", "CenterVert", 0, 64, 30},
    {"-", "N7"},
    {"&Most Recent", "MostRecent", 0, 66, 8, 0, menuspec::Disabled},
};
static_assert(IsMenuTable(kPopupMenu1), "the image window's menu is a menu table");

void TForm1::CreatePopupMenu1() {
    AddMenuItems(PopupMenu1, kPopupMenu1);
    const struct {
        const char* Name;
        std::function<void()> Click;
    } handlers[] = {
        {"OK", [this] { OKClick(); }},
        {"Cancel", [this] { CancelClick(); }},
        {"StartupLogo", [this] { WriteLogos(TWallpaper::lmStartup); }},
        {"ShutDown", [this] { WriteLogos(TWallpaper::lmShutdown); }},
        {"RestoreLogo", [this] { WriteLogos(TWallpaper::lmRestore); }},
        {"FullScreen", [this] { FullScreenClick(); }},
        {"Browse1", [this] { Browse1Click(); }},
        {"ColorDropper", [this] { ColorDropperClick(); }},
        {"ShrinkMenu", [this] { ShrinkMenuClick(); }},
        {"Tile", [this] { TileClick(); }},
        {"AlignLeft", [this] { AlignTo(1); }},
        {"AlignRight", [this] { AlignTo(2); }},
        {"AlignTop", [this] { AlignTo(3); }},
        {"AlignBottom", [this] { AlignTo(0); }},
        {"Center", [this] { AlignTo(4); }},
        {"CenterHoriz", [this] { AlignTo(5); }},
        {"CenterVert", [this] { AlignTo(6); }},
    };
    for (const auto& h : handlers) {
        auto click = h.Click;
        PopupMenu1.FindByName(h.Name)->OnClick = [click](TMenuItem&) { click(); };
    }
    menus_ = std::make_unique<TMenuHost>(*this, Handle());
    menus_->Register(PopupMenu1);
}

void TForm1::PopupMenu1Popup() {
    // 1. The lists and options as they are now.
    Engine_->LoadSettings();
    // 2. The current list's entries, the current wallpaper's checked.
    TMenuItem& recent = *PopupMenu1.FindByName("MostRecent");
    RecentMenu->FixedItems.clear();
    for (int i = 0; i < Engine_->Items.Count(); ++i) RecentMenu->FixedItems.push_back(Engine_->Items[i]);
    RecentMenu->CaptionToCheck = Engine_->GetWallpaperSource();
    RecentMenu->Reset();
    systemIcons_.Forget();
    // 3. and 4. Enabled with entries, filled when it opens.
    recent.Enabled = Engine_->Items.Count() > 0;
    recent.Clear();
    TMenuItem& placeholder = recent.Add("(Empty)");
    placeholder.Enabled = false;
    // 5.
    PopupMenu1.FindByName("Tile")->Checked = Engine_->Tile;
}

void TForm1::ShowPopupMenu(POINT at) {
    PopupMenu1Popup();
    menus_->Rebuild(PopupMenu1);
    menus_->Popup(PopupMenu1, at, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON);
}

void TForm1::Browse1Click() {
    browsing_ = true;
    struct TDone {
        bool& Browsing;
        ~TDone() { Browsing = false; }
    } done{browsing_};
    Engine_->BrowseImage();
    CopyPosition();
}

void TForm1::ColorDropperClick() {
    UpdateDropper();
}

void TForm1::TileClick() {
    Engine_->SetTile(!Engine_->Tile);
    if (EffectsBoxShowing()) RebuildPreviewTile();
}

void TForm1::WriteLogos(int mode) {
    Engine_->WriteLogos(mode);
}

void TForm1::StepImage(TSibling which) {
    Engine_->OpenSibling(which);
    CopyPosition();
}

void TForm1::AlignTo(int kind) {
    Engine_->AlignImage(kind);
    CopyPosition();
}

void TForm1::OpenRecent(const std::string& path) {
    Engine_->OpenImage(path);
    CopyPosition();
}
