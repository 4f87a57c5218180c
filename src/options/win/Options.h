#pragma once
// The properties dialog, TWallpaperOptions: six pages of settings over OK
// and Cancel. It is modeless, at most one exists (the main form holds it),
// and it frees itself on OK, Cancel and close. It has its own wallpaper
// engine, so that browsing lists here changes nothing the tray menu shows
// until OK. Loading and saving are OptionsModel's; this window moves the
// values between its pages and the model and connects the main form's
// part of OK through hooks.
#include "app/ProgramPaths.h"
#include "engine/Wallpaper.h"
#include "options/ListEditor.h"
#include "options/OptionsModel.h"
#include "options/win/RecentList.h"
#include "options/win/SettingsPages.h"
#include "options/win/ShellPages.h"
#include "platform/Platform.h"
#include "platform/win32/PageHost.h"
#include "shell/ShellIntegration.h"
#include "shellmenus/MenuModel.h"
#include "shellmenus/win/MenuHost.h"

#include <shellapi.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the dialog needs from the program around it.
struct TOptionsContext {
    TProgramPaths Paths;
    // The main form's engine (follows a rename of the current list); may be null.
    TWallpaper* MainEngine = nullptr;
    // Null without a shell: the Start and Shell pages are then not applied.
    TShellIntegration* Integration = nullptr;
    // The warning about the shell's automatic arrangement (it decides
    // itself whether to show), and the folder pointer wizard.
    std::function<void()> ShowIconsWarning;
    std::function<void()> ShowFolderPointerWizard;
    // The main form's steps of OK; the dialog supplies Hide itself.
    TOptionsSaveHooks Hooks;
};

class TWallpaperOptions : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TWallpaperOptions";
    static constexpr int kClientWidth = 393, kClientHeight = 278; // at 120 dpi
    // The pages in their order.
    enum TPageIndex : int { piChanger = 0, piDesktop, piGeneral, piMostRecent, piShell, piStart, kPageCount };

    // Made with new and FreeOnRelease; loads every setting into the pages.
    // A registry error while loading is thrown, and no dialog is left.
    TWallpaperOptions(TApplication& application, TPlatform& platform, TOptionsContext context);
    ~TWallpaperOptions() override;

    // Restored when minimised, centred when it was not on the screen,
    // shown and brought to the front.
    void Show();

    // A control of the dialog or of one of its pages by its component name.
    using TForm::Control;
    HWND Control(const std::string& name) const;
    TPageHost& Pages() { return Pages_; }
    TOptionsPage& Page(int index) const { return static_cast<TOptionsPage&>(Pages_.Page(index)); }
    // Shows the page; a focus left on a page that goes out of sight moves
    // to the new page's first control.
    void ShowPage(int index);
    TChangerPage& Changer() const { return *Changer_; }
    TDesktopPage& Desktop() const { return *Desktop_; }
    TMostRecentPage& MostRecent() const { return *MostRecent_; }
    TListEditor& ListEditor() { return editor_; }
    TWallpaper& Engine() { return *Engine_; }
    bool Loading() const { return Loading_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    void FormCreate();
    void LoadPages();
    void LayoutPages();
    void FormShow();
    void FormHide();
    void FormDestroy();
    void FormActivate(bool active);
    void FocusFirstControl();
    void OKClick();
    void CancelClick();
    void ActiveClick();
    void RestoreClick();
    void Label5Click();
    void FPButtonClick();
    void FileDrop1Drop(HDROP drop);
    bool KeyDown(const MSG& key);
    // F1: the topic of the control with the focus, as its page gives it.
    void FocusHelp();
    bool DialogHelp(const HELPINFO* info);
    void NextDlgCtl(WPARAM which, LPARAM byHandle);

    TPlatform& platform_;
    TOptionsContext context_;
    // The dialog's own engine and the list page's working copy over it.
    std::unique_ptr<TWallpaper> Engine_;
    TListEditor editor_;
    // The menus of the list page: their identifiers and the host that draws
    // them, both outliving the pages.
    TCommandIds commandIds_;
    std::unique_ptr<TMenuHost> menus_;
    TPageHost Pages_;
    TChangerPage* Changer_ = nullptr;
    TDesktopPage* Desktop_ = nullptr;
    TGeneralPage* General_ = nullptr;
    TMostRecentPage* MostRecent_ = nullptr;
    TExtensionsPage* Extensions_ = nullptr;
    TStartMenuPage* TabSheet1_ = nullptr;
    // The values as loaded; OK starts from them.
    TOptionsValues values_;
    bool Loading_ = false;
    // The control that had the focus when another window took over (a menu,
    // the icons warning, another program), to give it back on return.
    HWND lastFocus_ = nullptr;
};
