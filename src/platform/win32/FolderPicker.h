#pragma once
// The shell's folder picker (SHBrowseForFolder) as the program shows it:
// captioned "Select Folder", without a status line, modal over its owner.
#include "platform/win32/ComPtr.h"

#include <windows.h>

#include <optional>
#include <string>

namespace win {

struct TPickedIdList {
    ItemIdList IdList; // from the desktop down
    std::string Text;  // its parsing name, else its display name, else its path
};

// Over the user's Start Menu folder; only file-system folders can be
// picked. Nothing when the user cancels.
std::optional<std::string> BrowseStartMenuFolder(HWND owner);
// Over the whole namespace from the desktop, virtual folders included.
// Nothing when the user cancels.
std::optional<TPickedIdList> BrowseNamespace(HWND owner);

} // namespace win
