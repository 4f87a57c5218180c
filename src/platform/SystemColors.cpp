#include "platform/SystemColors.h"

#include <array>
#include <cstddef>

namespace {

constexpr uint32_t RGBValue(uint32_t r, uint32_t g, uint32_t b) {
    return r | (g << 8) | (b << 16);
}

// By index: COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30). Index 25 has no
// colour on any version of Windows; 29 and 30 came with flat menus and are
// the highlight and the menu colour in the classic scheme.
constexpr std::array<uint32_t, 31> kClassic = {
    RGBValue(192, 192, 192), // 0 scroll bar
    RGBValue(0, 128, 128),   // 1 desktop
    RGBValue(0, 0, 128),     // 2 active caption
    RGBValue(128, 128, 128), // 3 inactive caption
    RGBValue(192, 192, 192), // 4 menu
    RGBValue(255, 255, 255), // 5 window
    RGBValue(0, 0, 0),       // 6 window frame
    RGBValue(0, 0, 0),       // 7 menu text
    RGBValue(0, 0, 0),       // 8 window text
    RGBValue(255, 255, 255), // 9 caption text
    RGBValue(192, 192, 192), // 10 active border
    RGBValue(192, 192, 192), // 11 inactive border
    RGBValue(128, 128, 128), // 12 application workspace
    RGBValue(0, 0, 128),     // 13 highlight
    RGBValue(255, 255, 255), // 14 highlight text
    RGBValue(192, 192, 192), // 15 button face
    RGBValue(128, 128, 128), // 16 button shadow
    RGBValue(128, 128, 128), // 17 grey text
    RGBValue(0, 0, 0),       // 18 button text
    RGBValue(192, 192, 192), // 19 inactive caption text
    RGBValue(255, 255, 255), // 20 button highlight
    RGBValue(0, 0, 0),       // 21 3-D dark shadow
    RGBValue(192, 192, 192), // 22 3-D light
    RGBValue(0, 0, 0),       // 23 tooltip text
    RGBValue(255, 255, 225), // 24 tooltip background
    0,                       // 25 none
    RGBValue(0, 0, 255),     // 26 hot-tracked item
    RGBValue(16, 132, 208),  // 27 gradient of the active caption
    RGBValue(181, 181, 181), // 28 gradient of the inactive caption
    RGBValue(0, 0, 128),     // 29 menu highlight
    RGBValue(192, 192, 192), // 30 menu bar
};

} // namespace

uint32_t TClassicSystemColors::SystemColor(int index) {
    return index >= 0 && index < static_cast<int>(kClassic.size()) ? kClassic[static_cast<size_t>(index)] : 0;
}

uint32_t ColorToRGB(uint32_t color, ISystemColors* colors) {
    if (!(color & kSystemColorFlag)) return color;
    const int index = static_cast<int>(color & 0xFF);
    if (colors) return colors->SystemColor(index);
    TClassicSystemColors classic;
    return classic.SystemColor(index);
}
