#include "imagewindow/win/FlickerFreePaintBox.h"

#include "imagewindow/win/DibDrawing.h"

#include <commctrl.h>

TFlickerFreePaintBox::TFlickerFreePaintBox(TApplication& application, HWND parent, const std::string& name,
                                           RECT bounds, bool visible)
    : TForm(application), cursor_(LoadCursorW(nullptr, IDC_ARROW)) {
    TCreateParams p{kClassName, win::Wide(name)};
    p.Style = WS_CHILD | WS_CLIPSIBLINGS | (visible ? WS_VISIBLE : 0);
    p.Parent = parent;
    p.X = bounds.left, p.Y = bounds.top;
    p.Background = nullptr; // never erased: the off-screen picture covers it
    CreateHandle(p);
    SetBounds(bounds);
}

void TFlickerFreePaintBox::SetVisible(bool visible) {
    if (visible)
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        ShowWindow(Handle(), SW_HIDE);
}

bool TFlickerFreePaintBox::Visible() const {
    return (GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void TFlickerFreePaintBox::Invalidate() {
    InvalidateRect(Handle(), nullptr, FALSE);
}

void TFlickerFreePaintBox::Repaint() {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

uint32_t TFlickerFreePaintBox::PixelColor(POINT at) const {
    const TBitmap& picture = buffer_.Bitmap();
    if (at.x < 0 || at.y < 0 || at.x >= picture.Width() || at.y >= picture.Height()) return 0;
    return QuadToColor(picture.Pixel(at.x, at.y));
}

void TFlickerFreePaintBox::SetPalette(const TBitmap& picture) {
    palette_ = MakeLogicalPalette(picture);
    RealizePalette();
}

void TFlickerFreePaintBox::RealizePalette() {
    if (!palette_) return;
    win::WindowDC dc(Handle());
    if (!dc) return;
    HPALETTE old = SelectPalette(dc.Get(), palette_.Get(), FALSE);
    ::RealizePalette(dc.Get());
    SelectPalette(dc.Get(), old, TRUE);
}

void TFlickerFreePaintBox::SetCursor(HCURSOR cursor) {
    cursor_ = cursor;
    // The new shape shows at once when the mouse is over the control.
    POINT at;
    if (GetCursorPos(&at) && WindowFromPoint(at) == Handle()) ::SetCursor(cursor_);
}

void TFlickerFreePaintBox::CreateHintWindow() {
    if (hint_) return;
    hint_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr,
                            Application().Instance(), nullptr);
    if (!hint_) return; // a control without hints still works
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(hintText_.c_str());
    SendMessageW(hint_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(hint_, TTM_ACTIVATE, showHint_, 0);
}

void TFlickerFreePaintBox::SetHint(const std::string& text) {
    hintText_ = win::Wide(text);
    CreateHintWindow();
    if (!hint_) return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<wchar_t*>(hintText_.c_str());
    SendMessageW(hint_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TFlickerFreePaintBox::SetShowHint(bool show) {
    showHint_ = show;
    CreateHintWindow();
    if (hint_) SendMessageW(hint_, TTM_ACTIVATE, show, 0);
}

void TFlickerFreePaintBox::Render(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    HPALETTE oldPalette = nullptr;
    if (palette_) {
        oldPalette = SelectPalette(dc, palette_.Get(), FALSE);
        ::RealizePalette(dc);
    }
    struct TRestore {
        HDC Dc;
        HPALETTE Palette;
        ~TRestore() {
            if (Palette) SelectPalette(Dc, Palette, TRUE);
        }
    } restore{dc, oldPalette};
    TBitmap& picture = buffer_.Prepare(client.right, client.bottom, Color);
    if (OnPaint) OnPaint(picture);
    DrawDib(dc, picture, 0, 0);
}

void TFlickerFreePaintBox::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (!dc) return;
    struct TEnd {
        HWND Window;
        PAINTSTRUCT* Ps;
        ~TEnd() { EndPaint(Window, Ps); }
    } end{Handle(), &ps};
    Render(dc);
}

LRESULT TFlickerFreePaintBox::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_PRINTCLIENT:
        // What the control shows, painted into the caller's DC.
        Render(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
    case WM_MOUSEMOVE:
        if (OnMouse) {
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            // A press keeps the mouse until its release, even off the control.
            if (message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN)
                SetCapture(Handle());
            else if (message != WM_MOUSEMOVE && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
                ReleaseCapture();
            OnMouse(message, at, wParam);
        }
        break; // the default handling makes the context menu of a right click
    case WM_DESTROY: hint_ = nullptr; break;
    }
    return Default(message, wParam, lParam);
}
