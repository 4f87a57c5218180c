#pragma once
// The program is aware of each monitor's DPI: window and control sizes are
// laid out at a design resolution and scaled to the DPI of the monitor the
// window is on. The calls that tell a window's DPI exist from Windows 10
// 1607; before that the system DPI is used, as the system itself would.
#include <windows.h>

namespace win {

// Forms and dialogs are laid out at 120 dpi, menus at 96 dpi.
constexpr int kFormDesignDpi = 120;
constexpr int kMenuDesignDpi = 96;

UINT SystemDpi();
// The DPI of the monitor the window is on (the system DPI for none).
UINT DpiOf(HWND window);
// A length of the design resolution at this DPI.
inline int ScaleFromDesign(int value, UINT dpi, int designDpi = kFormDesignDpi) {
    return MulDiv(value, static_cast<int>(dpi), designDpi);
}
// The outer size of a window whose client area is this size, at this DPI.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);
// The system's message font at this DPI.
LOGFONTW MessageFont(UINT dpi);

} // namespace win
