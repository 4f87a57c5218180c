#pragma once
// Colour helpers of the image window that the logo writer uses as well.
// Colours are 0x00BBGGRR; a system colour (top bit set, see
// platform/SystemColors.h) is resolved where a helper says so.
#include "platform/SystemColors.h"

#include <cstdint>

// (red + green + blue) div 3 of the colour value's three low bytes, taken as
// they are (a system colour is not resolved).
int Brightness(uint32_t color);

// Resolves a system colour through `systemColors` (the classic colours when
// null), then adds n to each of red, green and blue, rounding (ties to even)
// and clamping to 0 … 255.
uint32_t Lighten(uint32_t color, double n, ISystemColors* systemColors);

// Lighten with −n.
uint32_t Darken(uint32_t color, double n, ISystemColors* systemColors);
