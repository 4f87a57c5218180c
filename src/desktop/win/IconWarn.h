#pragma once
// The warning shown before the icons are arranged: the shell's own automatic
// arrangement would undo any arrangement at once, so the user is reminded to
// switch it off. A check box stops the warning for good.
#include "platform/Registry.h"
#include "platform/win32/Form.h"

class TIconsWarningForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TIconsWarningForm";
    enum TControlId : int { idLabel1 = 101, idImage1, idNoIconsWarning };

    // Made with MakeForm; owned by the program's main window.
    TIconsWarningForm(TApplication& application, reg::IRegistry& registry);

    // Shows the dialog centred on the screen until OK, Enter or Escape
    // closes it; the result is always IDOK.
    int ShowModal();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    void FormCreate();
    void FormShow();
    void OKClick();
    void NoIconsWarningClick();
    void LoadWarningSign();

    reg::IRegistry& registry_;
};
