#include "platform/win32/Form.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/WinError.h"

#include <set>

namespace {

// Messages the base class posts to its own windows (above the range the
// forms use for their own).
constexpr UINT kReleaseMessage = WM_APP + 0x3F00;
constexpr UINT kModalStartedMessage = WM_APP + 0x3F01;

} // namespace

TForm::TForm(TApplication& application) : application_(application) {}

TForm::~TForm() {
    if (handle_ && IsWindow(handle_)) {
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TForm::CreateHandle(const TCreateParams& p) {
    static std::set<std::wstring> registered;
    if (!registered.count(p.ClassName)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = StaticWndProc;
        wc.hInstance = application_.Instance();
        wc.hIcon = p.Icon;
        wc.hIconSm = p.Icon;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = p.Background;
        wc.lpszClassName = p.ClassName;
        if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            win::ThrowLastError("Cannot register the window class " + win::Utf8(p.ClassName));
        registered.insert(p.ClassName);
    }
    // The DPI the window will have: that of the monitor at its position.
    dpi_ = win::SystemDpi();
    clientWidth_ = p.ClientWidth;
    clientHeight_ = p.ClientHeight;
    int width = CW_USEDEFAULT, height = CW_USEDEFAULT;
    if (p.ClientWidth > 0 && p.ClientHeight > 0) {
        const SIZE size = win::WindowSizeForClient(Scaled(p.ClientWidth), Scaled(p.ClientHeight), p.Style & ~WS_CHILD,
                                                   p.ExStyle, dpi_);
        width = size.cx, height = size.cy;
    }
    SetLastError(0);
    CreateWindowExW(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, width, height, p.Parent, nullptr,
                    application_.Instance(), this);
    if (!handle_) win::ThrowLastError("Cannot create the window " + win::Utf8(p.Caption));
    // A window on a monitor of another DPI is laid out for that one.
    const UINT actual = win::DpiOf(handle_);
    if (actual != dpi_) DpiChanged(actual, nullptr);
}

void TForm::CreateControls(const std::vector<win::TControlSpec>& table) {
    dpi_ = win::DpiOf(handle_);
    fonts_.Create(dpi_);
    controls_.Create(handle_, table, dpi_, fonts_);
}

void TForm::DestroyHandle() {
    if (handle_) DestroyWindow(handle_);
}

void TForm::SetBounds(RECT r) {
    SetWindowPos(handle_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Release() {
    if (handle_) PostMessageW(handle_, kReleaseMessage, 0, 0);
}

void TForm::Close() {
    if (handle_) SendMessageW(handle_, WM_CLOSE, 0, 0);
}

void TForm::CenterOnScreen(int screenWidth, int screenHeight) {
    RECT r;
    GetWindowRect(handle_, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(handle_, nullptr, (screenWidth - width) / 2, (screenHeight - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT TForm::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    // A modal form closes with "cancel" unless its own handler says more.
    if (message == WM_CLOSE && modal_) {
        modalResult_ = IDCANCEL;
        return 0;
    }
    return DefWindowProcW(handle_, message, wParam, lParam);
}

int TForm::ShowModal(HWND focus) {
    HWND owner = GetWindow(handle_, GW_OWNER);
    if (owner) EnableWindow(owner, FALSE);
    modalResult_ = 0;
    modal_ = true;
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    if (!focus) focus = GetNextDlgTabItem(handle_, nullptr, FALSE);
    if (focus) SetFocus(focus);
    // Tests see the form once its loop runs.
    PostMessageW(handle_, kModalStartedMessage, 0, 0);
    MSG msg;
    while (modalResult_ == 0 && handle_ && IsWindow(handle_)) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!IsDialogMessageW(handle_, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    modal_ = false;
    if (owner) EnableWindow(owner, TRUE);
    if (handle_) ShowWindow(handle_, SW_HIDE);
    return modalResult_ ? modalResult_ : IDCANCEL;
}

void TForm::DpiChanged(UINT dpi, const RECT* suggested) {
    dpi_ = dpi;
    if (suggested) {
        SetWindowPos(handle_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else if (clientWidth_ > 0 && clientHeight_ > 0) {
        const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
        const SIZE size = win::WindowSizeForClient(Scaled(clientWidth_), Scaled(clientHeight_), style & ~WS_CHILD,
                                                   exStyle, dpi_);
        SetWindowPos(handle_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyDpi(dpi);
}

void TForm::ApplyDpi(UINT dpi) {
    dpi_ = dpi;
    if (!controls_.Empty()) {
        fonts_.Create(dpi_);
        controls_.Layout(dpi_, fonts_);
    }
    FormDpiChanged();
}

bool TForm::ControlHelp(const HELPINFO* info) {
    if (!info || info->iContextType != HELPINFO_WINDOW) return false;
    const win::TControlSpec* row = controls_.SpecOf(static_cast<HWND>(info->hItemHandle));
    if (!row || row->HelpContext == 0) return false;
    application_.ControlHelp(row->HelpContext, row->Name, GetAncestor(handle_, GA_ROOT), info->MousePos);
    return true;
}

LRESULT TForm::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kReleaseMessage:
        DestroyWindow(handle_);
        return 0;
    case kModalStartedMessage:
        application_.ModalStarted(*this);
        return 0;
    case WM_DPICHANGED:
        DpiChanged(HIWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_HELP:
        if (ControlHelp(reinterpret_cast<const HELPINFO*>(lParam))) return TRUE;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CONTEXTHELP) {
            // The system runs the pointing loop inside this call and sends
            // WM_HELP for the control clicked before it returns.
            application_.SetContextHelpMode(true);
            const LRESULT result = WndProc(message, wParam, lParam);
            application_.SetContextHelpMode(false);
            return result;
        }
        break;
    }
    return WndProc(message, wParam, lParam);
}

LRESULT CALLBACK TForm::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TForm* self;
    if (message == WM_NCCREATE) {
        self = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->handle_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TForm*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = 0;
    try {
        result = self->Dispatch(message, wParam, lParam);
    } catch (const std::exception& e) {
        self->application_.ShowException(e);
    } catch (...) {
        self->application_.ShowUnknownException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        if (self->freeOnDestroy_) {
            if (self->clearReference_) self->clearReference_();
            delete self;
        }
    }
    return result;
}
