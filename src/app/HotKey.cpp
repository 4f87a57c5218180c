#include "app/HotKey.h"

#include "app/Settings.h"

THotKey HotKeyFromShortcut(uint16_t shortcut) {
    THotKey key;
    key.VirtualKey = shortcut & 0xFF;
    if (shortcut & kShortcutShift) key.Modifiers |= kModShift;
    if (shortcut & kShortcutCtrl) key.Modifiers |= kModControl;
    if (shortcut & kShortcutAlt) key.Modifiers |= kModAlt;
    return key;
}

uint16_t ReadStartShortcut(reg::IRegistry& registry) {
    return settings::TSettings(registry).Read(settings::kStartShortcut);
}
