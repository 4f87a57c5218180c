#pragma once
// The image window's rules that do not need a window: what each key does in
// each mode, when a mouse move continues a drag, and where the colour
// dropper's preview box goes beside the cursor. The window applies them.
#include <cstdint>

namespace imagewindow {

// Key codes as the system numbers them.
namespace key {
constexpr uint16_t Back = 0x08, Return = 0x0D, Escape = 0x1B, Space = 0x20, End = 0x23, Home = 0x24, Left = 0x25,
                   Up = 0x26, Right = 0x27, Down = 0x28, Delete = 0x2E, F1 = 0x70;
} // namespace key

enum class TKeyAction {
    None,
    PreviousImage, NextImage, FirstImage, LastImage, // the image's folder
    Move,         // the image by KeyStep's amount
    RecycleImage, // the current file to the Recycle Bin
    BoxOK, BoxCancel,
    ReopenImage, // the current file again with its stored placement
    EndDropper, StartDropper,
    Close, ShowBox, Apply,
    AlignBottom, AlignLeft, AlignRight, AlignTop, Center, CenterHorizontally, CenterVertically,
    ToggleFullScreen, ToggleTile, Open, ShowMenu, Help,
};

// The action of a key by its code alone (Shift, Ctrl and Alt change
// nothing); the dropper decides before the effects box.
TKeyAction KeyAction(uint16_t key, bool boxShowing, bool dropperMode);

// How far an arrow key moves the image: 50 pixels against its direction
// (Left moves it right). Zero for any other key.
struct TStep {
    int32_t X = 0, Y = 0;
};
constexpr int32_t kKeyStep = 50;
TStep KeyStep(uint16_t key);

// The buttons and modifier keys held during a mouse move.
struct TShiftState {
    bool Left = false, Right = false, Middle = false;
    bool Shift = false, Ctrl = false, Alt = false;
};
// A drag goes on only while the left button alone is held: a modifier key
// or a second button ends it at the next move.
bool ContinuesDrag(const TShiftState& state);

// The dropper's preview box: its size and its offsets from the cursor are
// lengths at 96 dpi that scale together with the monitor's DPI.
struct TBoxPlace {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const TBoxPlace& o) const {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};
// Above and to the right of the cursor at (x, y); to the left near the
// screen's right edge (less than 90 from it), below near its top (y < 60).
TBoxPlace DropperBoxPlace(int x, int y, int screenWidth, int dpi);

} // namespace imagewindow
