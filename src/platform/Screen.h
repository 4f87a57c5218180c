#pragma once
// What the program needs to know about the screen.
class IScreen {
public:
    virtual ~IScreen() = default;
    virtual int Width() = 0;
    virtual int Height() = 0;
};
