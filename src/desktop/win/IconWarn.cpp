#include "desktop/win/IconWarn.h"

#include "desktop/IconArrangement.h"

namespace {

constexpr int kClientWidth = 369, kClientHeight = 193; // at 120 dpi
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN; // no border icons
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr const wchar_t* kCaption = L"Muralto Warning";

const std::vector<win::TControlSpec>& Controls() {
    using T = TIconsWarningForm;
    static const std::vector<win::TControlSpec> table = {
        {L"STATIC", "Label1", T::idLabel1,
         "Before using this commands, please make sure you're not using Auto Arrange:\r\n"
         "\r\n"
         "Right-Click on the Desktop and open the menu \"Arrange Icons\", if the \"Auto Arrange\" option is "
         "checked, please remove it.",
         SS_LEFT | SS_NOPREFIX, 0, 56, 16, 297, 113},
        {L"STATIC", "Image1", T::idImage1, "", SS_ICON | SS_REALSIZECONTROL, 0, 12, 16, 32, 32},
        {L"BUTTON", "NoIconsWarning", T::idNoIconsWarning, "&Don't warn me again.", WS_TABSTOP | BS_AUTOCHECKBOX,
         0, 24, 136, 200, 21},
        {L"BUTTON", "OK", IDOK, "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 152, 160, 75, 25},
    };
    return table;
}

} // namespace

TIconsWarningForm::TIconsWarningForm(TApplication& application, reg::IRegistry& registry)
    : TForm(application), registry_(registry) {
    TCreateParams p{kClassName, kCaption};
    p.Style = kStyle;
    p.ExStyle = kExStyle;
    p.ClientWidth = kClientWidth;
    p.ClientHeight = kClientHeight;
    p.X = p.Y = 0;
    // Owned by the program's hidden main window: an owned window gets no
    // taskbar button of its own.
    p.Parent = application.MainWindow;
    CreateHandle(p);
}

LRESULT TIconsWarningForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) OKClick();
        if (LOWORD(wParam) == idNoIconsWarning && HIWORD(wParam) == BN_CLICKED) NoIconsWarningClick();
        return 0;
    case WM_CLOSE:
        OKClick();
        return 0;
    case DM_GETDEFID: // Enter presses OK wherever the focus is
        return MAKELRESULT(IDOK, DC_HASDEFID);
    }
    return Default(message, wParam, lParam);
}

void TIconsWarningForm::FormCreate() {
    CreateControls(Controls());
    LoadWarningSign();
}

void TIconsWarningForm::FormDpiChanged() {
    LoadWarningSign();
}

void TIconsWarningForm::LoadWarningSign() {
    // The system's warning sign at the picture's scaled size; shared icons
    // belong to the system and are never destroyed.
    HANDLE sign = LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, Scaled(32), Scaled(32), LR_SHARED);
    SendMessageW(Control(idImage1), STM_SETICON, reinterpret_cast<WPARAM>(sign), 0);
}

void TIconsWarningForm::FormShow() {
    CenterOnScreen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

int TIconsWarningForm::ShowModal() {
    FormShow();
    TForm::ShowModal(Control(IDOK));
    return IDOK;
}

void TIconsWarningForm::OKClick() {
    SetModalResult(IDOK);
}

void TIconsWarningForm::NoIconsWarningClick() {
    WriteNoIconsWarning(registry_, SendMessageW(Control(idNoIconsWarning), BM_GETCHECK, 0, 0) == BST_CHECKED);
}
