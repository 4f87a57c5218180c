#pragma once
// The warning shown before the icons are arranged: the shell's own automatic
// arrangement would undo any arrangement at once, so the user is reminded to
// switch it off. A check box stops the warning for good.
#include "platform/Registry.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"

class TIconsWarningForm : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TIconsWarningForm";
    enum TControlId : int { idLabel1 = 101, idImage1, idNoIconsWarning };

    TIconsWarningForm(TApplication& application, reg::IRegistry& registry);
    ~TIconsWarningForm() override;

    // Shows the dialog centred on the screen until OK, Enter or Escape
    // closes it; the result is always IDOK.
    int ShowModal();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FormCreate();
    void FormShow();
    void OKClick();
    void NoIconsWarningClick();
    // A design value (at 120 pixels per inch) at the screen's resolution.
    int Scaled(int design) const;

    reg::IRegistry& registry_;
    int pixelsPerInch_ = 96;
    HWND noIconsWarning_ = nullptr, ok_ = nullptr;
    win::UniqueFont font_;
    bool done_ = false;
};
