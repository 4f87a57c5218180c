#include "shell/win/FPWizard.h"

#include "platform/win32/Handles.h"
#include "resources/ResourceIds.h"

namespace {

constexpr int kClientWidth = 497, kClientHeight = 264; // at 120 dpi
// A fixed single border with the system menu. No minimize box: the wizard
// belongs to the hidden main window and gets no taskbar button to come
// back from.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr const wchar_t* kCaption = L"New Folder Pointer";
// The fields page takes the client area above the buttons.
constexpr int kFieldsHeight = 213;

constexpr DWORD kReadOnlyField = ES_READONLY | ES_AUTOHSCROLL | WS_DISABLED;
// Every part of the wizard shows the folder pointers topic, as the button
// that opens it does.
constexpr int kWizardHelp = 116;

// The labels come before their edits, so that Tab order, the mnemonic of
// the name's label and the edits' accessible names follow them.
const std::vector<win::TControlSpec>& FieldControls() {
    using T = TFPForm;
    static const std::vector<win::TControlSpec> table = {
        {L"STATIC", "Tip", T::idTip, "", SS_LEFT | SS_NOPREFIX, 0, 12, 12, 473, 40, kWizardHelp},
        {L"STATIC", "Label1", T::idLabel1, "Folder Pointer Location:", SS_LEFT | SS_NOPREFIX, 0, 12, 58, 473, 18,
         kWizardHelp},
        {L"EDIT", "FolderLocation", T::idFolderLocation, "", kReadOnlyField, WS_EX_CLIENTEDGE, 12, 76, 473, 25,
         kWizardHelp},
        {L"STATIC", "Label2", T::idLabel2, "Folder Pointer &Name:", SS_LEFT, 0, 12, 110, 473, 18, kWizardHelp},
        {L"EDIT", "FolderName", T::idFolderName, "", WS_TABSTOP | ES_AUTOHSCROLL | WS_DISABLED, WS_EX_CLIENTEDGE, 12,
         128, 473, 25, kWizardHelp},
        {L"STATIC", "Label3", T::idLabel3, "Folder Points to:", SS_LEFT | SS_NOPREFIX, 0, 12, 162, 473, 18,
         kWizardHelp},
        {L"EDIT", "FolderPoints", T::idFolderPoints, "", kReadOnlyField, WS_EX_CLIENTEDGE, 12, 180, 473, 25,
         kWizardHelp},
    };
    return table;
}

const std::vector<win::TControlSpec>& ButtonControls() {
    using T = TFPForm;
    static const std::vector<win::TControlSpec> table = {
        {L"BUTTON", "Back", T::idBack, "< Back", WS_TABSTOP | BS_PUSHBUTTON | WS_DISABLED, 0, 197, 221, 94, 31,
         kWizardHelp},
        {L"BUTTON", "Next", T::idNext, "Next >", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 291, 221, 94, 31, kWizardHelp},
        {L"BUTTON", "Cancel", T::idCancel, "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, 391, 221, 94, 31, kWizardHelp},
    };
    return table;
}

void SetText(HWND control, const std::string& text) {
    SetWindowTextW(control, win::Wide(text).c_str());
}

} // namespace

TFPForm::TFPForm(TApplication& application, TPlatform& platform, IShell& shell)
    : TForm(application), platform_(platform), Steps_(platform.Prompts, platform.Files, shell) {
    TCreateParams p{kClassName, kCaption};
    p.Style = kStyle;
    p.ClientWidth = kClientWidth;
    p.ClientHeight = kClientHeight;
    p.X = p.Y = 0;
    p.Icon = LoadIconW(application.Instance(), IDI_MAINICON);
    // Owned by the hidden main window, like the program's other boxes.
    p.Parent = application.MainWindow;
    CreateHandle(p);
}

HWND TFPForm::Field(const std::string& name) const {
    return Fields_ ? Fields_->Control(name) : nullptr;
}

LRESULT TFPForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        FormCreate();
        return 0;
    case WM_DESTROY:
        FormDestroy();
        return 0;
    case WM_ACTIVATE:
        FormActivate(LOWORD(wParam) != WA_INACTIVE);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case idNext: NextClick(); break;
        case idBack: BackClick(); break;
        case idCancel: CancelClick(); break;
        }
        return 0;
    case WM_CLOSE:
        CancelClick();
        return 0;
    case DM_GETDEFID: // Enter presses Next unless the focus is on another button
        return MAKELRESULT(idNext, DC_HASDEFID);
    case WM_NEXTDLGCTL: // how dialog navigation moves on after a label's mnemonic
        NextDlgCtl(wParam, lParam);
        return 0;
    }
    return Default(message, wParam, lParam);
}

void TFPForm::FormCreate() {
    // The page first: the fields come before the buttons in Tab order.
    Pages_.Create(*this, 0, 0, kClientWidth, kFieldsHeight, false);
    Fields_ = &Pages_.Add(MakeForm<TPage>(Application(), "Folder Pointer", FieldControls()));
    CreateControls(ButtonControls());
    // Tab, Enter and Escape work as in a dialog although the wizard is modeless.
    Application().AddKeyPreview(Handle());
    ShowStep({});
}

void TFPForm::FormDpiChanged() {
    Pages_.Layout();
}

void TFPForm::FormShow() {
    CenterOnScreen(platform_.Screen.Width(), platform_.Screen.Height());
}

void TFPForm::Show() {
    FormShow();
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(Control(idNext));
}

void TFPForm::FormDestroy() {
    // The holder's reference is cleared by the base class once the window is gone.
    Application().RemoveKeyPreview(Handle());
}

void TFPForm::FormActivate(bool active) {
    if (!active) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        return;
    }
    const bool usable = lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_);
    SetFocus(usable ? lastFocus_ : Control(idNext));
}

void TFPForm::NextClick() {
    try {
        ShowStep(Steps_.Next(FolderNameText()));
    } catch (...) {
        // An error of the shell goes to the error report; Finish still closes.
        if (Steps_.Finished()) Release();
        throw;
    }
}

void TFPForm::BackClick() {
    ShowStep(Steps_.Back());
}

void TFPForm::CancelClick() {
    Release();
}

void TFPForm::ShowStep(const TStepOutcome& outcome) {
    if (outcome.Close) {
        Release();
        return;
    }
    // Disabling the control that has the focus leaves the keyboard nowhere
    // (Back at the first step, the name once it is accepted).
    HWND focus = GetFocus();
    const TStepLook& look = Steps_.Look();
    SetText(Field("Tip"), look.Tip);
    SetText(Field("FolderLocation"), Steps_.FolderLocation());
    SetText(Field("FolderPoints"), Steps_.FolderPoints());
    HWND name = Field("FolderName");
    EnableWindow(name, look.FolderNameEnabled);
    EnableWindow(Control(idBack), look.BackEnabled);
    SetText(Control(idNext), look.NextCaption);

    if (outcome.FocusName) {
        SetFocus(name);
        SendMessageW(name, EM_SETSEL, 0, -1);
        return;
    }
    if (focus && IsChild(Handle(), focus) && !IsWindowEnabled(focus)) SetFocus(Control(idNext));
}

void TFPForm::NextDlgCtl(WPARAM which, LPARAM byHandle) {
    // As a dialog does it: the given control, or the next or previous one
    // in Tab order from the focus.
    HWND target = LOWORD(byHandle) ? reinterpret_cast<HWND>(which)
                                   : GetNextDlgTabItem(Handle(), GetFocus(), which != 0);
    if (target) SetFocus(target);
}

std::string TFPForm::FolderNameText() const {
    HWND name = Field("FolderName");
    const int length = GetWindowTextLengthW(name);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(name, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return win::Utf8(text);
}

TFPWizardHolder::TFPWizardHolder(TApplication& application, TPlatform& platform, IShell& shell)
    : application_(application), platform_(platform), shell_(shell) {}

TFPWizardHolder::~TFPWizardHolder() {
    if (form_) form_->DestroyHandle(); // deletes it and clears the reference
}

TFPForm& TFPWizardHolder::Show() {
    if (form_) {
        if (IsIconic(form_->Handle())) ShowWindow(form_->Handle(), SW_RESTORE);
        SetForegroundWindow(form_->Handle());
        return *form_;
    }
    (new TFPForm(application_, platform_, shell_))->FreeOnRelease(form_);
    form_->Show();
    return *form_;
}
