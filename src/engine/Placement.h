#pragma once
// The placement record: where and how one image lies on the desktop. It is
// stored as a 36-byte little-endian binary value, once per list entry and once
// for the wallpaper on the desktop now; older versions wrote 24 and 32 bytes.
#include "platform/Registry.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

struct TPlacement {
    int32_t X = 0;           // left edge of the image (tiling: of one tile)
    int32_t Y = 0;           // top edge
    uint8_t Tile = 0;        // 1: repeated over the screen
    uint8_t Fit = 0;         // 1: scaled to fit the screen
    uint8_t Pad1[2] = {};
    int32_t Percentage = 0;  // size in percent; below 1 is drawn as 100
    uint32_t Color = 0;      // background, 0x00BBGGRR
    int32_t ScreenWidth = 0; // screen width when the record was written
    uint8_t Mirror = 0;      // 1: mirrored left to right
    uint8_t Pad2[3] = {};
    int32_t Rotate = 0;      // degrees
    uint8_t FishEye = 0;
    uint8_t Twirl = 0;
    uint8_t Waves = 0;
    uint8_t Pad3 = 0;
};

// The stored layout is the natural alignment of these fields; the padding is
// spelled out so that a record read and written again keeps every byte.
static_assert(std::is_standard_layout_v<TPlacement> && std::is_trivially_copyable_v<TPlacement>);
static_assert(sizeof(TPlacement) == 36);
static_assert(offsetof(TPlacement, X) == 0 && offsetof(TPlacement, Y) == 4);
static_assert(offsetof(TPlacement, Tile) == 8 && offsetof(TPlacement, Fit) == 9 && offsetof(TPlacement, Pad1) == 10);
static_assert(offsetof(TPlacement, Percentage) == 12 && offsetof(TPlacement, Color) == 16);
static_assert(offsetof(TPlacement, ScreenWidth) == 20 && offsetof(TPlacement, Mirror) == 24);
static_assert(offsetof(TPlacement, Pad2) == 25 && offsetof(TPlacement, Rotate) == 28);
static_assert(offsetof(TPlacement, FishEye) == 32 && offsetof(TPlacement, Twirl) == 33);
static_assert(offsetof(TPlacement, Waves) == 34 && offsetof(TPlacement, Pad3) == 35);

constexpr size_t kPlacementSize = sizeof(TPlacement);
// Sizes written by older versions: up to ScreenWidth, and up to Rotate.
constexpr size_t kPlacementSizeV1 = offsetof(TPlacement, Mirror);
constexpr size_t kPlacementSizeV2 = offsetof(TPlacement, FishEye);

using TPlacementBytes = std::array<uint8_t, kPlacementSize>;

// What a stored record may hold. Records come from the registry, where
// anything can have damaged them; reading brings every field into these
// ranges, which hold every real placement and keep all later position,
// size and angle arithmetic far from overflowing.
// X and Y: 16 million pixels either way of the screen's corner.
constexpr int32_t kMaxPlacementOffset = 1 << 24;
// Percentage: a thousand times the image's own size, either sign (every
// value below 1 is drawn as 100).
constexpr int32_t kMaxPlacementPercentage = 100000;
// Rotate: ten turns either way; beyond that the angle is kept modulo 360.
constexpr int32_t kMaxPlacementTurn = 10 * 360;
// ScreenWidth: up to 65536 pixels; 0 for a width that is not known, which
// every value below 1 means.
constexpr int32_t kMaxPlacementScreenWidth = 1 << 16;

// The stored form, little-endian whatever the machine's byte order.
TPlacementBytes PlacementBytes(const TPlacement& record);
// A record from stored bytes of one of the three sizes; every field past the
// stored size is 0, and every field lies in the ranges above (values inside
// them are kept as stored). Any other size gives no record.
std::optional<TPlacement> PlacementFromBytes(const uint8_t* data, size_t size);

// The record stored as the value `name` of the key: none when the value is
// absent, not binary, or not 24, 32 or 36 bytes long.
std::optional<TPlacement> ReadPlacement(reg::IKey& key, const std::string& name);
// Always written at the full 36 bytes.
void WritePlacement(reg::IKey& key, const std::string& name, const TPlacement& record);

// Records compare as their 36 stored bytes, padding included.
bool SamePlacement(const TPlacement& a, const TPlacement& b);
