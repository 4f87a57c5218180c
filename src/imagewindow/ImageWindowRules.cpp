#include "imagewindow/ImageWindowRules.h"

namespace imagewindow {

TKeyAction KeyAction(uint16_t code, bool boxShowing, bool dropperMode) {
    using A = TKeyAction;
    switch (code) {
    case key::Back: return boxShowing ? A::None : A::PreviousImage;
    case key::Space: return boxShowing ? A::None : A::NextImage;
    case key::Home: return boxShowing ? A::None : A::FirstImage;
    case key::End: return boxShowing ? A::None : A::LastImage;
    case key::Left:
    case key::Right:
    case key::Up:
    case key::Down: return boxShowing ? A::None : A::Move;
    case key::Delete: return boxShowing ? A::None : A::RecycleImage;
    case key::Return: return boxShowing ? A::BoxOK : A::ReopenImage;
    case key::Escape:
    case 'C': return dropperMode ? A::EndDropper : boxShowing ? A::BoxCancel : A::Close;
    case 'D': return dropperMode ? A::EndDropper : A::StartDropper;
    case 'S': return boxShowing ? A::BoxCancel : A::ShowBox;
    case 'A': return A::Apply;
    case 'B': return A::AlignBottom;
    case 'E': return A::Center;
    case 'H': return A::CenterHorizontally;
    case 'L': return A::AlignLeft;
    case 'R': return A::AlignRight;
    case 'T': return A::AlignTop;
    case 'V': return A::CenterVertically;
    case 'F': return A::ToggleFullScreen;
    case 'I': return A::ToggleTile;
    case 'O': return A::Open;
    case 'M':
    case 'W': return A::ShowMenu;
    case key::F1: return boxShowing ? A::None : A::Help;
    }
    return A::None;
}

TStep KeyStep(uint16_t code) {
    switch (code) {
    case key::Left: return {kKeyStep, 0};
    case key::Right: return {-kKeyStep, 0};
    case key::Up: return {0, kKeyStep};
    case key::Down: return {0, -kKeyStep};
    }
    return {};
}

bool ContinuesDrag(const TShiftState& s) {
    return s.Left && !s.Right && !s.Middle && !s.Shift && !s.Ctrl && !s.Alt;
}

namespace {
// A length at 96 dpi at the monitor's DPI, rounded to the nearest pixel.
int Scale96(int value, int dpi) {
    return (value * dpi + 48) / 96;
}
} // namespace

TBoxPlace DropperBoxPlace(int x, int y, int screenWidth, int dpi) {
    TBoxPlace box;
    box.Width = Scale96(70, dpi);
    box.Height = Scale96(40, dpi);
    box.Left = screenWidth - x >= Scale96(90, dpi) ? x + Scale96(14, dpi) : x - Scale96(72, dpi);
    box.Top = y >= Scale96(60, dpi) ? y - Scale96(58, dpi) : y + Scale96(4, dpi);
    return box;
}

} // namespace imagewindow
