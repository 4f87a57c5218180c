#include "imagewindow/Colors.h"

#include "imagewindow/PixelMath.h"

int Brightness(uint32_t color) {
    return static_cast<int>(((color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF)) / 3);
}

uint32_t Lighten(uint32_t color, double n, ISystemColors* systemColors) {
    const uint32_t rgb = ColorToRGB(color, systemColors);
    uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const double channel = static_cast<double>((rgb >> shift) & 0xFF) + n;
        result |= static_cast<uint32_t>(pixelmath::Clamp<int64_t>(pixelmath::RoundToInt64(channel), 0, 255)) << shift;
    }
    return result;
}

uint32_t Darken(uint32_t color, double n, ISystemColors* systemColors) {
    return Lighten(color, -n, systemColors);
}
