#include "platform/win32/Form.h"

#include "platform/Errors.h"

#include <set>

TForm::~TForm() {
    DestroyHandle();
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
            throw EMuraltoError("Failed to register the window class");
        registered.insert(p.ClassName);
    }
    CreateWindowExW(p.ExStyle, p.ClassName, p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height, p.Parent,
                    nullptr, application_.Instance(), this);
    if (!handle_) throw EMuraltoError("Failed to create a window");
}

void TForm::DestroyHandle() {
    if (handle_) DestroyWindow(handle_);
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

void TForm::RunModal(const bool& done, HWND focus) {
    HWND owner = GetWindow(handle_, GW_OWNER);
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
    if (focus) SetFocus(focus);
    MSG msg;
    while (!done && handle_ && IsWindow(handle_)) {
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
    if (owner) EnableWindow(owner, TRUE);
    if (handle_) ShowWindow(handle_, SW_HIDE);
}

LRESULT TForm::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
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
        result = self->WndProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        self->application_.ShowException(e);
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
    }
    return result;
}
