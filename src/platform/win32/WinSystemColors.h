#pragma once
// The system's named colours as Windows has them set (GetSysColor).
#include "platform/SystemColors.h"

class WinSystemColors : public ISystemColors {
public:
    uint32_t SystemColor(int index) override;
};
