#include "app/HotKey.h"

#include "app/Extra.h"
#include "app/RegistryNames.h"

THotKey HotKeyFromShortcut(uint16_t shortcut) {
    THotKey key;
    key.VirtualKey = shortcut & 0xFF;
    if (shortcut & kShortcutShift) key.Modifiers |= kModShift;
    if (shortcut & kShortcutCtrl) key.Modifiers |= kModControl;
    if (shortcut & kShortcutAlt) key.Modifiers |= kModAlt;
    return key;
}

uint16_t ReadStartShortcut(reg::IRegistry& registry) {
    TRegistry settings(registry, reg::Root::CurrentUser);
    if (!settings.OpenKeyReadOnly(reg::JoinPath(regnames::kProgramKey, regnames::kOptionsShortcuts)))
        return kDefaultStartShortcut;
    const auto value = settings.ReadValue(regnames::kStartShortcut);
    if (!value || value->Type != reg::kBinary || value->Data.size() != 2) return kDefaultStartShortcut;
    return static_cast<uint16_t>(value->Data[0] | (value->Data[1] << 8));
}
