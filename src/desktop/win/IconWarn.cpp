#include "desktop/win/IconWarn.h"

#include "desktop/IconArrangement.h"

namespace {

constexpr int kDesignPixelsPerInch = 120;
constexpr int kClientWidth = 369, kClientHeight = 193;
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN; // no border icons
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

constexpr const wchar_t* kCaption = L"Muralto Warning";
constexpr const wchar_t* kWarningText =
    L"Before using this commands, please make sure you're not using Auto Arrange:\r\n"
    L"\r\n"
    L"Right-Click on the Desktop and open the menu \"Arrange Icons\", if the \"Auto Arrange\" option is "
    L"checked, please remove it.";
constexpr const wchar_t* kNoWarningCaption = L"&Don't warn me again.";
// The dialog was laid out for an 8-point font at 120 pixels per inch; the font
// scales with the rest so that the text fits the label at any resolution.
constexpr int kDesignFontHeight = -13;

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

} // namespace

TIconsWarningForm::TIconsWarningForm(TApplication& application, reg::IRegistry& registry)
    : TForm(application), registry_(registry), pixelsPerInch_(ScreenPixelsPerInch()) {
    TCreateParams p{kClassName, kCaption};
    p.Style = kStyle;
    p.ExStyle = kExStyle;
    RECT r{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
    p.X = p.Y = 0;
    // Owned by the program's hidden main window: an owned window gets no
    // taskbar button of its own.
    p.Parent = application.MainWindow;
    CreateHandle(p);
}

TIconsWarningForm::~TIconsWarningForm() {
    DestroyHandle();
}

int TIconsWarningForm::Scaled(int design) const {
    return MulDiv(design, pixelsPerInch_, kDesignPixelsPerInch);
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
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    font.lfHeight = Scaled(kDesignFontHeight);
    font.lfWidth = 0;
    font_.Reset(CreateFontIndirectW(&font));
    const auto make = [&](const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int w, int h, int id) {
        HWND c = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, Scaled(x), Scaled(y), Scaled(w),
                                 Scaled(h), Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 Application().Instance(), nullptr);
        SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
        return c;
    };
    make(L"STATIC", kWarningText, SS_LEFT | SS_NOPREFIX, 56, 16, 297, 113, idLabel1);
    // The system's warning sign, drawn at the picture's scaled size; shared
    // icons belong to the system and are never destroyed.
    HWND image = make(L"STATIC", L"", SS_ICON, 12, 16, 32, 32, idImage1);
    HANDLE sign = LoadImageW(nullptr, IDI_WARNING, IMAGE_ICON, Scaled(32), Scaled(32), LR_SHARED);
    SendMessageW(image, STM_SETICON, reinterpret_cast<WPARAM>(sign), 0);
    noIconsWarning_ = make(L"BUTTON", kNoWarningCaption, WS_TABSTOP | BS_AUTOCHECKBOX, 24, 136, 200, 21,
                           idNoIconsWarning);
    ok_ = make(L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 152, 160, 75, 25, IDOK);
}

void TIconsWarningForm::FormShow() {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int TIconsWarningForm::ShowModal() {
    FormShow();
    done_ = false;
    RunModal(done_, ok_);
    return IDOK;
}

void TIconsWarningForm::OKClick() {
    done_ = true;
}

void TIconsWarningForm::NoIconsWarningClick() {
    WriteNoIconsWarning(registry_, SendMessageW(noIconsWarning_, BM_GETCHECK, 0, 0) == BST_CHECKED);
}
