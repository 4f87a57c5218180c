#include "app/Unit2.h"

#include "app/Extra.h"
#include "app/HandOver.h"
#include "app/HotKey.h"
#include "app/RegistryNames.h"
#include "app/win/Ping.h"
#include "options/win/Options.h"
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
constexpr int kAboutWidth = 438, kAboutHeight = 200; // client area at 120 dpi

std::string FromCodePage(const std::string& bytes) {
    if (bytes.empty()) return std::string();
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &wide[0], n);
    return win::Utf8(wide);
}

} // namespace

TMuraltoForm::TMuraltoForm(TApplication& application, TPlatform& platform, std::vector<std::string> arguments,
                           TMainFormHooks hooks)
    : TForm(application), platform_(platform), arguments_(std::move(arguments)), hooks_(std::move(hooks)),
      Icons(platform.Registry, desktop_, platform.DesktopMetrics) {
    Icons.RegistryKey = regnames::kIconsKey;
    TCreateParams p{kClassName, win::Wide(kAboutCaption)};
    // A hidden top-level window, not a message-only one: a second copy must
    // find it by class name, and only top-level windows can be found so.
    p.Style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    p.ClientWidth = kAboutWidth;
    p.ClientHeight = kAboutHeight;
    p.X = p.Y = 0;
    p.Icon = LoadIconW(application.Instance(), IDI_MAINICON);
    CreateHandle(p);
    application.MainWindow = Handle();
    FormCreate();
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
    case TMenuHost::kRightButtonMessage:
        MenuRightButton(static_cast<uint16_t>(wParam));
        return 0;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR: {
        // From the menu owner: offered to the program's menus.
        LRESULT result = 0;
        if (menus_ && menus_->Offer(message, wParam, lParam, result)) return result;
        break;
    }
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
    // The fixed tray menu entries with their images; the keep-alive counter
    // already starts at 18.
    CreatePopupMenu1();

    // Help requests resolve the bare help file name in the program folder.
    Application().OnHelp = [this] { SetCurrentDirectoryW(win::Wide(paths_.ProgramFolder).c_str()); };

    HCURSOR dropper = LoadCursorW(Application().Instance(), IDC_DROPPER);
    Application().RegisterCursor(1, dropper ? dropper : LoadCursorW(nullptr, IDC_CROSS));

    StartupStep([this] { paths_ = ComputeProgramPaths(platform_); });
    if (platform_.Shell) {
        integration_ = std::make_unique<TShellIntegration>(platform_, *platform_.Shell, paths_, hooks_.Machine);
        // Shortcuts the user kept point at this copy of the program again.
        StartupStep([this] { integration_->RewriteExistingShortcuts(); });
    }

    RxTrayIcon1.SetOwner(Handle());
    RxTrayIcon1.SetIcon(LoadIconW(Application().Instance(), IDI_MAINICON));
    RxTrayIcon1.SetBusyIcon(LoadIconW(nullptr, IDI_INFORMATION));
    RxTrayIcon1.SetHint(kAppTitle);
    platform_.Tray = &RxTrayIcon1;

    // The engine; the start-up registration (with the first-run work) comes
    // with the shell integration, before the old single list moves into the
    // lists. Damaged settings are reported and the program runs on with
    // what could be read: the user can still mend them from the tray.
    changes_.SetErrorReport([this](const std::exception& e) { Application().ShowException(e); });
    platform_.Changes = &changes_;
    Wallpaper1 = std::make_unique<TWallpaper>(platform_, TOwnerKind::MainForm);
    CreateTrayMenu();
    // The registration moves the old single list into the lists too.
    if (integration_)
        StartupStep([this] { integration_->StartupRegistration(); });
    else
        StartupStep([this] { MigrateOldLists(platform_.Registry); });
    StartupStep([this] { Wallpaper1->LoadSettings(); });
    if (integration_ && hooks_.Machine.FirstRun)
        StartupStep([this] {
            integration_->FirstRun(Wallpaper1->ActiveDesktopAvailable(), [this] { Application().HelpContents(); });
        });
    if (Wallpaper1->ChangeOnStartup) StartupStep([this] { Wallpaper1->NextWallpaper(); });

    RxTrayIcon1.SetActive(true);
    SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    SetTimer(Handle(), kChangeTimer, kChangeTimerInterval, nullptr);

    RegisterStartHotKey();
    WatchDesktop();
}

void TMuraltoForm::StartupStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        Application().ShowException(e);
    }
}

void TMuraltoForm::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    // The properties dialog's hooks lead here: it goes first (it deletes
    // itself and clears the reference).
    if (wallpaperOptions_) wallpaperOptions_->DestroyHandle();
    KillTimer(Handle(), kTimer1);
    KillTimer(Handle(), kChangeTimer);
    KillTimer(Handle(), kTimer2);
    UnregisterStartHotKey();
    if (menus_ && tray_) menus_->Unregister(tray_->PopupMenu1);
    desktopWatch_.Reset();
    RxTrayIcon1.SetActive(false);
    if (platform_.Tray == &RxTrayIcon1) platform_.Tray = nullptr;
    if (platform_.Changes == &changes_) platform_.Changes = nullptr;
    Application().RemoveKeyPreview(Handle());
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
        Uninstall();
    } else if (hooks_.OpenImage) {
        hooks_.OpenImage(argument, newWindow);
    }
}

void TMuraltoForm::Uninstall() {
    if (hooks_.Uninstall) {
        hooks_.Uninstall();
        return;
    }
    if (!integration_) return;
    integration_->Uninstall();
    Application().Terminate();
}

void TMuraltoForm::ShowFolderPointerWizard() {
    if (!platform_.Shell) return;
    if (!fpWizard_) fpWizard_ = std::make_unique<TFPWizardHolder>(Application(), platform_, *platform_.Shell);
    fpWizard_->Show();
}

void TMuraltoForm::WMHotKey(int id) {
    // The shell rebuilds the Start menu on this notice.
    if (id == kStartHotKeyId && platform_.Shell) NotifyAssociationsChanged(*platform_.Shell);
    RestartTimer2();
}

void TMuraltoForm::WMDisplayChange() {
    CenterAbout();
    // During a change (its message box is open) the new screen size is
    // handled as soon as the change ends, not dropped.
    changes_.RunOrDefer([this] { ScheduleAndRefresh(); });
}

void TMuraltoForm::ScheduleAndRefresh() {
    Wallpaper1->CheckSchedule();
    changes_.TryRun([this] { Wallpaper1->RefreshIfStale(); });
    RestoreIcons();
}

void TMuraltoForm::ReloadSettings() {
    Wallpaper1->LoadSettings();
    ImageApplied();
}

void TMuraltoForm::ImageApplied() {
    Wallpaper1->CheckSchedule();
    RxTrayIcon1.SetHint(Wallpaper1->Hint);
}

void TMuraltoForm::WMWinIniChange() {
    RestartTimer2();
}

void TMuraltoForm::WMCommand(UINT id, UINT code, HWND control) {
    if (code == STN_CLICKED && IsLink(control)) {
        LinkClick(control);
        return;
    }
    if (id == IDOK || id == IDCANCEL) {
        OkClick();
        return;
    }
    TrayCommand(id);
}

// ---- Timers ----

void TMuraltoForm::Timer1Timer() {
    KillTimer(Handle(), kTimer1);
    // The first instance's own argument always opens a new image window.
    if (!arguments_.empty() && !arguments_.front().empty()) OpenArgument(arguments_.front(), true);
    ScheduleAndRefresh();
}

void TMuraltoForm::ChangeTimerTimer() {
    if (keepAlive_.Tick(Wallpaper1->KeepAlive) && !keepAliveReporting_) KeepAlivePing();
    if (desktopWatch_ && WaitForSingleObject(desktopWatch_.Get(), 0) == WAIT_OBJECT_0) {
        RestartTimer2();
        FindNextChangeNotification(desktopWatch_.Get());
    }
    // An icon the shell was not ready for at start-up is added now.
    if (RxTrayIcon1.Active() && !RxTrayIcon1.Shown()) RxTrayIcon1.Restore();
    // A tick during a running change (its message box delivers them) does
    // nothing: the change guard turns the check away.
    if (RxTrayIcon1.Active() && Wallpaper1->NextChange > 1.0 && Wallpaper1->NextChange <= platform_.Clock.Now())
        Wallpaper1->CheckSchedule();
}

void TMuraltoForm::KeepAlivePing() {
    try {
        ::KeepAlivePing();
    } catch (const TICMPException& e) {
        // Reported like any other failure; the next try is 19 ticks away.
        keepAliveReporting_ = true;
        Application().ShowException(e);
        keepAliveReporting_ = false;
    }
}

void TMuraltoForm::KeepAliveEcho() {
    if (Wallpaper1->KeepAlive && !keepAliveReporting_) KeepAlivePing();
}

void TMuraltoForm::RestartTimer2() {
    KillTimer(Handle(), kTimer2);
    timer2_.Restart();
    SetTimer(Handle(), kTimer2, kTimer2Interval, nullptr);
}

void TMuraltoForm::Timer2Timer() {
    if (!timer2_.Tick()) return;
    if (!timer2_.Running()) KillTimer(Handle(), kTimer2);
    // Not in the middle of a change: the settings are read again after it.
    changes_.RunOrDefer([this] {
        Wallpaper1->LoadSettings();
        RestoreIcons();
    });
}

// ---- Start shortcut and Desktop watch ----

void TMuraltoForm::RegisterStartHotKey() {
    ReplaceStartHotKey(ReadStartShortcut(platform_.Registry));
}

void TMuraltoForm::ReplaceStartHotKey(uint16_t shortcut) {
    UnregisterStartHotKey();
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
