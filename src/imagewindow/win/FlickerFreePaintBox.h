#pragma once
// A control that paints through an off-screen picture: each painting makes
// the picture the control's size (in the pixel format and palette of what it
// shows), fills it with Color, lets the owner draw on it and copies it to
// the screen in one piece. The background is never erased, so nothing
// flickers. It can select and realize a palette for 256-colour displays, and
// the owner reads pixels from the picture (the colour dropper).
#include "imagewindow/PaintBuffer.h"
#include "platform/win32/Form.h"
#include "platform/win32/Handles.h"

#include <functional>
#include <string>

class TFlickerFreePaintBox : public TForm {
public:
    static constexpr const wchar_t* kClassName = L"TFlickerFreePaintBox";

    // A child of the parent at (x, y), width × height pixels; the name is
    // the control's window text, which screen readers read.
    TFlickerFreePaintBox(TApplication& application, HWND parent, const std::string& name, RECT bounds,
                         bool visible = true);

    uint32_t Color = 0xFFFFFF; // 0x00BBGGRR
    // Draws the control's content onto its prepared off-screen picture.
    std::function<void(TBitmap& buffer)> OnPaint;
    // Button presses, releases and moves: the message, the point in the
    // control's pixels and the message's key flags (MK_*).
    std::function<void(UINT message, POINT at, WPARAM keys)> OnMouse;

    // The off-screen picture takes the pixel format and palette of this one.
    void AssignFormat(const TBitmap& like) { buffer_.AssignFormat(like); }
    TPaintBuffer& Buffer() { return buffer_; }
    // The colour of the picture's pixel as last painted (black outside it).
    uint32_t PixelColor(POINT at) const;

    // A logical palette of the picture's colours, selected and realized
    // whenever the control paints (none for a picture without palette).
    void SetPalette(const TBitmap& picture);
    void RealizePalette();

    void SetCursor(HCURSOR cursor);
    HCURSOR Cursor() const { return cursor_; }
    // The hint shown while the mouse rests over the control.
    void SetHint(const std::string& text);
    void SetShowHint(bool show);
    bool ShowHint() const { return showHint_; }

    void SetVisible(bool visible);
    bool Visible() const;
    // Paints at once (the owner's picture has changed).
    void Repaint();
    void Invalidate();

protected:
    LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void Render(HDC dc);
    void CreateHintWindow();

    TPaintBuffer buffer_;
    win::UniquePalette palette_;
    HCURSOR cursor_ = nullptr;
    HWND hint_ = nullptr; // destroyed with the control
    std::wstring hintText_;
    bool showHint_ = false;
};
