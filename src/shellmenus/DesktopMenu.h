#pragma once
// The Desktop sub-menu: the items of the shell's desktop after the menu's
// fixed entries, sorted by caption without regard to case and split into
// columns. Each entry's Tag is the item's position in the desktop's
// enumeration (items whose name could not be read still count), so the
// handler runs the item that was shown even when another has no name.
#include "shellmenus/MenuModel.h"

#include <functional>
#include <string>
#include <vector>

struct TDesktopEntry {
    std::string Caption;
    int32_t IconIndex = 0;   // in the system image list
    int32_t Position = 0;    // in the desktop's enumeration
};

// Fills the menu when it holds only its fixed entries (otherwise nothing
// happens) and has its native menu rebuilt once. Counting the menu's
// entries from 0 with the fixed ones, those at columnHeight, 2 ×
// columnHeight, ... start new columns.
void FillDesktopMenu(TMenuItem& menu, std::vector<TDesktopEntry> items, int fixedCount, int columnHeight,
                     const std::function<void(TMenuItem&)>& onClick);
