#include "platform/win32/WinDesktopMetrics.h"

#include <windows.h>

TDesktopMetrics WinDesktopMetrics::Current() {
    TDesktopMetrics m;
    m.MaximizedWidth = GetSystemMetrics(SM_CXMAXIMIZED);
    m.MaximizedHeight = GetSystemMetrics(SM_CYMAXIMIZED);
    m.FrameWidth = GetSystemMetrics(SM_CXFRAME);
    m.FrameHeight = GetSystemMetrics(SM_CYFRAME);
    m.IconSpacingX = GetSystemMetrics(SM_CXICONSPACING);
    m.IconSpacingY = GetSystemMetrics(SM_CYICONSPACING);
    m.IconWidth = GetSystemMetrics(SM_CXICON);
    return m;
}
