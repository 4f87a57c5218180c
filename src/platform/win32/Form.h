#pragma once
// Base of every window of the program. One static window procedure binds the
// object at WM_NCCREATE, forwards each message to the object's WndProc and
// lets no exception escape: it goes to the application's error report.
#include "platform/win32/Application.h"

#include <string>

class TForm {
public:
    explicit TForm(TApplication& application) : application_(application) {}
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }
    TApplication& Application() const { return application_; }

protected:
    struct TCreateParams {
        const wchar_t* ClassName;
        std::wstring Caption;
        DWORD Style = WS_OVERLAPPEDWINDOW;
        DWORD ExStyle = 0;
        int X = CW_USEDEFAULT, Y = CW_USEDEFAULT, Width = CW_USEDEFAULT, Height = CW_USEDEFAULT;
        HWND Parent = nullptr;
        HICON Icon = nullptr;
        HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    };
    void CreateHandle(const TCreateParams& params);
    void DestroyHandle();

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Shows the window modally over its disabled owner until `done` turns
    // true or the window goes; dialog keys (Enter, Escape, Tab) work. A quit
    // request is left for the program's own loop.
    void RunModal(const bool& done, HWND focus);

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    TApplication& application_;
    HWND handle_ = nullptr;
};
