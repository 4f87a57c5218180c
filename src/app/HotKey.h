#pragma once
// The start shortcut: a 16-bit shortcut code stored little-endian, the low
// byte a virtual key and the bits 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
#include "platform/Registry.h"

#include <cstdint>

constexpr uint16_t kShortcutShift = 0x2000;
constexpr uint16_t kShortcutCtrl = 0x4000;
constexpr uint16_t kShortcutAlt = 0x8000;
constexpr uint16_t kDefaultStartShortcut = kShortcutCtrl | kShortcutAlt | 'R'; // Ctrl+Alt+R

// RegisterHotKey's modifier bits.
constexpr uint32_t kModAlt = 0x0001;
constexpr uint32_t kModControl = 0x0002;
constexpr uint32_t kModShift = 0x0004;

struct THotKey {
    uint32_t Modifiers = 0;
    uint32_t VirtualKey = 0;
};

THotKey HotKeyFromShortcut(uint16_t shortcut);

// "StartShortcut" from the settings, read as the engine's LoadSettings reads
// it: absent, or not 2 bytes of binary data, gives Ctrl+Alt+R.
uint16_t ReadStartShortcut(reg::IRegistry& registry);
