#pragma once
// The system metrics that the desktop icon grid is laid out from: the size a
// maximised window gets (the work area plus its frame), the window frame, the
// spacing of desktop icons and the width of an icon.

struct TDesktopMetrics {
    // The defaults describe a 1024 x 768 screen with a taskbar at the bottom,
    // used where the platform gives no metrics of its own.
    int MaximizedWidth = 1032;  // SM_CXMAXIMIZED
    int MaximizedHeight = 748;  // SM_CYMAXIMIZED
    int FrameWidth = 4;         // SM_CXFRAME
    int FrameHeight = 4;        // SM_CYFRAME
    int IconSpacingX = 75;      // SM_CXICONSPACING
    int IconSpacingY = 75;      // SM_CYICONSPACING
    int IconWidth = 32;         // SM_CXICON
};

class IDesktopMetrics {
public:
    virtual ~IDesktopMetrics() = default;
    // The metrics as they are now (they change with the display mode).
    virtual TDesktopMetrics Current() = 0;
};
