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
