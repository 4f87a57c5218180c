#pragma once
// Which arrangement the user chose for the desktop icons, and the switches
// around it: the automatic arrangement ("RestoreIcons") and the warning
// about the shell's own automatic arrangement ("NoIconsWarning").
#include "desktop/DesktopIcons.h"
#include "platform/Registry.h"

#include <optional>

// The arrangements the user can have applied automatically.
enum class TIconArrangement { Left, Top, Right, Bottom, Spiral, Custom, Hide };

// The first of "IconsLeft", "IconsTop", "IconsRight", "IconsBottom",
// "IconsSpiral", "IconsCustom", "IconsNo" (in that order) that is true;
// nothing when none is. These reads run from timers and system broadcasts:
// like every option, a value of the wrong type reads as its default (off).
std::optional<TIconArrangement> ReadIconArrangement(reg::IRegistry& registry);
// The automatic arrangement is switched on.
bool ReadRestoreIcons(reg::IRegistry& registry);
// The user asked not to be warned again.
bool ReadNoIconsWarning(reg::IRegistry& registry);
void WriteNoIconsWarning(reg::IRegistry& registry, bool noWarning);

// ArrangeIcons with the arrangement's kind, or PlaceIcons for Custom.
bool RunIconArrangement(TDesktopIcons& icons, TIconArrangement arrangement);
// Runs the stored choice, if there is one; false when nothing ran.
bool ApplyStoredIconArrangement(reg::IRegistry& registry, TDesktopIcons& icons);
