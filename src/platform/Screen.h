#pragma once
// What the program needs to know about the screen.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int Width() = 0;
    virtual int Height() = 0;
    // The display's real colour depth in bits per pixel.
    virtual int BitsPerPixel() = 0;
};
