#pragma once
// The primary display's modes through the display settings API.
#include "platform/DisplayModes.h"

class WinDisplayModes : public IDisplayModes {
public:
    std::optional<TDisplayMode> Mode(int index) override;
    bool Test(int index) override;
    bool Change(int index) override;
    std::optional<TDisplayMode> Current() override;
};
