#pragma once
// The tray menu's display-mode sub-menu: every mode the driver accepts, the
// current one checked, and a switch to the chosen one for good. One handler
// serves the sub-menu's own entry (when it opens) and its mode entries (when
// chosen).
#include "platform/DisplayModes.h"
#include "platform/Registry.h"
#include "shellmenus/MenuModel.h"

#include <functional>
#include <string>

// "1024x768  16 Bits".
std::string DisplayModeCaption(const TDisplayMode& mode);

// The caption the current mode's entries carry, from HKEY_CURRENT_CONFIG
// "Display\Settings": "Resolution" ("1024,768", its first comma becoming
// "x") and "BitsPerPixel". Where either value is missing, as on the NT
// family, the current mode's own numbers stand in for it; where that cannot
// be read either, the text matches no entry.
std::string CurrentDisplayModeText(IDisplayModes& modes, reg::IRegistry& registry);

// Adds an entry for every mode that passes the trial, in the driver's order
// and with duplicates kept (modes differing only in refresh rate), each with
// Tag = minus its index and entryClick as its OnClick. An entry starts a new
// column (with a bar) whenever the sub-menu already holds a column's worth,
// the placeholder counted: screenHeight divided by the menu's entry height
// (22 at 96 dpi, scaled by dpi). The placeholder goes when something came.
void FillDisplayMenu(TMenuItem& display, IDisplayModes& modes, reg::IRegistry& registry, int screenHeight, int dpi,
                     const std::function<void(TMenuItem&)>& entryClick = {});

// Switches to the mode the entry stands for (index = -Tag) when it can
// still be read, then runs restartTimer2 (the desktop refresh) whether the
// driver took the mode or not.
void SwitchDisplayMode(const TMenuItem& entry, IDisplayModes& modes, const std::function<void()>& restartTimer2);

// What the sub-menu's entry and its mode entries share.
struct TDisplayMenuContext {
    IDisplayModes& Modes;
    reg::IRegistry& Registry;
    // Asked at each fill: the screen may have changed since the last one.
    std::function<int()> ScreenHeight;
    std::function<int()> Dpi;
    std::function<void()> RestartTimer2;
};

// An entry without sub-entries (a mode) switches; an entry whose first
// sub-entry is the placeholder is filled (its mode entries get this same
// handler) and its native menu rebuilt; anything else is left alone.
void DisplayMenuClick(TMenuItem& entry, const TDisplayMenuContext& context);

// DisplayMenuClick as an OnClick handler; the context is copied into it.
std::function<void(TMenuItem&)> DisplayMenuHandler(TDisplayMenuContext context);
