#pragma once
// Base of every window of the program. One static window procedure binds the
// object at WM_NCCREATE, forwards each message to the object's WndProc and
// lets no exception escape: it goes to the application's error report.
//
// Lifetime. A form's window is always destroyed while the whole object still
// exists, so the form's own handlers see its WM_DESTROY:
// - forms owned by someone are made with MakeForm; their deleter destroys the
//   window before any destructor runs;
// - forms that free themselves (image windows, the properties dialog, the
//   wizard) are made with new and FreeOnRelease; Release destroys the window
//   after the messages already queued, and the object deletes itself at
//   WM_NCDESTROY, clearing its opener's reference.
//
// DPI. Sizes are given at 120 dpi and scaled to the DPI of the monitor the
// window is on; on WM_DPICHANGED the form takes the suggested rectangle,
// makes its fonts again and lays out its control table again.
#include "platform/win32/Application.h"
#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TForm {
public:
    explicit TForm(TApplication& application);
    // A window still there (a form not made through MakeForm) is detached
    // and destroyed; the derived form's handlers no longer run for it.
    virtual ~TForm();
    TForm(const TForm&) = delete;
    TForm& operator=(const TForm&) = delete;

    HWND Handle() const { return handle_; }
    TApplication& Application() const { return application_; }
    UINT Dpi() const { return dpi_; }
    // A length at 120 dpi at this form's DPI.
    int Scaled(int design) const { return win::ScaleFromDesign(design, dpi_); }

    // Shows the form over its disabled owner until ModalResult turns
    // non-zero or the window goes, then hides it. Dialog keys (Enter,
    // Escape, Tab) work. A quit request is left for the program's own loop.
    // Returns the modal result (IDCANCEL when the window went). The focus
    // goes to the given control, or to the first that takes it.
    int ShowModal(HWND focus = nullptr);
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result) { modalResult_ = result; }
    bool Modal() const { return modal_; }
    // Asks the form to close, as its title bar's close button does.
    void Close();

    // The window goes after the messages already queued (a form may call it
    // from its own handlers); a form that frees itself is then deleted.
    void Release();
    // Marks a form made with new as freeing itself when its window goes;
    // the opener's reference is set now and cleared then.
    template <typename T>
    void FreeOnRelease(T*& reference) {
        reference = static_cast<T*>(this);
        clearReference_ = [&reference] { reference = nullptr; };
        freeOnDestroy_ = true;
    }
    void DestroyHandle();
    // Places the window (a child in its parent's client area) at the rectangle.
    void SetBounds(RECT bounds);

    // The font of the form's controls (null before CreateControls).
    HFONT Font() const { return fonts_.Get(win::TFontRole::Normal); }
    // The controls of the form's table, for its handlers and for tests.
    HWND Control(int id) const { return controls_.ById(id); }
    HWND Control(const std::string& name) const { return controls_.ByName(name); }
    // The form's control table as created (tests read its help contexts).
    const win::TControls& ControlTable() const { return controls_; }

protected:
    struct TCreateParams {
        const wchar_t* ClassName;
        std::wstring Caption;
        DWORD Style = WS_OVERLAPPEDWINDOW;
        DWORD ExStyle = 0;
        int X = CW_USEDEFAULT, Y = CW_USEDEFAULT;
        // The client area at 120 dpi; 0 leaves the size to the system.
        int ClientWidth = 0, ClientHeight = 0;
        HWND Parent = nullptr;
        HICON Icon = nullptr;
        HBRUSH Background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    };
    // Creates the window; throws the system's error when it cannot.
    void CreateHandle(const TCreateParams& params);
    // Creates the form's control table (call it from WM_CREATE's handler).
    void CreateControls(const std::vector<win::TControlSpec>& table);
    const win::TFormFonts& Fonts() const { return fonts_; }
    // Centres the window on a screen of this size.
    void CenterOnScreen(int screenWidth, int screenHeight);

    virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Fonts and the control table follow a new DPI (the window's own size
    // is the caller's business), then FormDpiChanged runs.
    void ApplyDpi(UINT dpi);
    // Runs after the fonts and the control table follow a new DPI.
    virtual void FormDpiChanged() {}

private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    void DpiChanged(UINT dpi, const RECT* suggested);
    bool ControlHelp(const HELPINFO* info);

    TApplication& application_;
    HWND handle_ = nullptr;
    UINT dpi_ = 96;
    int clientWidth_ = 0, clientHeight_ = 0; // design size, for a DPI change without suggestion
    win::TFormFonts fonts_;
    win::TControls controls_;
    int modalResult_ = 0;
    bool modal_ = false;
    bool freeOnDestroy_ = false;
    std::function<void()> clearReference_;
};

// Destroys the window first, then the object.
struct TFormDeleter {
    void operator()(TForm* form) const {
        form->DestroyHandle();
        delete form;
    }
};
template <typename T>
using TFormPtr = std::unique_ptr<T, TFormDeleter>;

template <typename T, typename... Args>
TFormPtr<T> MakeForm(Args&&... args) {
    return TFormPtr<T>(new T(std::forward<Args>(args)...));
}
