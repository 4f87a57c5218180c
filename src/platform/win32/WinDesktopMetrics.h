#pragma once
// The desktop metrics as the system reports them now.
#include "platform/DesktopMetrics.h"

class WinDesktopMetrics : public IDesktopMetrics {
public:
    TDesktopMetrics Current() override;
};
