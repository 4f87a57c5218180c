#pragma once
// A plain panel: a child window that fills itself with its colour, may draw
// an etched frame and a one-line caption, and reports the mouse to its
// owner (a title bar that drags its box, a frame round a preview).
#include "platform/win32/Form.h"

#include <functional>
#include <string>

class TPanel : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TPanel";

    TPanel(TApplication& application, HWND parent, const std::string& caption);

    COLORREF BackColor = GetSysColor(COLOR_BTNFACE);
    COLORREF TextColor = GetSysColor(COLOR_BTNTEXT);
    HFONT CaptionFont = nullptr; // the system's GUI font when none
    bool Etched = false;         // a frame sunk outside, raised inside
    std::function<void(UINT message, POINT at, WPARAM keys)> OnMouse;

    // The inside of the frame, in the panel's pixels.
    RECT InnerRect() const;

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
};
