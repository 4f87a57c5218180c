#pragma once
// The items of the shell's desktop folder (My Computer, the Recycle Bin, the
// files and folders on the desktop) for the Desktop sub-menu, and running
// one of them when its entry is chosen.
#include <windows.h>
#include <shlobj.h>

#include <optional>
#include <string>
#include <vector>

struct TDesktopItem {
    std::string Caption; // the display name in the desktop folder
    int IconIndex;       // in the system image list
    // The item's position in the desktop's enumeration, counting items whose
    // name could not be read: the entry's Tag, handed back to RunDesktopItem.
    int EnumIndex;
};

// The desktop folder's items (folders and non-folders) in the shell's order,
// with the window as owner of anything the shell shows. An item whose
// display name cannot be read is left out; the positions of the others do
// not move.
std::vector<TDesktopItem> DesktopItems(HWND owner);

// Makes the program folder the current directory, enumerates the desktop
// again, skips `enumIndex` items and runs the default command of the next
// one. True when the shell reports that the command ran.
bool RunDesktopItem(int enumIndex, HWND owner, const std::string& programFolder);

// The text of a display name the shell returned for an item: a wide string
// (its memory is given back to the shell allocator here), an ANSI string
// stored at an offset into the item's identifier, or an ANSI string in the
// record itself, taken as it is up to its 260 characters. Nothing for a
// form this code does not know.
std::optional<std::string> DisplayNameText(STRRET& name, PCUITEMID_CHILD item);
