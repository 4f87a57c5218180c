// The desktop icon component over a fake desktop and the in-memory registry:
// saving, restoring, arranging, and the stored choice of the automatic
// arrangement.
#include "app/RegistryNames.h"
#include "desktop/DesktopIcons.h"
#include "desktop/IconArrangement.h"
#include "desktop/ListViewLayout.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/host/HostDesktopMetrics.h"
#include "platform/host/HostRegistry.h"
#include "unit/MemoryListView.h"

#include <gtest/gtest.h>

using reg::Root;

namespace {

// The desktop: its list view over icons in memory, or none.
class TFakeDesktop : public IDesktop {
public:
    using TItem = TMemoryIcon;
    std::vector<TItem> Items;
    bool Present = true;
    std::vector<uint32_t> Sent; // every packed position, in order
    int UnreachableAt = -1;     // reading this item's label fails

    std::unique_ptr<IDesktopListView> FindDesktopListView() override {
        return Present ? std::make_unique<TMemoryListView>(Items, &Sent, &UnreachableAt) : nullptr;
    }
};

// Passes everything on but refuses to write one value name, as a registry
// would refuse a write for lack of room or rights.
class TRefusingRegistry : public reg::IRegistry {
public:
    TRefusingRegistry(reg::IRegistry& inner, std::string refused) : inner_(inner), refused_(std::move(refused)) {}
    std::unique_ptr<reg::IKey> Open(Root root, const std::string& path, bool write) override {
        return Wrap(inner_.Open(root, path, write));
    }
    std::unique_ptr<reg::IKey> Create(Root root, const std::string& path) override {
        return Wrap(inner_.Create(root, path));
    }
    bool DeleteTree(Root root, const std::string& path) override { return inner_.DeleteTree(root, path); }

private:
    class TKey : public reg::IKey {
    public:
        TKey(std::unique_ptr<reg::IKey> inner, const std::string& refused) : inner_(std::move(inner)), refused_(refused) {}
        bool QueryValue(const std::string& n, reg::Value& v) override { return inner_->QueryValue(n, v); }
        void SetValue(const std::string& n, const reg::Value& v) override {
            if (text::SameText(n, refused_)) throw ERegistryException("Failed to set data for '" + n + "'");
            inner_->SetValue(n, v);
        }
        bool DeleteValue(const std::string& n) override { return inner_->DeleteValue(n); }
        std::vector<std::string> SubKeyNames() override { return inner_->SubKeyNames(); }
        std::vector<std::string> ValueNames() override { return inner_->ValueNames(); }

    private:
        std::unique_ptr<reg::IKey> inner_;
        std::string refused_;
    };
    std::unique_ptr<reg::IKey> Wrap(std::unique_ptr<reg::IKey> key) {
        return key ? std::make_unique<TKey>(std::move(key), refused_) : nullptr;
    }
    reg::IRegistry& inner_;
    std::string refused_;
};

// Maximised 808 x 580, frame 4 x 4, spacing 75 x 75, icon width 32: a grid
// of 10 x 7 cells of 80 x 81 from (28, 6).
const TDesktopMetrics kExampleScreen{808, 580, 4, 4, 75, 75, 32};

class DesktopIcons : public ::testing::Test {
protected:
    reg::HostRegistry registry;
    TFakeDesktop desktop;
    HostDesktopMetrics metrics{kExampleScreen};
    TDesktopIcons icons{registry, desktop, &metrics};

    void SetUp() override { icons.RegistryKey = regnames::kIconsKey; }

    // Icons "Icon 0", "Icon 1"... somewhere on the desktop.
    void AddIcons(int count) {
        for (int i = 0; i < count; ++i)
            desktop.Items.push_back({"Icon " + std::to_string(i), {300 + 7 * i, 200 + 3 * i}});
    }
    TIconData& At(int i) { return desktop.Items[i].Position; }
    std::unique_ptr<reg::IKey> Key() { return registry.Open(Root::CurrentUser, regnames::kIconsKey, false); }
    std::vector<std::string> SavedNames() {
        auto key = Key();
        return key ? key->ValueNames() : std::vector<std::string>{};
    }
    std::vector<uint8_t> Saved(const std::string& label) {
        reg::Value v;
        auto key = Key();
        return key && key->QueryValue(label, v) ? v.Data : std::vector<uint8_t>{};
    }
    void PutSaved(const std::string& label, const reg::Value& value) {
        registry.Create(Root::CurrentUser, regnames::kIconsKey)->SetValue(label, value);
    }
    void PutOption(const char* section, const char* name, const std::string& text) {
        registry.Create(Root::CurrentUser, reg::JoinPath(regnames::kProgramKey, section))
            ->SetValue(name, reg::StringValue(text));
    }
};

} // namespace

TEST_F(DesktopIcons, SaveMoveRestoreBringsIconsBackButNotRenamedOnes) {
    AddIcons(12);
    ASSERT_TRUE(icons.ReadIcons());
    ASSERT_EQ(icons.IconList.size(), 12u);
    EXPECT_EQ(icons.IconList[3].Label, "Icon 3");
    EXPECT_EQ(SavedNames().size(), 12u);
    // X then Y, signed 32-bit little-endian: (321, 209).
    EXPECT_EQ(Saved("Icon 3"), (std::vector<uint8_t>{0x41, 0x01, 0, 0, 0xD1, 0, 0, 0}));

    At(3) = {600, 400};                // moved by hand
    desktop.Items[5].Label = "Renamed"; // renamed and moved
    At(5) = {610, 410};
    ASSERT_TRUE(icons.PlaceIcons());
    EXPECT_EQ(At(3), (TIconData{321, 209}));
    EXPECT_EQ(At(5), (TIconData{610, 410}));
    EXPECT_EQ(At(0), (TIconData{300, 200}));
    // Restoring does not save: the renamed icon has no value.
    EXPECT_TRUE(Saved("Renamed").empty());
}

TEST_F(DesktopIcons, EachSaveRewritesTheKeyAndAnEmptyDesktopKeepsIt) {
    AddIcons(12);
    PutSaved("Gone long ago", reg::BinaryValue("12345678", 8));
    ASSERT_TRUE(icons.ReadIcons());
    EXPECT_EQ(SavedNames().size(), 12u);
    desktop.Items.erase(desktop.Items.begin() + 4);
    ASSERT_TRUE(icons.ReadIcons());
    EXPECT_EQ(SavedNames().size(), 11u);
    EXPECT_TRUE(Saved("Icon 4").empty());

    desktop.Items.clear();
    EXPECT_TRUE(icons.ReadIcons());
    EXPECT_TRUE(icons.IconList.empty());
    EXPECT_EQ(SavedNames().size(), 11u);
}

TEST_F(DesktopIcons, IconsWithOneLabelShareOneValueTheLaterWinning) {
    desktop.Items = {{"Readme", {10, 20}}, {"README", {30, 40}}};
    ASSERT_TRUE(icons.ReadIcons());
    EXPECT_EQ(icons.IconList.size(), 2u);
    EXPECT_EQ(SavedNames().size(), 1u);
    EXPECT_EQ(Saved("readme"), (std::vector<uint8_t>{30, 0, 0, 0, 40, 0, 0, 0}));
}

TEST_F(DesktopIcons, AValueThatCannotBeWrittenDropsOnlyItsIcon) {
    AddIcons(4);
    TRefusingRegistry refusing(registry, "Icon 2");
    TDesktopIcons other(refusing, desktop, &metrics);
    other.RegistryKey = regnames::kIconsKey;
    ASSERT_TRUE(other.ReadIcons());
    ASSERT_EQ(other.IconList.size(), 3u);
    EXPECT_EQ(other.IconList[2].Label, "Icon 3");
    EXPECT_EQ(SavedNames().size(), 3u);
}

TEST_F(DesktopIcons, AFailureToReachTheShellKeepsTheSavedPositions) {
    AddIcons(5);
    ASSERT_TRUE(icons.ReadIcons());
    desktop.UnreachableAt = 3;
    EXPECT_THROW(icons.ReadIcons(), EMuraltoError);
    EXPECT_EQ(SavedNames().size(), 5u);
}

TEST_F(DesktopIcons, WithoutADesktopNothingChanges) {
    AddIcons(3);
    ASSERT_TRUE(icons.ReadIcons());
    desktop.Present = false;
    desktop.Items.clear();
    EXPECT_FALSE(icons.ReadIcons());
    EXPECT_FALSE(icons.PlaceIcons());
    EXPECT_FALSE(icons.ArrangeIcons(TArrangeKind::Left));
    EXPECT_EQ(icons.IconList.size(), 3u);
    EXPECT_EQ(SavedNames().size(), 3u);
    EXPECT_TRUE(desktop.Sent.empty());
}

TEST_F(DesktopIcons, ArrangingMovesEveryIconAndLeavesTheSavedPositionsAlone) {
    AddIcons(12);
    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Left));
    EXPECT_EQ(At(0), (TIconData{28, 6}));
    EXPECT_EQ(At(6), (TIconData{28, 492}));
    EXPECT_EQ(At(7), (TIconData{108, 6}));
    EXPECT_EQ(At(11), (TIconData{108, 330}));
    EXPECT_FALSE(Key()); // nothing saved
    EXPECT_EQ(icons.RegistryKey, regnames::kIconsKey);
    EXPECT_FALSE(icons.Positioned);

    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Bottom));
    EXPECT_EQ(At(9), (TIconData{748, 492}));
    EXPECT_EQ(At(10), (TIconData{28, 411}));
}

TEST_F(DesktopIcons, HideThenCustomBringsTheSavedPositionsBack) {
    AddIcons(3);
    ASSERT_TRUE(icons.ReadIcons());
    ASSERT_TRUE(icons.ArrangeIcons(TArrangeKind::Hide));
    for (const auto& item : desktop.Items) EXPECT_EQ(item.Position, (TIconData{-1000, -1000}));
    // Sent as 16-bit words: -1000 is 0xFC18.
    EXPECT_EQ(desktop.Sent.back(), 0xFC18FC18u);
    ASSERT_TRUE(icons.PlaceIcons());
    EXPECT_EQ(At(0), (TIconData{300, 200}));
    EXPECT_EQ(At(2), (TIconData{314, 206}));
}

TEST_F(DesktopIcons, AScreenWithoutACellLeavesTheIconsWhereTheyAre) {
    metrics.Values = {70, 580, 4, 4, 75, 75, 32};
    AddIcons(3);
    ASSERT_TRUE(icons.ReadIcons());
    EXPECT_TRUE(icons.ArrangeIcons(TArrangeKind::Spiral));
    EXPECT_TRUE(desktop.Sent.empty());
    EXPECT_EQ(At(1), (TIconData{307, 203}));
    // Hide and Custom need no grid.
    EXPECT_TRUE(icons.ArrangeIcons(TArrangeKind::Hide));
    EXPECT_EQ(At(1), (TIconData{-1000, -1000}));
    EXPECT_TRUE(icons.PlaceIcons());
    EXPECT_EQ(At(1), (TIconData{307, 203}));
}

TEST_F(DesktopIcons, OnlyAnEightByteBinaryValueIsASavedPosition) {
    AddIcons(5);
    const uint8_t far[8] = {0xC0, 0x63, 0xFF, 0xFF, 0x40, 0x9C, 0, 0}; // (-40000, 40000)
    PutSaved("Icon 0", reg::BinaryValue(far, 8));
    PutSaved("Icon 1", reg::StringValue("12345678"));
    PutSaved("Icon 2", reg::BinaryValue("1234", 4));
    PutSaved("Icon 3", reg::BinaryValue("123456789012", 12));
    PutSaved("Icon 4", reg::DWordValue(7));
    ASSERT_TRUE(icons.PlaceIcons());
    // Held at the ends of the 16-bit range instead of wrapping round.
    EXPECT_EQ(At(0), (TIconData{-32768, 32767}));
    for (int i = 1; i < 5; ++i) EXPECT_EQ(At(i), (TIconData{300 + 7 * i, 200 + 3 * i})) << i;
}

TEST_F(DesktopIcons, TheStoredChoiceIsTheFirstTrueSwitchInItsOrder) {
    EXPECT_FALSE(ReadIconArrangement(registry).has_value());
    const std::vector<std::pair<const char*, TIconArrangement>> order = {
        {regnames::kIconsLeft, TIconArrangement::Left},     {regnames::kIconsTop, TIconArrangement::Top},
        {regnames::kIconsRight, TIconArrangement::Right},   {regnames::kIconsBottom, TIconArrangement::Bottom},
        {regnames::kIconsSpiral, TIconArrangement::Spiral}, {regnames::kIconsCustom, TIconArrangement::Custom},
        {regnames::kIconsNo, TIconArrangement::Hide}};
    // Switched on from the last to the first, each new one takes over.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        PutOption(regnames::kOptionsDesktop, it->first, "1");
        EXPECT_EQ(ReadIconArrangement(registry), it->second) << it->first;
    }
    // A damaged value counts as off instead of raising an error.
    registry.Create(Root::CurrentUser, reg::JoinPath(regnames::kProgramKey, regnames::kOptionsDesktop))
        ->SetValue(regnames::kIconsLeft, reg::BinaryValue("\1", 1));
    EXPECT_EQ(ReadIconArrangement(registry), TIconArrangement::Top);
}

TEST_F(DesktopIcons, TheStoredChoiceRuns) {
    AddIcons(3);
    EXPECT_FALSE(ApplyStoredIconArrangement(registry, icons)); // no choice: nothing moves
    EXPECT_TRUE(desktop.Sent.empty());

    PutOption(regnames::kOptionsDesktop, regnames::kIconsTop, "1");
    PutOption(regnames::kOptionsDesktop, regnames::kIconsLeft, "1");
    ASSERT_TRUE(ApplyStoredIconArrangement(registry, icons));
    EXPECT_EQ(At(1), (TIconData{28, 87})); // Left: down the first column

    PutOption(regnames::kOptionsDesktop, regnames::kIconsLeft, "0");
    PutOption(regnames::kOptionsDesktop, regnames::kIconsTop, "0");
    PutOption(regnames::kOptionsDesktop, regnames::kIconsNo, "1");
    ASSERT_TRUE(ApplyStoredIconArrangement(registry, icons));
    EXPECT_EQ(At(2), (TIconData{-1000, -1000}));
}

