#pragma once
// The main form: hidden for the life of the program, owner of its long-lived
// objects and timers, target of the system's broadcasts and of a second
// copy's hand-over, and, when shown, the about box.
#include "app/MainFormTimers.h"
#include "app/ProgramPaths.h"
#include "desktop/DesktopIcons.h"
#include "desktop/win/DesktopListView.h"
#include "engine/Wallpaper.h"
#include "platform/Platform.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/TrayIcon.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the main form hands on to the parts that open images and uninstall.
struct TMainFormHooks {
    std::function<void(const std::string& fileName, bool newWindow)> OpenImage;
    std::function<void()> Uninstall;
};

class TMuraltoForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TMuraltoForm";

    // Tray menu commands.
    enum TCommand : UINT { cmAbout = 100, cmHelp, cmExit };
    struct TMenuEntry {
        const char* Caption; // "-" for a separator
        UINT Command;
        int HelpContext;
    };
    static const std::vector<TMenuEntry>& PopupMenu1Entries();

    // Creates the hidden window and runs the start-up sequence. arguments are
    // the command-line arguments after the program name.
    TMuraltoForm(TApplication& application, TPlatform& platform, std::vector<std::string> arguments,
                 TMainFormHooks hooks = {});
    ~TMuraltoForm() override;

    const TProgramPaths& Paths() const { return paths_; }
    bool HotKeyRegistered() const { return hotKeyRegistered_; }
    const TRxTrayIcon& TrayIcon() const { return RxTrayIcon1; }
    // The main form's wallpaper engine (tray menu, changer, stale check).
    TWallpaper& Wallpaper() { return *Wallpaper1; }
    // The tray menu as it opens now (built afresh each time).
    win::UniqueMenu BuildPopupMenu();
    void ShowAbout() { About1Click(); }

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

private:
    // Start and end.
    void FormCreate();
    void FormDestroy();
    void CreateAboutControls();
    void CenterAbout();

    // Messages.
    LRESULT WMCopyData(const COPYDATASTRUCT* data);
    void WMHotKey(int id);
    void WMDisplayChange();
    void WMWinIniChange();
    void WMSysCommand(WPARAM command);
    void WMCommand(UINT id, UINT code, HWND control);
    void WMHelp(const HELPINFO* info);
    LRESULT WMCtlColorStatic(HDC dc, HWND control);
    bool WMSetCursor(HWND over);

    // Tray icon and menu.
    void RxTrayIcon1MouseUp(UINT mouseMessage);
    void About1Click();
    void HelpClick();
    void ExitClick();
    void OkClick();
    void LinkClick(HWND link);
    // The Align Icons commands of the Desktop sub-menu.
    void AlignLeftClick();
    void AlignRightClick();
    void AlignTopClick();
    void AlignBottomClick();
    void AlignSpiralClick();
    void AlignCustomClick();
    void NoIconsClick();
    void SaveIconsClick();

    // Timers.
    void Timer1Timer();
    void ChangeTimerTimer();
    void Timer2Timer();
    void RestartTimer2();

    // The start shortcut and the Desktop folder watch.
    void RegisterStartHotKey();
    void UnregisterStartHotKey();
    void WatchDesktop();
    // An argument from the command line or from a second copy.
    void OpenArgument(const std::string& argument, bool newWindow);

    TPlatform& platform_;
    std::vector<std::string> arguments_;
    TMainFormHooks hooks_;
    TProgramPaths paths_;
    TWinDesktop desktop_;
    TDesktopIcons Icons;
    std::unique_ptr<TWallpaper> Wallpaper1;

    TRxTrayIcon RxTrayIcon1;
    TKeepAliveCounter keepAlive_;
    TTwoTickTimer timer2_;
    win::UniqueChangeNotification desktopWatch_;
    bool hotKeyRegistered_ = false;
    bool destroyed_ = false;

    // About box controls.
    HWND okButton_ = nullptr, mailLink_ = nullptr, homeLink_ = nullptr;
    win::UniqueFont font_, boldFont_, linkFont_;
};
