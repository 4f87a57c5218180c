#pragma once
// The system's named colours: window, window text, button face, highlight
// and the others that GetSysColor knows by index. A colour value 0x00BBGGRR
// with its top bit set names one of them by its low byte, as the form
// library's colour constants do (0x80000000 | 15 is the button face).
#include <cstdint>

class ISystemColors {
public:
    virtual ~ISystemColors() = default;
    // The colour of a system colour index as 0x00BBGGRR; 0 (black) for an
    // index the system does not know.
    virtual uint32_t SystemColor(int index) = 0;
};

// The top bit that marks a colour value as the name of a system colour.
constexpr uint32_t kSystemColorFlag = 0x80000000u;

// The colours of the classic Windows scheme ("Windows Standard"), indices 0
// (scroll bar) to 30 (menu bar): what the program shows where the platform
// gives no colours of its own.
class TClassicSystemColors : public ISystemColors {
public:
    uint32_t SystemColor(int index) override;
};

// A colour value as red, green and blue: a system colour is looked up
// through `colors` (the classic colours when null); any other value is
// returned as it is.
uint32_t ColorToRGB(uint32_t color, ISystemColors* colors);
