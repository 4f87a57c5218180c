#include "platform/win32/InputBox.h"

#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"

namespace {

constexpr int kEditId = 100;

class TInputBoxForm : public TForm {
public:
    TInputBoxForm(TApplication& app, const std::string& caption, const std::string& prompt, const std::string& initial)
        : TForm(app), prompt_(win::Wide(prompt)), initial_(win::Wide(initial)) {
        TCreateParams p{L"TInputBoxForm", win::Wide(caption)};
        p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
        p.ExStyle = WS_EX_DLGMODALFRAME;
        RECT r{0, 0, 340, 110};
        AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
        p.Width = r.right - r.left;
        p.Height = r.bottom - r.top;
        p.X = (GetSystemMetrics(SM_CXSCREEN) - p.Width) / 2;
        p.Y = (GetSystemMetrics(SM_CYSCREEN) - p.Height) / 2;
        p.Parent = GetActiveWindow();
        CreateHandle(p);
    }
    ~TInputBoxForm() override { DestroyHandle(); }

    std::optional<std::string> ShowModal() {
        SendMessageW(edit_, EM_SETSEL, 0, -1);
        RunModal(done_, edit_);
        return result_;
    }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_CREATE:
            FormCreate();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) OKClick();
            if (LOWORD(wParam) == IDCANCEL) CancelClick();
            return 0;
        case WM_CLOSE:
            CancelClick();
            return 0;
        }
        return Default(message, wParam, lParam);
    }

private:
    void FormCreate() {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        font_.Reset(CreateFontIndirectW(&metrics.lfMessageFont));
        const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h,
                              int id, DWORD ex = 0) {
            HWND c = CreateWindowExW(ex, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Handle(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Application().Instance(),
                                     nullptr);
            SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), TRUE);
            return c;
        };
        make(L"STATIC", prompt_.c_str(), SS_LEFT, 10, 10, 320, 18, -1);
        edit_ = make(L"EDIT", initial_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, 10, 32, 320, 22, kEditId,
                     WS_EX_CLIENTEDGE);
        make(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 170, 72, 75, 25, IDOK);
        make(L"BUTTON", L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 255, 72, 75, 25, IDCANCEL);
    }
    void OKClick() {
        const int length = GetWindowTextLengthW(edit_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(edit_, &text[0], length + 1);
        text.resize(static_cast<size_t>(length));
        result_ = win::Utf8(text);
        done_ = true;
    }
    void CancelClick() { done_ = true; }

    std::wstring prompt_, initial_;
    HWND edit_ = nullptr;
    win::UniqueFont font_;
    std::optional<std::string> result_;
    bool done_ = false;
};

} // namespace

std::optional<std::string> TInputBox::Ask(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) {
    TApplication app(GetModuleHandleW(nullptr));
    TInputBoxForm form(app, caption, prompt, initial);
    return form.ShowModal();
}
