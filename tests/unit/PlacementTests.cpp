// The placement record: its stored bytes, the older sizes, and reading it
// back from the registry.
#include "engine/Placement.h"
#include "unit/ListsOnRegistry.h"

#include <gtest/gtest.h>

namespace {

TPlacement Sample() {
    TPlacement p;
    p.X = -300;
    p.Tile = 1;
    p.Pad1[1] = 0xAA;
    p.Color = 0x00C0FFEE;
    p.ScreenWidth = 1024;
    p.Mirror = 1;
    p.Rotate = -90;
    p.Waves = 1;
    p.Pad3 = 0x55;
    return p;
}

} // namespace

TEST(PlacementRecord, IsStoredLittleEndianWithItsPaddingKept) {
    const auto b = PlacementBytes(Sample());
    EXPECT_EQ(std::vector<uint8_t>(b.begin(), b.begin() + 12),
              (std::vector<uint8_t>{0xD4, 0xFE, 0xFF, 0xFF, 0, 0, 0, 0, 1, 0, 0, 0xAA}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 16, b.begin() + 20), (std::vector<uint8_t>{0xEE, 0xFF, 0xC0, 0x00}));
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + 28, b.end()), (std::vector<uint8_t>{0xA6, 0xFF, 0xFF, 0xFF, 0, 0, 1, 0x55}));
    // Records compare as all 36 bytes: padding alone makes them differ.
    TPlacement other = Sample();
    other.Pad2[0] = 1;
    EXPECT_FALSE(SamePlacement(other, Sample()));
}

TEST(PlacementRecord, DamagedFieldsAreBroughtIntoRangeAndSoundOnesKeptByteForByte) {
    // Values at the edges of the ranges, and in between, read back as stored.
    for (int32_t offset : {-kMaxPlacementOffset, -1, 0, 77, kMaxPlacementOffset})
        for (int32_t turn : {-kMaxPlacementTurn, -361, 0, 90, 360, kMaxPlacementTurn})
            for (int32_t percentage : {-kMaxPlacementPercentage, 0, 1, 100, kMaxPlacementPercentage})
                for (int32_t width : {0, 1, 1024, kMaxPlacementScreenWidth}) {
                    TPlacement sound = Sample();
                    sound.X = offset, sound.Y = -offset, sound.Rotate = turn;
                    sound.Percentage = percentage, sound.ScreenWidth = width;
                    const auto bytes = PlacementBytes(sound);
                    const auto read = PlacementFromBytes(bytes.data(), bytes.size());
                    ASSERT_TRUE(read);
                    ASSERT_EQ(PlacementBytes(*read), bytes) << offset << " " << turn << " " << percentage << " " << width;
                }

    // The extremes a damaged value holds.
    TPlacement damaged = Sample();
    damaged.X = INT32_MIN, damaged.Y = INT32_MAX;
    damaged.Percentage = INT32_MAX, damaged.ScreenWidth = INT32_MIN, damaged.Rotate = INT32_MIN;
    auto bytes = PlacementBytes(damaged);
    auto read = PlacementFromBytes(bytes.data(), bytes.size());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->X, -kMaxPlacementOffset);
    EXPECT_EQ(read->Y, kMaxPlacementOffset);
    EXPECT_EQ(read->Percentage, kMaxPlacementPercentage);
    EXPECT_EQ(read->ScreenWidth, 0); // not known, as every width below 1
    EXPECT_EQ(read->Rotate, -128);   // -2^31 degrees turn as far as -128
    damaged.X = INT32_MAX, damaged.Y = INT32_MIN;
    damaged.Percentage = INT32_MIN, damaged.ScreenWidth = INT32_MAX, damaged.Rotate = INT32_MAX;
    bytes = PlacementBytes(damaged);
    read = PlacementFromBytes(bytes.data(), bytes.size());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->X, kMaxPlacementOffset);
    EXPECT_EQ(read->Y, -kMaxPlacementOffset);
    EXPECT_EQ(read->Percentage, -kMaxPlacementPercentage);
    EXPECT_EQ(read->ScreenWidth, kMaxPlacementScreenWidth);
    EXPECT_EQ(read->Rotate, 127); // 2^31 - 1 = 127 modulo 360
    // The fields that cannot overflow anything, and the padding, stay.
    EXPECT_EQ(read->Color, Sample().Color);
    EXPECT_EQ(read->Pad1[1], 0xAA);
    EXPECT_EQ(read->Pad3, 0x55);
    // An older, shorter record is brought into range as well.
    read = PlacementFromBytes(bytes.data(), kPlacementSizeV1);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->X, kMaxPlacementOffset);
    EXPECT_EQ(read->Rotate, 0);
}

TEST_P(ListsOnRegistry, PlacementsAreReadOnlyFromBinaryValuesOfTheKnownSizes) {
    auto key = registry->Create(reg::Root::CurrentUser, Path("Lists\\A\\MRUData"));
    const auto full = PlacementBytes(Sample());
    for (size_t size : {24, 32, 36, 28, 35, 40}) {
        std::vector<uint8_t> bytes(full.begin(), full.end());
        bytes.resize(size, 7);
        key->SetValue("size" + std::to_string(size), reg::BinaryValue(bytes.data(), bytes.size()));
    }
    const auto v1 = ReadPlacement(*key, "size24");
    ASSERT_TRUE(v1);
    EXPECT_EQ(v1->X, -300);
    EXPECT_EQ(v1->ScreenWidth, 1024);
    EXPECT_EQ(v1->Mirror + v1->Rotate + v1->Waves, 0);
    const auto v2 = ReadPlacement(*key, "size32");
    ASSERT_TRUE(v2);
    EXPECT_EQ(v2->Rotate, -90);
    EXPECT_EQ(v2->Waves + v2->Pad3, 0);
    EXPECT_TRUE(SamePlacement(*ReadPlacement(*key, "size36"), Sample()));
    for (const char* none : {"size28", "size35", "size40", "absent"}) EXPECT_FALSE(ReadPlacement(*key, none)) << none;
    // The right size in another type is no record either.
    reg::Value text = reg::BinaryValue(full.data(), full.size());
    text.Type = reg::kString;
    key->SetValue("text", text);
    EXPECT_FALSE(ReadPlacement(*key, "text"));

    // Written at 36 bytes under the path; the path in other letter case is the same value.
    WritePlacement(*key, "C:\\Pictures\\Sea.jpg", Sample());
    const auto stored = Get("Lists\\A\\MRUData", "c:\\PICTURES\\sea.JPG");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->Type, reg::kBinary);
    EXPECT_EQ(stored->Data.size(), 36u);
    TPlacement moved = Sample();
    moved.X = 5;
    WritePlacement(*key, "C:\\PICTURES\\SEA.JPG", moved);
    EXPECT_EQ(ReadPlacement(*key, "C:\\Pictures\\Sea.jpg")->X, 5);
    EXPECT_EQ(key->ValueNames().size(), 8u);
}
