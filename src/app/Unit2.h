#pragma once
// The main form: hidden for the life of the program, owner of its long-lived
// objects and timers, target of the system's broadcasts and of a second
// copy's hand-over, and, when shown, the about box.
//
// Its member functions live in three files: Unit2.cpp (start, end, message
// routing, timers), MainFormTray.cpp (the tray icon, its menu and the
// commands it carries) and AboutBox.cpp (the window shown as the about box).
#include "app/ChangeGuard.h"
#include "app/MachineKeys.h"
#include "app/MainFormTimers.h"
#include "app/ProgramPaths.h"
#include "app/TrayMenu.h"
#include "desktop/DesktopIcons.h"
#include "desktop/IconArrangement.h"
#include "desktop/win/ShellViewDesktop.h"
#include "engine/Wallpaper.h"
#include "platform/Platform.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/TrayIcon.h"
#include "shell/ShellIntegration.h"
#include "shell/win/FPWizard.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/win/MenuHost.h"
#include "shellmenus/win/SystemImageList.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TWallpaperOptions;

// What the main form hands on to the parts that open images and uninstall.
struct TMainFormHooks {
    std::function<void(const std::string& fileName, bool newWindow)> OpenImage;
    // A left click on the tray icon: the desktop's wallpaper in an image window.
    std::function<void()> ShowCurrentWallpaper;
    // Replaces the uninstall ("/u"; tests count it instead).
    std::function<void()> Uninstall;
    // The machine keys chosen at start-up, with whether this is the first run.
    TMachineKeys Machine;
};

class TMuraltoForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TMuraltoForm";

    // The program's own commands, which WM_COMMAND also carries from outside
    // (the tray menu's entries run the same handlers).
    enum TCommand : UINT {
        cmAbout = 100,
        cmHelp,
        cmExit,
        cmAlignLeft,
        cmAlignRight,
        cmAlignTop,
        cmAlignBottom,
        cmAlignSpiral,
        cmAlignCustom,
        cmNoIcons,
        cmSaveIcons,
    };
    // The about box's controls.
    enum TAboutControl : int { idMailLink = 201, idHomeLink };

    // Creates the hidden window and runs the start-up sequence (made with
    // MakeForm). A step of the sequence that fails is reported and the rest
    // goes on. arguments are the command-line arguments after the program
    // name.
    TMuraltoForm(TApplication& application, TPlatform& platform, std::vector<std::string> arguments,
                 TMainFormHooks hooks = {});

    const TProgramPaths& Paths() const { return paths_; }
    bool HotKeyRegistered() const { return hotKeyRegistered_; }
    const TRxTrayIcon& TrayIcon() const { return RxTrayIcon1; }
    // The main form's wallpaper engine (tray menu, changer, stale check).
    TWallpaper& Wallpaper() { return *Wallpaper1; }
    // The guard through which every wallpaper change of the program goes.
    TChangeGuard& Changes() { return changes_; }
    // The tray menu as it opens now, its native menu built afresh.
    TMenuItem& BuildPopupMenu();
    TMenuHost& Menus() { return *menus_; }
    void ShowAbout() { About1Click(); }
    // The folder pointer wizard: the open one brought to the front, or a new
    // one. It lives here because it may outlive the dialog that opens it.
    void ShowFolderPointerWizard();
    const TFPWizardHolder* FolderPointerWizard() const { return fpWizard_.get(); }
    // After an image window applied its picture: the changer looks at its
    // schedule again and the tray icon's hint follows it.
    void ImageApplied();

    // The properties dialog while it is open (at most one: the tray's
    // Properties brings the open one to the front).
    TWallpaperOptions* WallpaperOptions() const { return wallpaperOptions_; }
    // What the dialog's OK asks of the main form: the settings read again
    // (engine, schedule, tray tip), the start shortcut registered anew (a
    // refusal is not reported), one keep-alive echo when keep-alive is on,
    // the icons' places kept as the custom arrangement.
    void ReloadSettings();
    void ReplaceStartHotKey(uint16_t shortcut);
    void KeepAliveEcho();
    void SaveCustomIcons() { SaveIconsClick(); }

    // The warning about the shell's own automatic arrangement, shown before
    // an arrangement unless the user switched it off.
    void ShowIconsWarning();
    // The arrangement stored as the automatic one, run without a warning.
    void ApplyIconArrangement();
    // The automatic arrangement when "RestoreIcons" is on (after start-up,
    // display changes and the refresh ticks of Timer2).
    void RestoreIcons();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    // Start and end.
    void FormCreate();
    void FormDestroy();
    // One step of the start-up sequence; a failure is reported, not fatal.
    void StartupStep(const std::function<void()>& step);

    // Messages.
    LRESULT WMCopyData(const COPYDATASTRUCT* data);
    void WMHotKey(int id);
    void WMDisplayChange();
    // The changer's check, the stale-wallpaper check and the automatic icon
    // arrangement, after start-up and after a display change.
    void ScheduleAndRefresh();
    void WMWinIniChange();
    void WMCommand(UINT id, UINT code, HWND control);

    // The about box (AboutBox.cpp).
    void CreateAboutControls();
    void LoadProgramIcon();
    void CenterAbout();
    void About1Click();
    void OkClick();
    void LinkClick(HWND link);
    void WMSysCommand(WPARAM command);
    LRESULT WMCtlColorStatic(HDC dc, HWND control);
    bool WMSetCursor(HWND over);
    bool IsLink(HWND control) const;

    // Tray icon and menu (MainFormTray.cpp).
    void CreatePopupMenu1();
    void CreateTrayMenu();
    TMenuItem& PopupMenu1();
    void OptionsClick();
    void FillDesktop(TMenuItem& desktop);
    void Explore(const std::string& folder);
    // The right button released in an open menu over the entry of this command.
    void MenuRightButton(uint16_t command);
    void RxTrayIcon1MouseUp(UINT mouseMessage);
    bool TrayCommand(UINT id);
    void HelpClick();
    void ExitClick();
    // The Align Icons commands of the Desktop sub-menu: one handler for the
    // arrangements, with the warning first.
    void AlignClick(TIconArrangement arrangement);
    void SaveIconsClick();

    // Timers.
    void Timer1Timer();
    void ChangeTimerTimer();
    void Timer2Timer();
    void RestartTimer2();
    // One echo to the keep-alive host (the counter has been reset).
    void KeepAlivePing();

    // The start shortcut and the Desktop folder watch.
    void RegisterStartHotKey();
    void UnregisterStartHotKey();
    void WatchDesktop();
    // An argument from the command line or from a second copy.
    void OpenArgument(const std::string& argument, bool newWindow);
    // "/u": the shell integration taken away, then the end of the program.
    void Uninstall();

    TPlatform& platform_;
    std::vector<std::string> arguments_;
    TMainFormHooks hooks_;
    TProgramPaths paths_;
    // The desktop's shell view where it shows the icons, else its list view.
    TDesktopRoute desktop_;
    // One wallpaper change at a time, for every engine of the program.
    TChangeGuard changes_;
    TDesktopIcons Icons;
    std::unique_ptr<TWallpaper> Wallpaper1;
    // What the program writes into the shell; null without a shell.
    std::unique_ptr<TShellIntegration> integration_;
    std::unique_ptr<TFPWizardHolder> fpWizard_;
    // Frees itself; the reference clears itself when the dialog goes.
    TWallpaperOptions* wallpaperOptions_ = nullptr;

    // Every menu of the program draws through the menu host; its entries'
    // command identifiers come from one allocator.
    TCommandIds commandIds_;
    std::unique_ptr<TMenuHost> menus_;
    WinSystemIcons systemIcons_;
    std::unique_ptr<TTrayMenu> tray_;
    TRxTrayIcon RxTrayIcon1;
    TKeepAliveCounter keepAlive_;
    // A keep-alive failure's box is open: the ticks its loop lets through
    // send nothing more, so boxes never stack.
    bool keepAliveReporting_ = false;
    TTwoTickTimer timer2_;
    win::UniqueChangeNotification desktopWatch_;
    bool hotKeyRegistered_ = false;
    // The left button went down on the tray icon (a click is its release).
    bool trayLeftDown_ = false;
    bool destroyed_ = false;
};
