#pragma once
// The effects box's window: a panel floating over the image window, with a
// title bar that drags it, the size, fit, mirror, fish eye, twirl, waves and
// rotate controls, the miniature of the screen and the Preview, OK and
// Cancel buttons. What the controls do lives in the image window
// (EffectsBox.cpp); this class makes and lays out the controls, reads and
// sets their values, and hands their notifications to the image window.
#include "imagewindow/win/FlickerFreePaintBox.h"
#include "platform/win32/Form.h"
#include "platform/win32/Panel.h"

#include <cstdint>

class TForm1;

class TSizePanel : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TSizePanel";
    enum TControlId : int {
        idPercentage = 301,
        idPercentageSpin,
        idFit,
        idFlipX,
        idFishEye,
        idTwirl,
        idWaves,
        idRotate,
        idRotateSpin,
        idPreview,
        idSizeOk,
        idSizeCancel,
    };
    // The box's size and the title bar's height at 120 dpi.
    static constexpr int kWidth = 356, kHeight = 248, kTitleHeight = 26;

    TSizePanel(TApplication& application, TForm1& owner);

    TPanel& Panel2() { return *Panel2_; }
    TPanel& Panel1() { return *Panel1_; }
    TFlickerFreePaintBox& SizePaintBox() { return *SizePaintBox_; }

    // A spin edit's value: its text as a whole number, 0 when unreadable.
    int32_t Value(int id) const;
    void SetValue(int id, int32_t value);
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    void Enable(int id, bool enabled);

    bool Visible() const;
    void SetVisible(bool visible);
    RECT Bounds() const; // in the image window's client area
    void MoveTo(int left, int top);
    // Lays the panels out again for the image window's new DPI.
    void FollowDpi(UINT dpi);

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormDpiChanged() override;

private:
    void FormCreate();
    void LayoutPanels();
    void SetSpinRanges();

    TForm1& owner_;
    TFormPtr<TPanel> Panel2_;
    TFormPtr<TPanel> Panel1_;
    TFormPtr<TFlickerFreePaintBox> SizePaintBox_;
    win::UniqueFont titleFont_;
};
