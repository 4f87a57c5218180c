#include "engine/Placement.h"

#include <algorithm>

namespace {

void Put32(uint8_t* out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t Get32(const uint8_t* in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

void PutInt(TPlacementBytes& b, size_t offset, int32_t v) { Put32(&b[offset], static_cast<uint32_t>(v)); }
int32_t GetInt(const TPlacementBytes& b, size_t offset) { return static_cast<int32_t>(Get32(&b[offset])); }

template <size_t N>
void PutBytes(TPlacementBytes& b, size_t offset, const uint8_t (&field)[N]) {
    std::copy(field, field + N, b.begin() + offset);
}

template <size_t N>
void GetBytes(const TPlacementBytes& b, size_t offset, uint8_t (&field)[N]) {
    std::copy(b.begin() + offset, b.begin() + offset + N, field);
}

int32_t Bound(int32_t v, int32_t limit) {
    return std::clamp(v, -limit, limit);
}

// A turn of more than the allowed turns looks the same reduced modulo 360
// (the remainder keeps the sign, so the direction is kept too).
int32_t BoundTurn(int32_t degrees) {
    return degrees < -kMaxPlacementTurn || degrees > kMaxPlacementTurn ? degrees % 360 : degrees;
}

} // namespace

TPlacementBytes PlacementBytes(const TPlacement& r) {
    TPlacementBytes b{};
    PutInt(b, offsetof(TPlacement, X), r.X);
    PutInt(b, offsetof(TPlacement, Y), r.Y);
    b[offsetof(TPlacement, Tile)] = r.Tile;
    b[offsetof(TPlacement, Fit)] = r.Fit;
    PutBytes(b, offsetof(TPlacement, Pad1), r.Pad1);
    PutInt(b, offsetof(TPlacement, Percentage), r.Percentage);
    Put32(&b[offsetof(TPlacement, Color)], r.Color);
    PutInt(b, offsetof(TPlacement, ScreenWidth), r.ScreenWidth);
    b[offsetof(TPlacement, Mirror)] = r.Mirror;
    PutBytes(b, offsetof(TPlacement, Pad2), r.Pad2);
    PutInt(b, offsetof(TPlacement, Rotate), r.Rotate);
    b[offsetof(TPlacement, FishEye)] = r.FishEye;
    b[offsetof(TPlacement, Twirl)] = r.Twirl;
    b[offsetof(TPlacement, Waves)] = r.Waves;
    b[offsetof(TPlacement, Pad3)] = r.Pad3;
    return b;
}

std::optional<TPlacement> PlacementFromBytes(const uint8_t* data, size_t size) {
    if (size != kPlacementSizeV1 && size != kPlacementSizeV2 && size != kPlacementSize) return std::nullopt;
    // Bytes past the stored size stay 0, which zeroes the fields that older
    // versions did not write.
    TPlacementBytes b{};
    std::copy(data, data + size, b.begin());
    TPlacement r;
    r.X = Bound(GetInt(b, offsetof(TPlacement, X)), kMaxPlacementOffset);
    r.Y = Bound(GetInt(b, offsetof(TPlacement, Y)), kMaxPlacementOffset);
    r.Tile = b[offsetof(TPlacement, Tile)];
    r.Fit = b[offsetof(TPlacement, Fit)];
    GetBytes(b, offsetof(TPlacement, Pad1), r.Pad1);
    r.Percentage = Bound(GetInt(b, offsetof(TPlacement, Percentage)), kMaxPlacementPercentage);
    r.Color = Get32(&b[offsetof(TPlacement, Color)]);
    r.ScreenWidth = std::clamp(GetInt(b, offsetof(TPlacement, ScreenWidth)), 0, kMaxPlacementScreenWidth);
    r.Mirror = b[offsetof(TPlacement, Mirror)];
    GetBytes(b, offsetof(TPlacement, Pad2), r.Pad2);
    r.Rotate = BoundTurn(GetInt(b, offsetof(TPlacement, Rotate)));
    r.FishEye = b[offsetof(TPlacement, FishEye)];
    r.Twirl = b[offsetof(TPlacement, Twirl)];
    r.Waves = b[offsetof(TPlacement, Waves)];
    r.Pad3 = b[offsetof(TPlacement, Pad3)];
    return r;
}

std::optional<TPlacement> ReadPlacement(reg::IKey& key, const std::string& name) {
    reg::Value value;
    if (!key.QueryValue(name, value) || value.Type != reg::kBinary) return std::nullopt;
    return PlacementFromBytes(value.Data.data(), value.Data.size());
}

void WritePlacement(reg::IKey& key, const std::string& name, const TPlacement& record) {
    const TPlacementBytes bytes = PlacementBytes(record);
    key.SetValue(name, reg::BinaryValue(bytes.data(), bytes.size()));
}

bool SamePlacement(const TPlacement& a, const TPlacement& b) {
    return PlacementBytes(a) == PlacementBytes(b);
}
