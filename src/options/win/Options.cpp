#include "options/win/Options.h"

#include "platform/win32/Handles.h"
#include "resources/ResourceIds.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace {

// A fixed dialog frame with the system menu and the context-help button
// (which shows only on a frame without minimise and maximise boxes).
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;
constexpr const wchar_t* kCaption = L"Muralto Properties";
// The controls take the system's message font at 8 points (TForm's fonts),
// not the "MS Sans Serif" the layout was first drawn with: that is a bitmap
// font, which cannot follow the monitor's DPI.
// The pages above the buttons, at 120 dpi.
constexpr int kPagesLeft = 8, kPagesTop = 8, kPagesWidth = 377, kPagesHeight = 228;

// OK and Cancel carry the dialog ids, so that Enter and Escape press them.
const std::vector<win::TControlSpec>& ButtonControls() {
    static const std::vector<win::TControlSpec> table = {
        {L"BUTTON", "OK", IDOK, "OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 201, 244, 88, 28},
        {L"BUTTON", "Cancel", IDCANCEL, "Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, 297, 244, 88, 28},
    };
    return table;
}

std::vector<std::string> DroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, &path[0], length + 1);
        path.resize(length);
        paths.push_back(win::Utf8(path));
    }
    return paths;
}

bool KeyIsDown(int key) {
    return GetKeyState(key) < 0;
}

} // namespace

TWallpaperOptions::TWallpaperOptions(TApplication& application, TPlatform& platform, TOptionsContext context)
    : TForm(application), platform_(platform), context_(std::move(context)),
      Engine_(std::make_unique<TWallpaper>(platform, TOwnerKind::PropertiesDialog)),
      editor_(platform, *Engine_, context_.MainEngine) {
    TCreateParams p{kClassName, kCaption};
    p.Style = kStyle;
    p.ExStyle = kExStyle;
    p.ClientWidth = kClientWidth;
    p.ClientHeight = kClientHeight;
    p.X = p.Y = 0;
    p.Icon = LoadIconW(application.Instance(), IDI_MAINICON);
    // Owned by the hidden main window, like the program's other boxes.
    p.Parent = application.MainWindow;
    CreateHandle(p);
    LoadPages();
    // Files from the shell may be dropped anywhere on the dialog.
    DragAcceptFiles(Handle(), TRUE);
    // Tab, Enter, Escape and the mnemonics work as in a dialog although the
    // dialog is modeless; Ctrl+Tab and F1 are the dialog's own.
    Application().AddKeyPreview(Handle());
    Application().AddKeyHandler(Handle(), [this](const MSG& key) { return KeyDown(key); });
}

TWallpaperOptions::~TWallpaperOptions() = default;

HWND TWallpaperOptions::Control(const std::string& name) const {
    if (HWND own = TForm::Control(name)) return own;
    for (int i = 0; i < Pages_.Count(); ++i)
        if (HWND found = Pages_.Page(i).Control(name)) return found;
    return nullptr;
}

LRESULT TWallpaperOptions::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_ACTIVATE:
        FormActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_SHOWWINDOW:
        if (!wParam) FormHide();
        break;
    case WM_DISPLAYCHANGE:
        FormShow();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OKClick();
        if (LOWORD(wParam) == IDCANCEL) CancelClick();
        return 0;
    case WM_CLOSE:
        Release();
        return 0;
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (Pages_.Notify(header) && header->code == TCN_SELCHANGE) {
            // A click on a tab leaves no focus on the page that went away.
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus) && !IsWindowVisible(focus)) SetFocus(Pages_.Tabs());
        }
        return 0;
    }
    case WM_DROPFILES:
        FileDrop1Drop(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_HELP:
        return DialogHelp(reinterpret_cast<const HELPINFO*>(lParam)) ? TRUE : FALSE;
    case DM_GETDEFID: // Enter presses OK unless the focus is on another button
        return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_NEXTDLGCTL: // how dialog navigation moves on after a label's mnemonic
        NextDlgCtl(wParam, lParam);
        return 0;
    }
    return Default(message, wParam, lParam);
}

// ---- Creating and loading ----

void TWallpaperOptions::FormCreate() {
    // The list page's menus are drawn by a host of the dialog's own, at the
    // dialog's DPI and with its font.
    menus_ = std::make_unique<TMenuHost>(*this, nullptr);
    // The pages first: their controls come before OK and Cancel in Tab order.
    Pages_.Create(*this, kPagesLeft, kPagesTop, kPagesWidth, kPagesHeight, true);
    TApplication& app = Application();
    Changer_ = &static_cast<TChangerPage&>(Pages_.Add(MakeForm<TChangerPage>(app)));
    Desktop_ = &static_cast<TDesktopPage&>(Pages_.Add(MakeForm<TDesktopPage>(app)));
    General_ = &static_cast<TGeneralPage&>(Pages_.Add(MakeForm<TGeneralPage>(app)));
    MostRecent_ = &static_cast<TMostRecentPage&>(
        Pages_.Add(MakeForm<TMostRecentPage>(app, platform_, editor_, *Engine_, *menus_, commandIds_)));
    Extensions_ = &static_cast<TExtensionsPage&>(Pages_.Add(MakeForm<TExtensionsPage>(app)));
    TabSheet1_ = &static_cast<TStartMenuPage&>(Pages_.Add(MakeForm<TStartMenuPage>(app)));
    Changer_->Setup();
    Desktop_->Setup();
    MostRecent_->Setup();
    Extensions_->Setup();
    TabSheet1_->Setup();

    Changer_->OnCommand = [this](int id, UINT code, HWND) {
        if (code == BN_CLICKED && (id == TChangerPage::idChangeOnStartup || id == TChangerPage::idActive))
            ActiveClick();
    };
    Desktop_->OnCommand = [this](int id, UINT code, HWND) {
        if (code == BN_CLICKED && id == TDesktopPage::idRestore) RestoreClick();
    };
    Extensions_->OnCommand = [this](int id, UINT code, HWND) {
        if (code == STN_CLICKED && id == TExtensionsPage::idLabel5) Label5Click();
    };
    TabSheet1_->OnCommand = [this](int id, UINT code, HWND) {
        if (code == BN_CLICKED && id == TStartMenuPage::idFPButton) FPButtonClick();
    };

    CreateControls(ButtonControls());
    // The tabs take the dialog's font now that it exists; the pages follow
    // the height of the tab row.
    LayoutPages();
}

void TWallpaperOptions::LayoutPages() {
    // The six captions stand in one row of tabs, without scroll arrows: the
    // space around each caption is what the row leaves, up to the tab
    // control's usual 6 pixels at 96 dpi (short captions would otherwise be
    // widened to a minimum of their own).
    HWND tabs = Pages_.Tabs();
    const int dpi = static_cast<int>(Dpi());
    int captions = 0;
    {
        win::WindowDC dc(tabs);
        win::SelectedObject font(dc.Get(), Font());
        for (int i = 0; i < Pages_.Count(); ++i) {
            const std::wstring caption = win::Wide(Pages_.Page(i).Caption());
            SIZE size{};
            GetTextExtentPoint32W(dc.Get(), caption.c_str(), static_cast<int>(caption.size()), &size);
            captions += size.cx;
        }
    }
    // The row's room: the control's width less its frame and the selected
    // tab's growth.
    const int room = Scaled(kPagesWidth) - MulDiv(10, dpi, 96);
    const int padding = std::clamp((room - captions) / std::max(2 * Pages_.Count(), 1), 1, MulDiv(6, dpi, 96));
    SendMessageW(tabs, TCM_SETPADDING, 0, MAKELPARAM(padding, MulDiv(3, dpi, 96)));
    SendMessageW(tabs, TCM_SETMINTABWIDTH, 0, 0);
    Pages_.Layout();
}

void TWallpaperOptions::LoadPages() {
    Loading_ = true;
    Engine_->LoadSettings();
    values_ = LoadOptions(platform_, context_.Paths, *Engine_);
    Changer_->Show(values_);
    Desktop_->Show(values_);
    General_->Show(values_);
    Extensions_->Show(values_);
    TabSheet1_->Show(values_);
    editor_.Fill();
    MostRecent_->ShowList();
    // Setting a check runs no click handler: the enabling rules run here.
    ActiveClick();
    Desktop_->ApplyEnabling();
    for (int i = 0; i < Pages_.Count(); ++i) Pages_.Page(i).SetChanged(false);
    Loading_ = false;
}

void TWallpaperOptions::FormDpiChanged() {
    LayoutPages();
}

// ---- Showing, hiding, the end ----

void TWallpaperOptions::Show() {
    HWND window = Handle();
    const bool onScreen = IsWindowVisible(window) && !IsIconic(window);
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    if (!onScreen) FormShow();
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    HWND focus = GetFocus();
    if (!focus || !IsChild(window, focus)) FocusFirstControl();
}

void TWallpaperOptions::FocusFirstControl() {
    HWND first = GetNextDlgTabItem(Page(Pages_.ActivePage()).Handle(), nullptr, FALSE);
    SetFocus(first ? first : Control(IDOK));
}

void TWallpaperOptions::FormActivate(bool active) {
    HWND focus = GetFocus();
    if (!active) {
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return;
    }
    if (focus && IsChild(Handle(), focus)) return;
    const bool usable = lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_) &&
                        IsWindowVisible(lastFocus_) && IsWindowEnabled(lastFocus_);
    if (usable)
        SetFocus(lastFocus_);
    else
        FocusFirstControl();
}

void TWallpaperOptions::FormShow() {
    CenterOnScreen(platform_.Screen.Width(), platform_.Screen.Height());
}

void TWallpaperOptions::FormHide() {
    // Hiding a window may show its hidden owner; the main form stays hidden.
    HWND main = Application().MainWindow;
    if (main && main != Handle() && !IsWindowVisible(main)) ShowWindow(main, SW_HIDE);
}

void TWallpaperOptions::FormDestroy() {
    // The main form's reference is cleared once the window is gone.
    DragAcceptFiles(Handle(), FALSE);
    Application().RemoveKeyHandler(Handle());
    Application().RemoveKeyPreview(Handle());
    MostRecent_->CancelDrag();
    editor_.ClipItems.clear();
}

void TWallpaperOptions::ShowPage(int index) {
    HWND focus = GetFocus();
    const bool onPages = focus && IsChild(Handle(), focus) && focus != Pages_.Tabs();
    Pages_.SetActivePage(index);
    if (onPages && !IsWindowVisible(focus)) FocusFirstControl();
}

// ---- OK and Cancel ----

void TWallpaperOptions::OKClick() {
    MostRecent_->ReadControls();
    TOptionsValues values = values_;
    Changer_->Read(values);
    Desktop_->Read(values);
    General_->Read(values);
    Extensions_->Read(values);
    TabSheet1_->Read(values);
    const TPageFlags flags{Changer_->Changed(), Desktop_->Changed()};
    TOptionsSaveHooks hooks = context_.Hooks;
    hooks.Hide = [this] {
        ShowWindow(Handle(), SW_MINIMIZE);
        ShowWindow(Handle(), SW_HIDE);
    };
    // A registry error goes to the error report and leaves the dialog as
    // the save left it (hidden once step 2 ran); Properties shows it again.
    SaveOptions(platform_, context_.Integration, editor_, values, flags, hooks, platform_.Clock.Now());
    Release();
}

void TWallpaperOptions::CancelClick() {
    ShowWindow(Handle(), SW_MINIMIZE);
    Release();
}

// ---- The pages' handlers ----

void TWallpaperOptions::ActiveClick() {
    Changer_->SetChanged(true);
    Changer_->ApplyEnabling();
}

void TWallpaperOptions::RestoreClick() {
    if (Desktop_->Checked("Restore") && !Loading_ && context_.ShowIconsWarning) context_.ShowIconsWarning();
    Desktop_->SetChanged(true);
    Desktop_->ApplyEnabling();
}

void TWallpaperOptions::Label5Click() {
    // The second line of the box's caption works as its first.
    Extensions_->SetChecked("OpenWith", !Extensions_->Checked("OpenWith"));
    SetFocus(Extensions_->Control("OpenWith"));
}

void TWallpaperOptions::FPButtonClick() {
    if (context_.ShowFolderPointerWizard) context_.ShowFolderPointerWizard();
}

void TWallpaperOptions::FileDrop1Drop(HDROP drop) {
    const std::vector<std::string> paths = DroppedPaths(drop);
    DragFinish(drop);
    ShowPage(piMostRecent);
    MostRecent_->DropPaths(paths);
}

// ---- Keys and help ----

bool TWallpaperOptions::KeyDown(const MSG& key) {
    if (key.message != WM_KEYDOWN) return false;
    const bool ctrl = KeyIsDown(VK_CONTROL), shift = KeyIsDown(VK_SHIFT), alt = KeyIsDown(VK_MENU);
    switch (key.wParam) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT: {
        // Ctrl+Tab and Ctrl+Page Down to the next page, with Shift or Page
        // Up to the one before.
        if (!ctrl || alt) return false;
        const bool forward = key.wParam == VK_NEXT || (key.wParam == VK_TAB && !shift);
        ShowPage((Pages_.ActivePage() + (forward ? 1 : kPageCount - 1)) % kPageCount);
        return true;
    }
    case VK_F1:
        if (ctrl || shift || alt) return false;
        FocusHelp();
        return true;
    case VK_ESCAPE:
        // Escape ends a drag of rows before it would cancel the dialog.
        if (!MostRecent_->Dragging()) return false;
        MostRecent_->CancelDrag();
        return true;
    }
    return false;
}

void TWallpaperOptions::FocusHelp() {
    HWND focus = GetFocus();
    if (!focus || !IsChild(Handle(), focus)) focus = Pages_.Tabs();
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = GetDlgCtrlID(focus);
    info.hItemHandle = focus;
    GetCursorPos(&info.MousePos);
    // The control's window passes the request to its page, which knows
    // the control's topic, or gives its own.
    SendMessageW(GetParent(focus), WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
}

bool TWallpaperOptions::DialogHelp(const HELPINFO* info) {
    // What reaches the dialog has no topic of its own: the tabs show the
    // topic of the page they show; OK, Cancel and the controls of a page
    // without a topic show nothing. The request stops here either way.
    if (info && info->iContextType == HELPINFO_WINDOW && info->hItemHandle == Pages_.Tabs()) {
        const TOptionsPage& page = Page(Pages_.ActivePage());
        if (page.HelpContext() != 0)
            Application().ControlHelp(page.HelpContext(), page.Name(), Handle(), info->MousePos);
    }
    return true;
}

void TWallpaperOptions::NextDlgCtl(WPARAM which, LPARAM byHandle) {
    // As a dialog does it: the given control, or the next or previous one
    // in Tab order from the focus.
    HWND target = LOWORD(byHandle) ? reinterpret_cast<HWND>(which)
                                   : GetNextDlgTabItem(Handle(), GetFocus(), which != 0);
    if (target) SetFocus(target);
}
