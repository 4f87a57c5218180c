#pragma once
// One desktop icon's position and the kinds of arrangement.
#include <cstdint>

// A position in the desktop list view's coordinates, as the list view reports
// and accepts an item's position.
struct TIconData {
    int32_t X = 0;
    int32_t Y = 0;
};

inline bool operator==(const TIconData& a, const TIconData& b) {
    return a.X == b.X && a.Y == b.Y;
}
inline bool operator!=(const TIconData& a, const TIconData& b) {
    return !(a == b);
}

// The arrangements of ArrangeIcons, numbered as the program has always
// numbered them.
enum class TArrangeKind : int {
    Bottom = 0, // rows from the bottom
    Left = 1,   // columns from the left
    Right = 2,  // columns from the right
    Spiral = 3, // a spiral from the top-left corner inward
    Top = 4,    // rows from the top
    Hide = 5,   // every icon off the screen
};
