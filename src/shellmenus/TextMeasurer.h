#pragma once
// How wide a menu caption is drawn, in pixels, with the main form's font. The
// Windows layer measures on the form's canvas; tests use fixed widths.
#include <string>

class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    virtual int TextWidth(const std::string& caption) = 0;
};
