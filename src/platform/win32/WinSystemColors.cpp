#include "platform/win32/WinSystemColors.h"

#include <windows.h>

uint32_t WinSystemColors::SystemColor(int index) {
    // GetSysColor answers 0 for an index it does not know; COLORREF is 0x00BBGGRR.
    return static_cast<uint32_t>(GetSysColor(index)) & 0x00FFFFFF;
}
