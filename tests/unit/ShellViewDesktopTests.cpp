// The shell-view route of the desktop icons over one desktop in memory that
// both routes reach: its list view (positions packed into 16-bit words, as
// list-view messages carry them) and its shell view (full points and folder
// flags). Positions saved through one route must come back through the
// other, layouts must land on the same points, and placing must leave the
// user's automatic arrangement as it found it.
#include "app/RegistryNames.h"
#include "desktop/DesktopIcons.h"
#include "desktop/IconLayouts.h"
#include "desktop/ListViewLayout.h"
#include "desktop/ShellViewDesktop.h"
#include "platform/Errors.h"
#include "platform/Text.h"
#include "platform/host/HostDesktopMetrics.h"
#include "platform/host/HostRegistry.h"
#include "unit/MemoryListView.h"

#include <gtest/gtest.h>

namespace {

struct TSharedDesktop {
    using TItem = TMemoryIcon;
    std::vector<TItem> Items;
    uint32_t Flags = 0;
    // The flags in force at every move through the shell view.
    std::vector<uint32_t> FlagsWhileMoving;
    int FailMoveAt = -1; // moving this item through the shell view fails

    bool Valid(int i) const { return i >= 0 && i < static_cast<int>(Items.size()); }
};

class TListViewRoute : public IDesktop {
public:
    explicit TListViewRoute(TSharedDesktop& d) : d_(d) {}
    std::unique_ptr<IDesktopListView> FindDesktopListView() override {
        return std::make_unique<TMemoryListView>(d_.Items);
    }

private:
    TSharedDesktop& d_;
};

class TFolderView : public IDesktopFolderView {
public:
    explicit TFolderView(TSharedDesktop& d) : d_(d) {}
    int ItemCount() override { return static_cast<int>(d_.Items.size()); }
    std::string ItemName(int i) override { return d_.Valid(i) ? d_.Items[i].Label : std::string(); }
    bool ItemPosition(int i, TIconData& p) override {
        if (!d_.Valid(i)) return false;
        p = d_.Items[i].Position;
        return true;
    }
    void PositionItem(int i, TIconData p) override {
        if (i == d_.FailMoveAt) throw EMuraltoError("The shell went away");
        d_.FlagsWhileMoving.push_back(d_.Flags);
        if (d_.Valid(i)) d_.Items[i].Position = p;
    }
    uint32_t FolderFlags() override { return d_.Flags; }
    void SetFolderFlags(uint32_t mask, uint32_t flags) override { d_.Flags = (d_.Flags & ~mask) | (flags & mask); }

private:
    TSharedDesktop& d_;
};

class TShellViewRoute : public IDesktop {
public:
    explicit TShellViewRoute(TSharedDesktop& d) : d_(d) {}
    std::unique_ptr<IDesktopListView> FindDesktopListView() override {
        return std::make_unique<TShellViewListView>(std::make_unique<TFolderView>(d_));
    }

private:
    TSharedDesktop& d_;
};

const TDesktopMetrics kExampleScreen{808, 580, 4, 4, 75, 75, 32};
// A flag of the view that placing has no business with.
constexpr uint32_t kOtherFlag = 0x00040000;

class ShellViewRoutes : public ::testing::Test {
protected:
    reg::HostRegistry registry;
    TSharedDesktop desktop;
    TListViewRoute listRoute{desktop};
    TShellViewRoute shellRoute{desktop};
    HostDesktopMetrics metrics{kExampleScreen};
    TDesktopIcons viaList{registry, listRoute, &metrics};
    TDesktopIcons viaShell{registry, shellRoute, &metrics};

    void SetUp() override {
        viaList.RegistryKey = viaShell.RegistryKey = regnames::kIconsKey;
        for (int i = 0; i < 9; ++i) desktop.Items.push_back({"Icon " + std::to_string(i), {300 + 7 * i, 200 + 3 * i}});
        desktop.Items.push_back({"Papierkorb \xC3\xBC", {-40, 1200}}); // left of the primary screen
    }
    std::vector<TIconData> Positions() const {
        std::vector<TIconData> all;
        for (const auto& item : desktop.Items) all.push_back(item.Position);
        return all;
    }
    void Scatter() {
        for (auto& item : desktop.Items) item.Position = {5, 5};
    }
    std::vector<std::pair<std::string, std::vector<uint8_t>>> Saved() {
        std::vector<std::pair<std::string, std::vector<uint8_t>>> all;
        auto key = registry.Open(reg::Root::CurrentUser, regnames::kIconsKey, false);
        if (!key) return all;
        for (const auto& name : key->ValueNames()) {
            reg::Value v;
            key->QueryValue(name, v);
            all.emplace_back(name, v.Data);
        }
        return all;
    }
};

} // namespace

TEST_F(ShellViewRoutes, PositionsSavedThroughOneRouteComeBackThroughTheOther) {
    const auto original = Positions();

    ASSERT_TRUE(viaList.ReadIcons());
    const auto savedByList = Saved();
    ASSERT_TRUE(viaShell.ReadIcons());
    EXPECT_EQ(Saved(), savedByList) << "both routes store the same values under the same names";

    Scatter();
    ASSERT_TRUE(viaShell.PlaceIcons());
    EXPECT_EQ(Positions(), original) << "saved by the list view, restored by the shell view";

    // A label the shell view reports in other letter case still finds its
    // saved position, as LVM_FINDITEM does on the list-view route.
    desktop.Items[2].Label = "ICON 2";
    ASSERT_TRUE(viaShell.ReadIcons());
    Scatter();
    ASSERT_TRUE(viaList.PlaceIcons());
    EXPECT_EQ(Positions(), original) << "saved by the shell view, restored by the list view";
}

TEST_F(ShellViewRoutes, EveryLayoutLandsOnTheSamePointsOnBothRoutes) {
    for (const auto kind : {TArrangeKind::Bottom, TArrangeKind::Left, TArrangeKind::Right, TArrangeKind::Spiral,
                            TArrangeKind::Top}) {
        Scatter();
        ASSERT_TRUE(viaList.ArrangeIcons(kind));
        const auto byList = Positions();
        Scatter();
        ASSERT_TRUE(viaShell.ArrangeIcons(kind));
        EXPECT_EQ(Positions(), byList) << static_cast<int>(kind);
    }
    // Beyond the 16 bits a list-view message holds, the shell view is given
    // the point the list view would have been given, not the exact one.
    metrics.Values = {70000, 580, 4, 4, 75, 75, 32};
    ASSERT_TRUE(viaList.ArrangeIcons(TArrangeKind::Right));
    const auto byList = Positions();
    EXPECT_EQ(byList[0].X, 32767);
    Scatter();
    ASSERT_TRUE(viaShell.ArrangeIcons(TArrangeKind::Right));
    EXPECT_EQ(Positions(), byList);
}

TEST_F(ShellViewRoutes, PlacingSwitchesArrangementAndSnappingOffAndPutsTheUsersChoiceBack) {
    const uint32_t users[] = {viewflags::AutoArrange | viewflags::SnapToGrid | kOtherFlag, viewflags::SnapToGrid,
                              kOtherFlag};
    for (const uint32_t user : users) {
        desktop.Flags = user;
        desktop.FlagsWhileMoving.clear();
        ASSERT_TRUE(viaShell.ArrangeIcons(TArrangeKind::Left));
        ASSERT_EQ(desktop.FlagsWhileMoving.size(), desktop.Items.size());
        for (const uint32_t during : desktop.FlagsWhileMoving) EXPECT_EQ(during, user & kOtherFlag) << user;
        EXPECT_EQ(desktop.Flags, user);
    }
    // Reading alone changes no flag.
    desktop.Flags = viewflags::AutoArrange;
    ASSERT_TRUE(viaShell.ReadIcons());
    EXPECT_EQ(desktop.Flags, viewflags::AutoArrange);
    // Also when the shell fails half-way through the moves.
    desktop.FailMoveAt = 4;
    EXPECT_THROW(viaShell.ArrangeIcons(TArrangeKind::Top), EMuraltoError);
    EXPECT_EQ(desktop.Flags, viewflags::AutoArrange);
}

TEST_F(ShellViewRoutes, HidingSwitchesTheIconsOffInPlaceAndAnyArrangementBringsThemBack) {
    const auto original = Positions();
    desktop.Flags = viewflags::AutoArrange;
    ASSERT_TRUE(viaShell.ArrangeIcons(TArrangeKind::Hide));
    EXPECT_EQ(desktop.Flags, viewflags::AutoArrange | viewflags::NoIcons);
    EXPECT_EQ(Positions(), original) << "hidden icons keep their places";
    EXPECT_TRUE(desktop.FlagsWhileMoving.empty());

    ASSERT_TRUE(viaShell.ArrangeIcons(TArrangeKind::Top));
    EXPECT_EQ(desktop.Flags, viewflags::AutoArrange);
    EXPECT_EQ(Positions()[0], TIconGrid(kExampleScreen).Cell(0, 0));

    // Positions saved while the list-view route had the icons off the
    // screen hide them again on this route; one icon saved in view shows
    // them all, since the flag hides every icon or none.
    ASSERT_TRUE(viaList.ArrangeIcons(TArrangeKind::Hide));
    ASSERT_TRUE(viaList.ReadIcons());
    ASSERT_TRUE(viaShell.PlaceIcons());
    EXPECT_EQ(desktop.Flags & viewflags::NoIcons, viewflags::NoIcons);
    desktop.Items.back().Position = {100, 100};
    ASSERT_TRUE(viaList.ReadIcons());
    ASSERT_TRUE(viaShell.PlaceIcons());
    EXPECT_EQ(desktop.Flags & viewflags::NoIcons, 0u);
    EXPECT_EQ(desktop.Items.back().Position, (TIconData{100, 100}));
}
