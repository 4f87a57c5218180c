#pragma once
// The display modes of the primary display as its driver lists them: read by
// index, tried without switching, and switched to for good.
#include <optional>

struct TDisplayMode {
    int Width = 0;
    int Height = 0;
    int BitsPerPixel = 0;
};

class IDisplayModes {
public:
    virtual ~IDisplayModes() = default;
    // The mode at this index of the driver's list (0, 1, 2, ...); nothing past
    // its end.
    virtual std::optional<TDisplayMode> Mode(int index) = 0;
    // True when the driver would accept a switch to the mode at this index
    // (a trial that changes nothing).
    virtual bool Test(int index) = 0;
    // Switches to the mode at this index and records it as the mode to start
    // with; true when the driver took it.
    virtual bool Change(int index) = 0;
    // The mode the display shows now; nothing when it cannot be read.
    virtual std::optional<TDisplayMode> Current() = 0;
};
