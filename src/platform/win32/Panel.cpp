#include "platform/win32/Panel.h"

#include "platform/win32/Handles.h"

TPanel::TPanel(TApplication& application, HWND parent, const std::string& caption) : TForm(application) {
    TCreateParams p{kClassName, win::Wide(caption)};
    p.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    p.Parent = parent;
    p.X = 0, p.Y = 0;
    p.Background = nullptr;
    CreateHandle(p);
}

RECT TPanel::InnerRect() const {
    RECT r;
    GetClientRect(Handle(), &r);
    if (Etched) InflateRect(&r, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
    return r;
}

void TPanel::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (!dc) return;
    RECT r;
    GetClientRect(Handle(), &r);
    SetBkColor(dc, BackColor);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
    if (Etched) DrawEdge(dc, &r, EDGE_ETCHED, BF_RECT);
    wchar_t caption[256];
    const int length = GetWindowTextW(Handle(), caption, 256);
    if (length > 0) {
        win::SelectedObject font(dc, CaptionFont ? CaptionFont : GetStockObject(DEFAULT_GUI_FONT));
        SetTextColor(dc, TextColor);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption, length, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    EndPaint(Handle(), &ps);
}

LRESULT TPanel::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: Paint(); return 0;
    case WM_SETTEXT: InvalidateRect(Handle(), nullptr, FALSE); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        if (OnMouse) {
            if (message == WM_LBUTTONDOWN) SetCapture(Handle());
            if (message == WM_LBUTTONUP) ReleaseCapture();
            OnMouse(message, POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}, wParam);
            return 0;
        }
        break;
    }
    return Default(message, wParam, lParam);
}
