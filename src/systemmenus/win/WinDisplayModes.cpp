#include "systemmenus/win/WinDisplayModes.h"

#include <windows.h>

namespace {

// The mode at the index of the primary display's list. Negative indices are
// refused: the API reads -1 and -2 as the current and the registry's mode.
bool Enumerate(int index, DEVMODEW& mode) {
    if (index < 0) return false;
    mode = DEVMODEW{};
    mode.dmSize = sizeof mode;
    return EnumDisplaySettingsW(nullptr, static_cast<DWORD>(index), &mode) != FALSE;
}

TDisplayMode ModeOf(const DEVMODEW& mode) {
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
            static_cast<int>(mode.dmBitsPerPel)};
}

bool ChangeTo(int index, DWORD flags) {
    DEVMODEW mode;
    if (!Enumerate(index, mode)) return false;
    // The listed mode as it is (its refresh rate included), with the fields
    // that make the mode marked as given whatever the driver reported.
    mode.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsW(&mode, flags) == DISP_CHANGE_SUCCESSFUL;
}

} // namespace

std::optional<TDisplayMode> WinDisplayModes::Mode(int index) {
    DEVMODEW mode;
    if (!Enumerate(index, mode)) return std::nullopt;
    return ModeOf(mode);
}

bool WinDisplayModes::Test(int index) {
    return ChangeTo(index, CDS_TEST);
}

bool WinDisplayModes::Change(int index) {
    return ChangeTo(index, CDS_UPDATEREGISTRY);
}

std::optional<TDisplayMode> WinDisplayModes::Current() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return std::nullopt;
    return ModeOf(mode);
}
