// The image window: creation, painting, dragging, the colour dropper, the
// keys, the window messages, and the two ways out (apply and close).
#include "imagewindow/win/Unit1.h"

#include "app/ChangeGuard.h"
#include "imagewindow/ImageWindowRules.h"
#include "imagewindow/win/SizePanel.h"

#include <shellapi.h>

#include <utility>

using namespace imagewindow;

namespace {

// Full screen: no border and no border icons. Bordered: a single border
// with the system menu, minimize and maximize.
constexpr DWORD kFullScreenStyle = WS_POPUP | WS_CLIPCHILDREN;
constexpr DWORD kBorderedStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX |
                                 WS_CLIPCHILDREN;

HCURSOR HandPointCursor() {
    return LoadCursorW(nullptr, IDC_HAND);
}

} // namespace

TForm1::TForm1(TApplication& application, TPlatform& platform, TImageWindowHooks hooks, std::string programKey)
    : TForm(application), platform_(platform), hooks_(std::move(hooks)), programKey_(std::move(programKey)) {
    TCreateParams p{kClassName, L"Muralto"};
    p.Style = kBorderedStyle;
    p.X = 0, p.Y = 0;
    p.Icon = LoadIconW(application.Instance(), L"MAINICON");
    p.Background = nullptr; // the paint box covers the client area
    CreateHandle(p);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    const int screenW = platform_.Screen.Width(), screenH = platform_.Screen.Height();
    // The paint box fills the client area; the dropper's colour box and
    // the effects box float above it.
    PaintBox_ = MakeForm<TFlickerFreePaintBox>(Application(), Handle(), "Picture", RECT{0, 0, screenW, screenH});
    PaintBox_->Color = 0xFFFFFF;
    PaintBox_->SetCursor(HandPointCursor());
    PaintBox_->OnPaint = [this](TBitmap& buffer) { PaintBoxPaint(buffer); };
    PaintBox_->OnMouse = [this](UINT message, POINT at, WPARAM keys) { PaintBoxMouse(message, at, keys); };
    ColorPreview_ = MakeForm<TFlickerFreePaintBox>(Application(), Handle(), "Color", RECT{0, 0, 70, 40}, false);
    ColorPreview_->OnPaint = [this](TBitmap& buffer) { ColorPreviewPaint(buffer); };
    CreateSizePanel();
    // The picture below everything that floats over it.
    SetWindowPos(PaintBox_->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DragAcceptFiles(Handle(), TRUE);
    Application().AddKeyHandler(Handle(), [this](const MSG& key) { return FormKeyDown(key); });

    // 1. and 2. No previews yet; the menu with its images.
    CreatePopupMenu1();
    // 3. The Most Recent sub-menu, filled when it opens.
    RecentMenu = std::make_unique<TBetterMenu>(platform_.Files, platform_.Folders, platform_.Screen,
                                               menus_->Measurer(), systemIcons_);
    RecentMenu->RootEntry = PopupMenu1.FindByName("MostRecent");
    RecentMenu->OnSelect = [this](TBetterMenu&, const std::string& path) { OpenRecent(path); };
    RecentMenu->Dpi = static_cast<int>(Dpi());
    RecentMenu->RootEntry->OnClick = RecentMenu->ClickHandler();
    // 4. and 5.
    screenWidthSeen_ = screenW;
    Engine_ = std::make_unique<TWallpaper>(platform_, TOwnerKind::ImageWindow, programKey_);
    Engine_->View = this;
    Engine_->LoadSettings();

    // Shown maximized; 6. full screen when the option says so.
    ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    if (Engine_->FullScreen) FullScreenClick();
}

void TForm1::FormDestroy() {
    *alive_ = false;
    Application().RemoveKeyHandler(Handle());
    if (menus_) menus_->Unregister(PopupMenu1);
    // The engine must not paint through a view that is going.
    if (Engine_) Engine_->View = nullptr;
}

void TForm1::FormDpiChanged() {
    if (RecentMenu) RecentMenu->Dpi = static_cast<int>(Dpi());
    if (SizePanel_) SizePanel_->FollowDpi(Dpi());
}

void TForm1::CopyPosition() {
    DragPos_ = {Engine_->Position.X, Engine_->Position.Y};
}

void TForm1::BringToFront() {
    SetForegroundWindow(Handle());
    // Above every window for a moment, then an ordinary window again.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm1::OpenFile(const std::string& path) {
    BringToFront();
    Engine_->OpenImage(path);
    CopyPosition();
}

void TForm1::ShowCurrentWallpaper() {
    SetForegroundWindow(Handle());
    Engine_->OpenCurrentWallpaper();
    CopyPosition();
}

bool TForm1::FullScreenMode() const {
    const TMenuItem* item = const_cast<TMenuItem&>(PopupMenu1).FindByName("FullScreen");
    return item && item->Checked;
}

bool TForm1::DropperMode() const {
    return PaintBox_->Cursor() == Application().Cursor(kDropperCursor);
}

// ---- The view the engine paints through ----

void TForm1::BeginWait() {
    if (waiting_++ == 0) {
        cursorBeforeWait_ = PaintBox_->Cursor();
        PaintBox_->SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void TForm1::EndWait() {
    if (waiting_ > 0 && --waiting_ == 0) PaintBox_->SetCursor(cursorBeforeWait_);
}

void TForm1::Repaint() {
    // Coalesced: a drag's many steps paint once per turn of the message loop.
    PaintBox_->Invalidate();
}

void TForm1::SetTitle(const std::string& title) {
    PaintBox_->SetHint(title);
    SetWindowTextW(Handle(), win::Wide(title).c_str());
}

void TForm1::ImageLoaded(const TBitmap& source, uint32_t color, bool editing) {
    for (TFlickerFreePaintBox* box : {PaintBox_.get(), &SizePaintBox()}) {
        box->SetPalette(source);
        box->Color = color;
        box->AssignFormat(source);
    }
    if (editing) LoadEffectsBox();
}

// ---- Painting ----

POINT TForm1::ScreenToPaintBox(POINT screen) const {
    // In full screen the paint box starts at the screen's corner; with a
    // border, at the client area's (the system's own conversion, exact for
    // any frame width).
    ScreenToClient(PaintBox_->Handle(), &screen);
    return screen;
}

void TForm1::PaintBoxPaint(TBitmap& buffer) {
    const TWallpaper& e = *Engine_;
    const TBitmap& picture = e.Tile && e.TileBuffer ? *e.TileBuffer : static_cast<const TBitmap&>(e.Image);
    const POINT at = ScreenToPaintBox(POINT{e.Origin.X, e.Origin.Y});
    DrawPicture(buffer, picture, at.x, at.y);
    preview_.ImageCentre = {e.Image.Width() / 2 + e.Position.X, e.Image.Height() / 2 + e.Position.Y};
    if (EffectsBoxShowing()) {
        preview_.PreviewPos = {e.Position.X, e.Position.Y};
        SizePaintBox().Invalidate();
    }
}

void TForm1::ColorPreviewPaint(TBitmap& buffer) {
    FrameBitmap(buffer, ColorPreview_->Color ^ 0xFFFFFF);
}

// ---- The mouse ----

void TForm1::PaintBoxMouse(UINT message, POINT at, WPARAM keys) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: PaintBoxMouseDown(message, at); break;
    case WM_MOUSEMOVE: PaintBoxMouseMove(at, keys); break;
    default: PaintBoxMouseUp(); break;
    }
}

void TForm1::PaintBoxMouseDown(UINT button, POINT at) {
    if (DropperMode()) {
        EndDropper();
        if (button == WM_LBUTTONDOWN) PickColor(at);
        swallowContextMenu_ = button == WM_RBUTTONDOWN;
        return;
    }
    if (button == WM_LBUTTONDOWN) {
        dragging_ = true;
        lastMouse_ = at;
    }
}

void TForm1::PickColor(POINT at) {
    const uint32_t color = PaintBox_->PixelColor(at);
    Engine_->Color = color;
    PaintBox_->Color = color;
    SizePaintBox().Color = color;
    // A turned picture's corners take the new colour.
    Engine_->RenderImage();
}

void TForm1::PaintBoxMouseMove(POINT at, WPARAM keys) {
    if (DropperMode()) {
        UpdateDropper();
        return;
    }
    TShiftState state;
    state.Left = (keys & MK_LBUTTON) != 0;
    state.Right = (keys & MK_RBUTTON) != 0;
    state.Middle = (keys & (MK_MBUTTON | MK_XBUTTON1 | MK_XBUTTON2)) != 0;
    state.Shift = (keys & MK_SHIFT) != 0;
    state.Ctrl = (keys & MK_CONTROL) != 0;
    state.Alt = GetKeyState(VK_MENU) < 0; // a mouse move carries no Alt flag
    if (dragging_ && ContinuesDrag(state)) {
        DragPos_.X += at.x - lastMouse_.x;
        DragPos_.Y += at.y - lastMouse_.y;
        Engine_->SetPosition(DragPos_.X, DragPos_.Y);
        lastMouse_ = at;
    } else {
        dragging_ = false;
    }
}

void TForm1::PaintBoxMouseUp() {
    dragging_ = false;
    PaintBox_->Repaint();
}

// ---- The colour dropper ----

void TForm1::UpdateDropper() {
    dragging_ = false;
    if (!DropperMode()) {
        PaintBox_->SetCursor(Application().Cursor(kDropperCursor));
        ColorPreview_->AssignFormat(Engine_->Image);
    }
    POINT cursor;
    if (!GetCursorPos(&cursor)) return;
    const POINT at = ScreenToPaintBox(cursor);
    const TBoxPlace box = DropperBoxPlace(at.x, at.y, platform_.Screen.Width(), static_cast<int>(Dpi()));
    ColorPreview_->SetBounds(RECT{box.Left, box.Top, box.Left + box.Width, box.Top + box.Height});
    ColorPreview_->Color = PaintBox_->PixelColor(at);
    if (!ColorPreview_->Visible()) ColorPreview_->SetVisible(true);
    ColorPreview_->Repaint();
}

void TForm1::EndDropper() {
    ColorPreview_->SetVisible(false);
    PaintBox_->SetCursor(HandPointCursor());
}

// ---- Keys ----

bool TForm1::FormKeyDown(const MSG& message) {
    const auto code = static_cast<uint16_t>(message.wParam);
    const bool box = EffectsBoxShowing();
    // Without dialog navigation, Tab moves between the box's controls here.
    if (code == VK_TAB && box) {
        const bool back = GetKeyState(VK_SHIFT) < 0;
        if (HWND next = GetNextDlgTabItem(SizePanel_->Handle(), GetFocus(), back)) SetFocus(next);
        return true;
    }
    switch (KeyAction(code, box, DropperMode())) {
    case TKeyAction::None: break;
    case TKeyAction::PreviousImage: StepImage(TSibling::Previous); break;
    case TKeyAction::NextImage: StepImage(TSibling::Next); break;
    case TKeyAction::FirstImage: StepImage(TSibling::First); break;
    case TKeyAction::LastImage: StepImage(TSibling::Last); break;
    case TKeyAction::Move: MoveBy(KeyStep(code).X, KeyStep(code).Y); break;
    case TKeyAction::RecycleImage: RecycleImage(); break;
    case TKeyAction::BoxOK: SizeOkClick(); break;
    case TKeyAction::BoxCancel: SizeCancelClick(); break;
    case TKeyAction::ReopenImage:
        if (!Engine_->FileName.empty()) OpenFile(Engine_->FileName);
        break;
    case TKeyAction::EndDropper: EndDropper(); break;
    case TKeyAction::StartDropper: UpdateDropper(); break;
    case TKeyAction::Close: CancelClick(); break;
    case TKeyAction::ShowBox: ShrinkMenuClick(); break;
    case TKeyAction::Apply: OKClick(); break;
    case TKeyAction::AlignBottom: AlignTo(0); break;
    case TKeyAction::AlignLeft: AlignTo(1); break;
    case TKeyAction::AlignRight: AlignTo(2); break;
    case TKeyAction::AlignTop: AlignTo(3); break;
    case TKeyAction::Center: AlignTo(4); break;
    case TKeyAction::CenterHorizontally: AlignTo(5); break;
    case TKeyAction::CenterVertically: AlignTo(6); break;
    case TKeyAction::ToggleFullScreen: FullScreenClick(); break;
    case TKeyAction::ToggleTile: TileClick(); break;
    case TKeyAction::Open: Browse1Click(); break;
    case TKeyAction::ShowMenu: ShowPopupMenu(POINT{0, 0}); break;
    case TKeyAction::Help: HelpKey(); break;
    }
    return false; // the key goes on to the focused control
}

void TForm1::MoveBy(int32_t dx, int32_t dy) {
    DragPos_.X += dx;
    DragPos_.Y += dy;
    Engine_->SetPosition(DragPos_.X, DragPos_.Y);
}

void TForm1::RecycleImage() {
    const std::string path = Engine_->FileName;
    if (path.empty()) return;
    // The shell asks and shows its own progress; only the outcome counts.
    platform_.Files.SendToRecycleBin(path);
    if (!platform_.Files.FileExists(path)) StepImage(TSibling::Next);
}

void TForm1::HelpKey() {
    Application().HelpContext(kHelpContext);
}

// ---- Window messages ----

LRESULT TForm1::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE: {
        RECT client;
        GetClientRect(Handle(), &client);
        if (PaintBox_ && client.right > 0) PaintBox_->SetBounds(client);
        break;
    }
    case WM_MOVE:
        // The picture keeps its place on the screen, not in the window.
        if (PaintBox_) PaintBox_->Invalidate();
        break;
    case WM_SYSCOMMAND: WMSysCommand(wParam); return 0;
    case WM_ACTIVATE:
        WMActivate(wParam);
        return 0;
    case WM_DISPLAYCHANGE: WMDisplayChange(); break;
    case WM_GETMINMAXINFO: WMGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    case WM_SHOWWINDOW:
        if (!wParam) FormHide();
        break;
    case WM_DROPFILES: FileDrop1Drop(reinterpret_cast<HDROP>(wParam)); return 0;
    case WM_CONTEXTMENU: {
        if (std::exchange(swallowContextMenu_, false)) return 0;
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (at.x == -1 && at.y == -1) at = POINT{0, 0}; // from the keyboard
        ShowPopupMenu(at);
        return 0;
    }
    case WM_HELP:
        // The keys gave the window's own help; a control of the effects box
        // that has none asks for nothing.
        return TRUE;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR: {
        LRESULT result = 0;
        if (menus_ && menus_->Offer(message, wParam, lParam, result)) return result;
        break;
    }
    case WM_CLOSE: CancelClick(); return 0;
    case WM_DESTROY: FormDestroy(); break;
    }
    return Default(message, wParam, lParam);
}

void TForm1::WMSysCommand(WPARAM command) {
    switch (command & 0xFFF0) {
    case SC_MINIMIZE: ShowWindow(Handle(), SW_MINIMIZE); break;
    case SC_MAXIMIZE:
    case SC_RESTORE: ShowWindow(Handle(), SW_MAXIMIZE); break; // never at a normal size
    case SC_CLOSE: CancelClick(); break;
    default: break; // moving, sizing and the rest are not for this window
    }
}

void TForm1::WMActivate(WPARAM state) {
    if (state == 0 || closing_) return;
    PaintBox_->RealizePalette();
    // The messages already queued first (a pending paint, a resize); the
    // window may be released meanwhile.
    const std::shared_ptr<bool> alive = alive_;
    Application().ProcessMessages();
    if (!*alive || closing_) return;
    PaintBox_->Repaint();
    HWND focus = GetFocus();
    if (focus != Handle() && !IsChild(Handle(), focus)) SetFocus(Handle());
}

void TForm1::WMDisplayChange() {
    const int width = platform_.Screen.Width();
    if (width == screenWidthSeen_) return;
    screenWidthSeen_ = width;
    Engine_->SetTile(Engine_->Tile); // tiles for the new screen size
    Engine_->SetPosition(DragPos_.X, DragPos_.Y);
}

void TForm1::WMGetMinMaxInfo(MINMAXINFO* info) {
    if (!info || !FullScreenMode()) return;
    // Without a border, maximized means the whole screen, taskbar included.
    info->ptMaxPosition = POINT{0, 0};
    info->ptMaxSize = POINT{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    info->ptMaxTrackSize = info->ptMaxSize;
}

void TForm1::FormHide() {
    // No window of the program stays on the taskbar.
    HWND main = Application().MainWindow;
    if (main && IsWindow(main) && !IsWindowVisible(main)) ShowWindow(main, SW_HIDE);
}

void TForm1::FileDrop1Drop(HDROP drop) {
    // Only the first of the names dropped counts.
    std::wstring name;
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    if (length > 0) {
        name.resize(length + 1);
        DragQueryFileW(drop, 0, &name[0], length + 1);
        name.resize(length);
    }
    DragFinish(drop);
    if (!name.empty()) OpenFile(win::Utf8(name));
}

// ---- Apply and close ----

void TForm1::OKClick() {
    if (closing_) return;
    closing_ = true;
    try {
        // One change at a time: while another runs, the window stays open
        // with everything the user set.
        if (!RunAsChange(platform_.Changes, [this] { Engine_->ApplyWallpaper(); })) {
            closing_ = false;
            return;
        }
    } catch (...) {
        closing_ = false; // a failed apply leaves a window that can still close
        throw;
    }
    if (hooks_.AfterApply) hooks_.AfterApply();
    ShowWindow(Handle(), SW_MINIMIZE);
    Release();
}

void TForm1::CancelClick() {
    if (closing_ || browsing_) return;
    closing_ = true;
    ShowWindow(Handle(), SW_MINIMIZE);
    Release();
}

void TForm1::FullScreenClick() {
    // Any failure of these steps leaves the window as it is.
    try {
        ShowWindow(Handle(), SW_HIDE);
        TMenuItem* item = PopupMenu1.FindByName("FullScreen");
        item->Checked = !item->Checked;
        PaintBox_->SetShowHint(item->Checked);
        const DWORD style = item->Checked ? kFullScreenStyle : kBorderedStyle;
        SetWindowLongPtrW(Handle(), GWL_STYLE, static_cast<LONG_PTR>(style));
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        // Maximized again, so that the new frame takes the screen anew.
        ShowWindow(Handle(), SW_SHOWNORMAL);
        ShowWindow(Handle(), SW_SHOWMAXIMIZED);
    } catch (...) {
    }
}
