#include "options/win/ShellPages.h"

#include "app/HotKey.h"

#include <commctrl.h>

using namespace optionsui;

namespace {

std::vector<win::TControlSpec> ExtensionsControls() {
    using P = TExtensionsPage;
    // A list view with check boxes is the check list: Space toggles the
    // focused row, and screen readers announce each row's state. Its rows
    // run down two columns.
    constexpr DWORD list = LVS_LIST | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_GROUP;
    return {
        {L"STATIC", "Label4", P::idLabel4, "Associate the following Extensions with Muralto:", kLabel, 0, 12, 10, 345,
         18},
        // Four to seven rows fit in its height at any resolution: the eight
        // rows take two columns. Each column is wide enough for the widest
        // row also where the list view sizes its columns itself.
        {WC_LISTVIEWW, "ChooseExt", P::idChooseExt, "", list, WS_EX_CLIENTEDGE, 12, 32, 345, 100, 38},
        // The verb's box has a caption of two lines: its own first line and
        // the label below it, which toggles the box when clicked.
        {L"BUTTON", "OpenWith", P::idOpenWith, "&Add \"View with Muralto\" to the context menu", kCheckBox, 0, 12,
         142, 345, 22, 39},
        {L"STATIC", "Label5", P::idLabel5, "of supported file types.", kLabel | SS_NOTIFY, 0, 33, 162, 300, 18, 39},
    };
}

std::vector<win::TControlSpec> StartMenuControls() {
    using P = TStartMenuPage;
    return {
        {L"STATIC", "Panel2", P::idPanel2, "", kFrame, 0, 12, 8, 345, 110},
        {L"BUTTON", "Programs", P::idPrograms, "Add Muralto to &Programs menu.", kCheckBox, 0, 24, 16, 325, 22, 40},
        {L"BUTTON", "Launch", P::idLaunch, "Add Muralto to &StartUp menu.", kCheckBox, 0, 24, 40, 325, 22, 41},
        {L"BUTTON", "ControlPanel", P::idControlPanel, "Add &Control Panel folder to Start menu.", kCheckBox, 0, 24, 64,
         325, 22, 101},
        {L"BUTTON", "Printers", P::idPrinters, "Add P&rinters folder to Start menu.", kCheckBox, 0, 24, 88, 325, 22,
         102},
        {L"BUTTON", "FPButton", P::idFPButton, "&New Folder Pointer", kButton, 0, 12, 128, 160, 28, 116},
        {L"STATIC", "Label6", P::idLabel6, "Refresh the Start menu:", kLabel, 0, 12, 171, 180, 18, 117},
        {HOTKEY_CLASSW, "HotKey1", P::idHotKey1, "", WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 196, 167, 160, 25, 117},
    };
}

// Keys whose scan codes come with the extended-key prefix when they are not
// the keypad's.
bool ExtendedKey(uint8_t key) {
    return (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE || key == VK_DIVIDE ||
           key == VK_NUMLOCK;
}

} // namespace

uint16_t HotKeyControlValue(uint16_t shortcut) {
    const uint8_t key = static_cast<uint8_t>(shortcut & 0xFF);
    uint8_t modifiers = 0;
    if (shortcut & kShortcutShift) modifiers |= HOTKEYF_SHIFT;
    if (shortcut & kShortcutCtrl) modifiers |= HOTKEYF_CONTROL;
    if (shortcut & kShortcutAlt) modifiers |= HOTKEYF_ALT;
    if (key != 0 && ExtendedKey(key)) modifiers |= HOTKEYF_EXT;
    return static_cast<uint16_t>(MAKEWORD(key, modifiers));
}

uint16_t ShortcutOfHotKeyControl(uint16_t value) {
    const uint8_t key = LOBYTE(value), modifiers = HIBYTE(value);
    uint16_t shortcut = key;
    if (modifiers & HOTKEYF_SHIFT) shortcut |= kShortcutShift;
    if (modifiers & HOTKEYF_CONTROL) shortcut |= kShortcutCtrl;
    if (modifiers & HOTKEYF_ALT) shortcut |= kShortcutAlt;
    return shortcut;
}

// ---- Shell ----

TExtensionsPage::TExtensionsPage(TApplication& application)
    : TOptionsPage(application, "Extensions", "Shell", 41, ExtensionsControls()) {}

void TExtensionsPage::Setup() {
    HWND list = Control("ChooseExt");
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (size_t row = 0; row < kExtensionRowCaptions.size(); ++row) {
        std::wstring caption = win::Wide(kExtensionRowCaptions[row]);
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(row);
        item.pszText = &caption[0];
        ListView_InsertItem(list, &item);
    }
    // Space toggles the focused row: one row has the focus from the start.
    ListView_SetItemState(list, 0, LVIS_FOCUSED, LVIS_FOCUSED);
    FitColumn();
}

void TExtensionsPage::FormDpiChanged() {
    FitColumn();
}

LRESULT TExtensionsPage::PageNotify(const NMHDR* header) {
    if (header && header->idFrom == idChooseExt && header->code == NM_CUSTOMDRAW) {
        const auto* draw = reinterpret_cast<const NMLVCUSTOMDRAW*>(header);
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT && !fittedAtPaint_) {
            fittedAtPaint_ = true;
            FitColumn();
        }
        return CDRF_DODEFAULT;
    }
    return TOptionsPage::PageNotify(header);
}

void TExtensionsPage::FitColumn() {
    // Two columns side by side across the list, a little narrower than half
    // of it so that the list needs no scroll bar.
    HWND list = Control("ChooseExt");
    RECT client;
    GetClientRect(list, &client);
    ListView_SetColumnWidth(list, 0, client.right / 2 - Scaled(4));
    // The list view weighs its scroll bars again only when its size
    // changes: once a pixel smaller, then back.
    RECT frame;
    GetWindowRect(list, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    constexpr UINT flags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(list, nullptr, 0, 0, width, height - 1, flags);
    SetWindowPos(list, nullptr, 0, 0, width, height, flags);
}

bool TExtensionsPage::RowChecked(int row) const {
    return ListView_GetCheckState(Control("ChooseExt"), row) != 0;
}

void TExtensionsPage::SetRowChecked(int row, bool checked) {
    ListView_SetCheckState(Control("ChooseExt"), row, checked ? TRUE : FALSE);
}

void TExtensionsPage::Show(const TOptionsValues& values) {
    for (size_t row = 0; row < values.Shell.Rows.size(); ++row)
        SetRowChecked(static_cast<int>(row), values.Shell.Rows[row]);
    SetChecked("OpenWith", values.Shell.OpenWith);
}

void TExtensionsPage::Read(TOptionsValues& values) const {
    for (size_t row = 0; row < values.Shell.Rows.size(); ++row) values.Shell.Rows[row] = RowChecked(static_cast<int>(row));
    values.Shell.OpenWith = Checked("OpenWith");
}

// ---- Start ----

TStartMenuPage::TStartMenuPage(TApplication& application)
    : TOptionsPage(application, "TabSheet1", "Start", 0, StartMenuControls()) {}

void TStartMenuPage::Setup() {
    SendMessageW(Control("HotKey1"), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_ALT, 0));
}

void TStartMenuPage::Show(const TOptionsValues& values) {
    SetChecked("Programs", values.Start.Programs);
    SetChecked("Launch", values.Start.Launch);
    SetChecked("ControlPanel", values.Start.ControlPanel);
    SetChecked("Printers", values.Start.Printers);
    Enable("FPButton", values.FolderPointers);
    SendMessageW(Control("HotKey1"), HKM_SETHOTKEY, HotKeyControlValue(values.StartShortcut), 0);
}

void TStartMenuPage::Read(TOptionsValues& values) const {
    values.Start.Programs = Checked("Programs");
    values.Start.Launch = Checked("Launch");
    values.Start.ControlPanel = Checked("ControlPanel");
    values.Start.Printers = Checked("Printers");
    const auto value = static_cast<uint16_t>(SendMessageW(Control("HotKey1"), HKM_GETHOTKEY, 0, 0));
    values.StartShortcut = ShortcutOfHotKeyControl(value);
}
