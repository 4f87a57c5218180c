#include "platform/win32/InputBox.h"

#include "platform/win32/Handles.h"

namespace {

constexpr int kClientWidth = 425, kClientHeight = 138; // at 120 dpi

} // namespace

TInputBoxForm::TInputBoxForm(TApplication& application, const std::string& caption, const std::string& prompt,
                             const std::string& initial)
    : TForm(application), prompt_(prompt), initial_(initial) {
    TCreateParams p{kClassName, win::Wide(caption)};
    p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    p.ExStyle = WS_EX_DLGMODALFRAME;
    p.ClientWidth = kClientWidth;
    p.ClientHeight = kClientHeight;
    p.X = p.Y = 0;
    HWND active = GetActiveWindow();
    p.Parent = active ? active : application.MainWindow;
    CreateHandle(p);
    CenterOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

LRESULT TInputBoxForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) OKClick();
        if (LOWORD(wParam) == IDCANCEL) SetModalResult(IDCANCEL);
        return 0;
    }
    return Default(message, wParam, lParam);
}

void TInputBoxForm::FormCreate() {
    // The prompt and the text come from the caller, so the table is made here.
    CreateControls({
        {L"STATIC", "Prompt", idPrompt, prompt_.c_str(), SS_LEFT | SS_NOPREFIX, 0, 12, 12, 400, 22},
        {L"EDIT", "Edit", idEdit, initial_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 12, 40, 400,
         27},
        {L"BUTTON", "OK", IDOK, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 212, 90, 94, 31},
        {L"BUTTON", "Cancel", IDCANCEL, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, 318, 90, 94, 31},
    });
}

void TInputBoxForm::OKClick() {
    HWND edit = Control(idEdit);
    const int length = GetWindowTextLengthW(edit);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(edit, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    result_ = win::Utf8(text);
    SetModalResult(IDOK);
}

std::optional<std::string> TInputBoxForm::Ask() {
    SendMessageW(Control(idEdit), EM_SETSEL, 0, -1);
    return ShowModal() == IDOK ? result_ : std::nullopt;
}

std::optional<std::string> TInputBox::Ask(TApplication& application, const std::string& caption,
                                          const std::string& prompt, const std::string& initial) {
    return MakeForm<TInputBoxForm>(application, caption, prompt, initial)->Ask();
}
