#pragma once
// The folder pointer wizard's window: the tip, the three fields and the
// buttons Back, Next (Finish at the last step) and Cancel. It is modeless,
// at most one exists (TFPWizardHolder), and it frees itself on Finish,
// Cancel and close. The steps themselves are TFolderPointerSteps; this
// window shows them and hands them the presses.
#include "platform/Platform.h"
#include "platform/win32/PageHost.h"
#include "shell/FolderPointerWizard.h"

#include <string>

class TFPForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TFPForm";
    // Next and Cancel carry the dialog ids, so Enter and Escape press them.
    static constexpr int idNext = IDOK, idCancel = IDCANCEL;
    enum TControlId : int {
        idBack = 101,
        // On the fields page:
        idTip,
        idLabel1,
        idFolderLocation,
        idLabel2,
        idFolderName,
        idLabel3,
        idFolderPoints,
    };

    // Made with new and freed on release; TFPWizardHolder does both.
    TFPForm(TApplication& application, TPlatform& platform, IShell& shell);

    // Centres the wizard on the screen, shows it and makes it active.
    void Show();
    // A control of the fields page by its component name ("FolderName").
    HWND Field(const std::string& name) const;
    const TFolderPointerSteps& Steps() const { return Steps_; }

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    void FormCreate();
    void FormShow();
    void FormDestroy();
    void FormActivate(bool active);
    void NextClick();
    void BackClick();
    void CancelClick();
    // The controls as the current step shows them, then the focus the
    // press asked for; a finished wizard releases itself instead.
    void ShowStep(const TStepOutcome& outcome);
    std::string FolderNameText() const;
    void NextDlgCtl(WPARAM which, LPARAM byHandle);

    TPlatform& platform_;
    TFolderPointerSteps Steps_;
    // One page holds the fields; the steps are its states, not pages of
    // their own, since every step shows the same fields.
    TPageHost Pages_;
    TPage* Fields_ = nullptr;
    // The control that had the focus when another window took over (the
    // folder picker, another program), to give it back on return.
    HWND lastFocus_ = nullptr;
};

// The program's one wizard: opened by the properties dialog's button and
// brought to the front by it while open. The reference clears itself when
// the wizard goes; the holder's end closes a wizard still open.
class TFPWizardHolder {
public:
    TFPWizardHolder(TApplication& application, TPlatform& platform, IShell& shell);
    ~TFPWizardHolder();
    TFPWizardHolder(const TFPWizardHolder&) = delete;
    TFPWizardHolder& operator=(const TFPWizardHolder&) = delete;

    // The open wizard brought to the front, or a new one shown.
    TFPForm& Show();
    // The open wizard, or none.
    TFPForm* Form() const { return form_; }

private:
    TApplication& application_;
    TPlatform& platform_;
    IShell& shell_;
    TFPForm* form_ = nullptr;
};
