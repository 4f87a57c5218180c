// The main form shown as the about box: the program's name and version, its
// maker's e-mail address and home page as links, and an "Ok" button. Closing
// it only hides it; the program goes on.
#include "app/Unit2.h"

#include "resources/ResourceIds.h"

#include <shellapi.h>

namespace {

constexpr const char* kMailAddress = "muralto@orrindel.example";
constexpr const char* kHomePage = "https://muralto.orrindel.example/";
// Links are the blue that reads on the button face of every theme.
constexpr COLORREF kLinkColor = RGB(0, 0, 204);

const std::vector<win::TControlSpec>& AboutControls() {
    using T = TMuraltoForm;
    using win::TFontRole;
    static const std::vector<win::TControlSpec> table = {
        {L"STATIC", "ProgramIcon", -1, "", SS_ICON | SS_REALSIZECONTROL, 0, 20, 20, 40, 40},
        {L"STATIC", "ProductName", -1, "Muralto 2.51", SS_LEFT | SS_NOPREFIX, 0, 80, 17, 320, 30, 0,
         TFontRole::Heading},
        {L"STATIC", "Comments", -1, "Wallpapers, desktop icons and folders,\nright from the notification area.",
         SS_LEFT | SS_NOPREFIX, 0, 80, 52, 340, 40},
        {L"STATIC", "MailLabel", -1, "E-mail:", SS_LEFT, 0, 80, 102, 88, 20},
        {L"STATIC", "MailLink", T::idMailLink, kMailAddress, SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, 170, 102, 258, 20,
         0, TFontRole::Link},
        {L"STATIC", "HomeLabel", -1, "Home page:", SS_LEFT, 0, 80, 125, 88, 20},
        {L"STATIC", "HomeLink", T::idHomeLink, kHomePage, SS_LEFT | SS_NOTIFY | SS_NOPREFIX, 0, 170, 125, 258, 20, 0,
         TFontRole::Link},
        {L"BUTTON", "Ok", IDOK, "Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 169, 160, 100, 31},
    };
    return table;
}

} // namespace

void TMuraltoForm::CreateAboutControls() {
    CreateControls(AboutControls());
    LoadProgramIcon();
    // Key preview: Enter presses "Ok", Escape cancels, as in a dialog.
    Application().AddKeyPreview(Handle());
}

void TMuraltoForm::LoadProgramIcon() {
    // The icon at the size of its control, drawn from the resource's larger
    // images on a scaled screen; shared icons are freed with the module.
    const int size = Scaled(40);
    HANDLE icon = LoadImageW(Application().Instance(), IDI_MAINICON, IMAGE_ICON, size, size,
                             LR_SHARED);
    SendMessageW(Control("ProgramIcon"), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

void TMuraltoForm::FormDpiChanged() {
    LoadProgramIcon();
}

void TMuraltoForm::CenterAbout() {
    CenterOnScreen(platform_.Screen.Width(), platform_.Screen.Height());
}

void TMuraltoForm::About1Click() {
    // "Ok" leaves the box minimised: restore it before centring, or the
    // minimised size would be centred instead of the box.
    ShowWindow(Handle(), SW_RESTORE);
    CenterAbout();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Control(IDOK));
}

void TMuraltoForm::OkClick() {
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_HIDE);
}

void TMuraltoForm::WMSysCommand(WPARAM command) {
    // The about box only closes; it does not move, size or minimise.
    if ((command & 0xFFF0) == SC_CLOSE) OkClick();
}

bool TMuraltoForm::IsLink(HWND control) const {
    return control && (control == Control(idMailLink) || control == Control(idHomeLink));
}

void TMuraltoForm::LinkClick(HWND link) {
    const std::string target =
        link == Control(idMailLink) ? std::string("mailto:") + kMailAddress : std::string(kHomePage);
    ShellExecuteW(Handle(), L"open", win::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT TMuraltoForm::WMCtlColorStatic(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, IsLink(control) ? kLinkColor : GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool TMuraltoForm::WMSetCursor(HWND over) {
    if (!IsLink(over)) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}
