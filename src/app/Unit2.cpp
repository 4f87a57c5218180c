#include "app/Unit2.h"

#include "app/Extra.h"
#include "app/HandOver.h"
#include "app/HotKey.h"
#include "app/RegistryNames.h"
#include "desktop/IconArrangement.h"
#include "desktop/win/IconWarn.h"
#include "platform/Errors.h"
#include "resources/ResourceIds.h"

#include <shellapi.h>
#include <shlobj.h>
#include <windowsx.h>

namespace {

enum TTimerId : UINT_PTR { kTimer1 = 1, kChangeTimer = 2, kTimer2 = 3 };
constexpr UINT kTimer1Interval = 2000;
constexpr UINT kChangeTimerInterval = 5000;
constexpr UINT kTimer2Interval = 1000;
constexpr int kStartHotKeyId = 1;

constexpr const char* kAboutCaption = "About Muralto 2.51";
constexpr const char* kMailAddress = "muralto@orrindel.example";
constexpr const char* kHomePage = "https://muralto.orrindel.example/";
constexpr int kAboutWidth = 350, kAboutHeight = 160; // client area

std::string FromCodePage(const std::string& bytes) {
    if (bytes.empty()) return std::string();
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return win::Utf8(wide);
}

// Tells the shell that file associations changed, so it refreshes icons.
void NotifyAssociationsChanged() {
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
}

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

TMuraltoForm::TMuraltoForm(TApplication& application, TPlatform& platform, std::vector<std::string> arguments,
                           TMainFormHooks hooks)
    : TForm(application), platform_(platform), arguments_(std::move(arguments)), hooks_(std::move(hooks)),
      Icons(platform.Registry, desktop_, platform.DesktopMetrics) {
    Icons.RegistryKey = regnames::kIconsKey;
    TCreateParams p{kClassName, win::Wide(kAboutCaption)};
    // A hidden top-level window, not a message-only one: a second copy must
    // find it by class name, and only top-level windows can be found so.
    p.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT r{0, 0, kAboutWidth, kAboutHeight};
    AdjustWindowRectEx(&r, p.Style, FALSE, 0);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    p.X = p.Y = 0;
    p.Icon = LoadIconW(application.Instance(), IDI_MAINICON);
    CreateHandle(p);
    application.MainWindow = Handle();
    FormCreate();
}

TMuraltoForm::~TMuraltoForm() {
    DestroyHandle();
}

LRESULT TMuraltoForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        CreateAboutControls();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_COPYDATA:
        return WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
    case WM_HOTKEY:
        WMHotKey(static_cast<int>(wParam));
        return 0;
    case WM_DISPLAYCHANGE:
        WMDisplayChange();
        return 0;
    case WM_WININICHANGE:
        WMWinIniChange();
        return 0;
    case WM_SYSCOMMAND:
        WMSysCommand(wParam);
        return 0;
    case WM_COMMAND:
        WMCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_HELP:
        WMHelp(reinterpret_cast<const HELPINFO*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return WMCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_SETCURSOR:
        if (WMSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
        break;
    case WM_TIMER:
        if (wParam == kTimer1) Timer1Timer();
        if (wParam == kChangeTimer) ChangeTimerTimer();
        if (wParam == kTimer2) Timer2Timer();
        return 0;
    case TRxTrayIcon::kTrayCallback:
        RxTrayIcon1MouseUp(static_cast<UINT>(lParam));
        return 0;
    case WM_CLOSE: // closing the main form ends the program
        Application().Terminate();
        return 0;
    case WM_ENDSESSION:
        if (wParam) FormDestroy();
        return 0;
    default:
        if (TRxTrayIcon::IsTaskbarCreated(message)) {
            RxTrayIcon1.Restore();
            return 0;
        }
    }
    return Default(message, wParam, lParam);
}

// ---- Start and end ----

void TMuraltoForm::FormCreate() {
    // The fixed tray menu entries get their images when the owner-drawn
    // menus arrive; the keep-alive counter already starts at 18.

    // Help requests resolve the bare help file name in the program folder.
    Application().OnHelp = [this] { SetCurrentDirectoryW(win::Wide(paths_.ProgramFolder).c_str()); };

    HCURSOR dropper = LoadCursorW(Application().Instance(), IDC_DROPPER);
    Application().RegisterCursor(1, dropper ? dropper : LoadCursorW(nullptr, IDC_CROSS));

    paths_ = ComputeProgramPaths(platform_);

    // Re-writing existing "Muralto.lnk" shortcuts and the folder-menu
    // builders come here with the shell integration and the tray menu.

    RxTrayIcon1.SetOwner(Handle());
    RxTrayIcon1.SetIcon(LoadIconW(Application().Instance(), IDI_MAINICON));
    RxTrayIcon1.SetBusyIcon(LoadIconW(nullptr, IDI_INFORMATION));
    RxTrayIcon1.SetHint(kAppTitle);
    platform_.Tray = &RxTrayIcon1;

    // The engine; the start-up registration (with the first-run work) comes
    // with the shell integration, before the old single list moves into the lists.
    Wallpaper1 = std::make_unique<TWallpaper>(platform_, TOwnerKind::MainForm);
    MigrateOldLists(platform_.Registry);
    Wallpaper1->LoadSettings();
    if (Wallpaper1->ChangeOnStartup) {
        try {
            Wallpaper1->NextWallpaper();
        } catch (const std::exception& e) { // start-up goes on; the user is told
            Application().ShowException(e);
        }
    }

    RxTrayIcon1.SetActive(true);
    SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    SetTimer(Handle(), kChangeTimer, kChangeTimerInterval, nullptr);

    RegisterStartHotKey();
    WatchDesktop();
}

void TMuraltoForm::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    KillTimer(Handle(), kTimer1);
    KillTimer(Handle(), kChangeTimer);
    KillTimer(Handle(), kTimer2);
    UnregisterStartHotKey();
    desktopWatch_.Reset();
    RxTrayIcon1.SetActive(false);
    if (platform_.Tray == &RxTrayIcon1) platform_.Tray = nullptr;
    Application().RemoveKeyPreview(Handle());
}

void TMuraltoForm::CreateAboutControls() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW lf = metrics.lfMessageFont;
    font_.Reset(CreateFontIndirectW(&lf));
    lf.lfUnderline = TRUE;
    linkFont_.Reset(CreateFontIndirectW(&lf));
    lf = metrics.lfMessageFont;
    lf.lfWeight = FW_BOLD;
    lf.lfHeight = lf.lfHeight * 3 / 2;
    boldFont_.Reset(CreateFontIndirectW(&lf));

    const auto make = [&](const wchar_t* cls, const std::string& text, DWORD style, int x, int y, int w, int h,
                          int id, HFONT font) {
        HWND c = CreateWindowExW(0, cls, win::Wide(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Application().Instance(), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        return c;
    };
    HWND icon = make(L"STATIC", "", SS_ICON, 16, 16, 32, 32, -1, font_.Get());
    SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(Application().Instance(), IDI_MAINICON)), 0);
    make(L"STATIC", "Muralto 2.51", SS_LEFT, 64, 14, 250, 24, -1, boldFont_.Get());
    make(L"STATIC", "Wallpapers, desktop icons and folders,\nright from the notification area.", SS_LEFT, 64, 42,
         260, 32, -1, font_.Get());
    make(L"STATIC", "E-mail:", SS_LEFT, 64, 82, 70, 16, -1, font_.Get());
    mailLink_ = make(L"STATIC", kMailAddress, SS_LEFT | SS_NOTIFY, 136, 82, 206, 16, -1, linkFont_.Get());
    make(L"STATIC", "Home page:", SS_LEFT, 64, 100, 70, 16, -1, font_.Get());
    homeLink_ = make(L"STATIC", kHomePage, SS_LEFT | SS_NOTIFY, 136, 100, 206, 16, -1, linkFont_.Get());
    okButton_ = make(L"BUTTON", "Ok", WS_TABSTOP | BS_DEFPUSHBUTTON, (kAboutWidth - 80) / 2, 126, 80, 25, IDOK,
                     font_.Get());
    // Key preview: Enter presses "Ok", Escape cancels, as in a dialog.
    Application().AddKeyPreview(Handle());
}

void TMuraltoForm::CenterAbout() {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (platform_.Screen.Width() - width) / 2, (platform_.Screen.Height() - height) / 2,
                 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Messages ----

LRESULT TMuraltoForm::WMCopyData(const COPYDATASTRUCT* data) {
    if (!data) return 0;
    const std::string argument = DecodeHandOver(data->lpData, data->cbData, FromCodePage);
    if (!argument.empty()) OpenArgument(argument, false);
    return 0;
}

void TMuraltoForm::OpenArgument(const std::string& argument, bool newWindow) {
    if (IsUninstallArgument(argument)) {
        if (hooks_.Uninstall) hooks_.Uninstall();
    } else if (hooks_.OpenImage) {
        hooks_.OpenImage(argument, newWindow);
    }
}

void TMuraltoForm::WMHotKey(int id) {
    if (id == kStartHotKeyId) NotifyAssociationsChanged();
    RestartTimer2();
}

void TMuraltoForm::WMDisplayChange() {
    CenterAbout();
    Wallpaper1->CheckSchedule();
    Wallpaper1->RefreshIfStale();
    RestoreIcons();
}

void TMuraltoForm::WMWinIniChange() {
    RestartTimer2();
}

void TMuraltoForm::WMSysCommand(WPARAM command) {
    // The about box only closes; it does not move, size or minimise.
    if ((command & 0xFFF0) == SC_CLOSE) OkClick();
}

void TMuraltoForm::WMCommand(UINT id, UINT code, HWND control) {
    if (control && code == STN_CLICKED && (control == mailLink_ || control == homeLink_)) {
        LinkClick(control);
        return;
    }
    switch (id) {
    case IDOK:
    case IDCANCEL:
        OkClick();
        break;
    case cmAbout:
        About1Click();
        break;
    case cmHelp:
        HelpClick();
        break;
    case cmExit:
        ExitClick();
        break;
    }
}

void TMuraltoForm::WMHelp(const HELPINFO* info) {
    if (!info || info->iContextType != HELPINFO_MENUITEM) return;
    for (const auto& entry : PopupMenu1Entries())
        if (entry.Command != 0 && static_cast<int>(entry.Command) == info->iCtrlId)
            Application().HelpContext(entry.HelpContext);
}

LRESULT TMuraltoForm::WMCtlColorStatic(HDC dc, HWND control) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, (control == mailLink_ || control == homeLink_) ? RGB(0, 0, 204) : GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool TMuraltoForm::WMSetCursor(HWND over) {
    if (over != mailLink_ && over != homeLink_) return false;
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return true;
}

// ---- Tray icon and menu ----

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

void TMuraltoForm::About1Click() {
    CenterAbout();
    ShowWindow(Handle(), SW_RESTORE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(okButton_);
}

void TMuraltoForm::OkClick() {
    ShowWindow(Handle(), SW_MINIMIZE);
    ShowWindow(Handle(), SW_HIDE);
}

void TMuraltoForm::HelpClick() {
    Application().HelpContents();
}

void TMuraltoForm::ExitClick() {
    Application().ProcessMessages();
    Application().Terminate();
}

void TMuraltoForm::LinkClick(HWND link) {
    const std::string target = link == mailLink_ ? std::string("mailto:") + kMailAddress : std::string(kHomePage);
    ShellExecuteW(Handle(), L"open", win::Wide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

// ---- Timers ----

void TMuraltoForm::Timer1Timer() {
    KillTimer(Handle(), kTimer1);
    // The first instance's own argument always opens a new image window.
    if (!arguments_.empty() && !arguments_.front().empty()) OpenArgument(arguments_.front(), true);
    Wallpaper1->CheckSchedule();
    Wallpaper1->RefreshIfStale();
    RestoreIcons();
}

void TMuraltoForm::ChangeTimerTimer() {
    if (keepAlive_.Tick(Wallpaper1->KeepAlive)) {
        // The keep-alive echo goes out here once the pinger exists.
    }
    if (desktopWatch_ && WaitForSingleObject(desktopWatch_.Get(), 0) == WAIT_OBJECT_0) {
        RestartTimer2();
        FindNextChangeNotification(desktopWatch_.Get());
    }
    // An icon the shell was not ready for at start-up is added now.
    if (RxTrayIcon1.Active() && !RxTrayIcon1.Shown()) RxTrayIcon1.Restore();
    if (RxTrayIcon1.Active() && Wallpaper1->NextChange > 1.0 && Wallpaper1->NextChange <= platform_.Clock.Now())
        Wallpaper1->CheckSchedule();
}

void TMuraltoForm::RestartTimer2() {
    KillTimer(Handle(), kTimer2);
    timer2_.Restart();
    SetTimer(Handle(), kTimer2, kTimer2Interval, nullptr);
}

void TMuraltoForm::Timer2Timer() {
    if (!timer2_.Tick()) return;
    if (!timer2_.Running()) KillTimer(Handle(), kTimer2);
    Wallpaper1->LoadSettings();
    RestoreIcons();
}

// ---- Desktop icons ----

void TMuraltoForm::ShowIconsWarning() {
    if (ReadNoIconsWarning(platform_.Registry)) return;
    TIconsWarningForm warning(Application(), platform_.Registry);
    warning.ShowModal();
}

void TMuraltoForm::ApplyIconArrangement() {
    ApplyStoredIconArrangement(platform_.Registry, Icons);
}

void TMuraltoForm::RestoreIcons() {
    if (ReadRestoreIcons(platform_.Registry)) ApplyIconArrangement();
}

void TMuraltoForm::AlignLeftClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Left);
}

void TMuraltoForm::AlignRightClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Right);
}

void TMuraltoForm::AlignTopClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Top);
}

void TMuraltoForm::AlignBottomClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Bottom);
}

void TMuraltoForm::AlignSpiralClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Spiral);
}

void TMuraltoForm::AlignCustomClick() {
    ShowIconsWarning();
    Icons.PlaceIcons();
}

void TMuraltoForm::NoIconsClick() {
    ShowIconsWarning();
    Icons.ArrangeIcons(TArrangeKind::Hide);
}

void TMuraltoForm::SaveIconsClick() {
    Icons.ReadIcons();
}

// ---- Start shortcut and Desktop watch ----

void TMuraltoForm::RegisterStartHotKey() {
    const uint16_t shortcut = ReadStartShortcut(platform_.Registry);
    const THotKey key = HotKeyFromShortcut(shortcut);
    if (key.VirtualKey == 0) return; // no shortcut chosen
    // A refusal (the keys belong to another program) is not reported.
    hotKeyRegistered_ = RegisterHotKey(Handle(), kStartHotKeyId, key.Modifiers, key.VirtualKey) != FALSE;
}

void TMuraltoForm::UnregisterStartHotKey() {
    if (hotKeyRegistered_) UnregisterHotKey(Handle(), kStartHotKeyId);
    hotKeyRegistered_ = false;
}

void TMuraltoForm::WatchDesktop() {
    // When the folder cannot be watched the handle stays invalid and the
    // poll never reports a change.
    desktopWatch_.Reset(FindFirstChangeNotificationW(win::Wide(paths_.DesktopFolder).c_str(), FALSE,
                                                     FILE_NOTIFY_CHANGE_FILE_NAME));
}
