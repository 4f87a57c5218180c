// The grid of icon cells and the layouts of the arrangements.
#include "desktop/IconLayouts.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Maximised 808 x 580, frame 4 x 4, spacing 75 x 75, icon width 32.
const TDesktopMetrics kExampleScreen{808, 580, 4, 4, 75, 75, 32};

std::vector<TIconData> Layout(TArrangeKind kind, size_t count, const TDesktopMetrics& m = kExampleScreen) {
    auto positions = LayoutIcons(kind, m, count);
    return positions ? *positions : std::vector<TIconData>{};
}

// The cells a layout took, as (col, row) on the example grid; (-1, -1) for
// a position that is no cell.
std::vector<std::pair<int, int>> CellsOf(const std::vector<TIconData>& positions) {
    std::vector<std::pair<int, int>> cells;
    for (const auto& p : positions) {
        const int c = (p.X - 28) / 80, r = (p.Y - 6) / 81;
        const bool onCell = p.X >= 28 && p.Y >= 6 && (p.X - 28) % 80 == 0 && (p.Y - 6) % 81 == 0;
        cells.push_back(onCell ? std::make_pair(c, r) : std::make_pair(-1, -1));
    }
    return cells;
}

using Cells = std::vector<std::pair<int, int>>;

} // namespace

TEST(IconGrid, SpreadsTheLeftOverRoomAndCentresTheCells) {
    const TIconGrid grid(kExampleScreen);
    EXPECT_EQ(grid.Cols(), 10);
    EXPECT_EQ(grid.Rows(), 7);
    EXPECT_EQ(grid.CellWidth(), 80);
    EXPECT_EQ(grid.CellHeight(), 81);
    EXPECT_EQ(grid.X0(), 28);
    EXPECT_EQ(grid.Y0(), 6);
    EXPECT_EQ(grid.Cell(2, 1), (TIconData{188, 87}));
    EXPECT_EQ(grid.Cell(9, 6), (TIconData{748, 492}));
    // Outside the filled cells every position is the origin.
    for (const auto& [c, r] : Cells{{10, 0}, {0, 7}, {-1, 0}, {0, -1}, {127, 127}, {128, 0}})
        EXPECT_EQ(grid.Cell(c, r), (TIconData{0, 0})) << c << "," << r;
}

TEST(IconGrid, AWorkAreaWithoutAWholeCellHasNoCells) {
    for (const TDesktopMetrics& m : {TDesktopMetrics{80, 580, 4, 4, 75, 75, 32},  // 72 wide: no column
                                     TDesktopMetrics{808, 82, 4, 4, 75, 75, 32},  // 74 high: no row
                                     TDesktopMetrics{808, 580, 4, 4, 0, 75, 32},  // no spacing
                                     TDesktopMetrics{808, 580, 500, 4, 75, 75, 32}, // frames wider than the screen
                                     TDesktopMetrics{0, 0, 0, 0, 0, 0, 0}}) {
        const TIconGrid grid(m);
        EXPECT_TRUE(grid.Empty());
        EXPECT_EQ(grid.Cell(0, 0), (TIconData{0, 0}));
        // No layout but Hide: the icons stay where they are.
        EXPECT_FALSE(LayoutIcons(TArrangeKind::Left, m, 3).has_value());
        EXPECT_FALSE(LayoutIcons(TArrangeKind::Spiral, m, 3).has_value());
        EXPECT_EQ(Layout(TArrangeKind::Hide, 2, m), (std::vector<TIconData>(2, TIconData{-1000, -1000})));
    }
}

TEST(IconGrid, HoldsAtMost128ColumnsAndRows) {
    // 1000 one-pixel cells each way: 128 columns spread over the width.
    const TIconGrid grid({1008, 1008, 4, 4, 1, 1, 0});
    EXPECT_EQ(grid.Cols(), 128);
    EXPECT_EQ(grid.Rows(), 128);
    EXPECT_EQ(grid.CellWidth(), 7); // 1 + (1000 - 128) / 128
    EXPECT_EQ(grid.Cell(127, 0).X, grid.X0() + 127 * 7);
    EXPECT_LE(grid.Cell(127, 127).Y, 1008);
}

TEST(IconLayouts, LinesFillColumnsOrRowsFromTheirEdge) {
    Cells left;
    for (int r = 0; r < 7; ++r) left.push_back({0, r});
    for (int r = 0; r < 5; ++r) left.push_back({1, r});
    EXPECT_EQ(CellsOf(Layout(TArrangeKind::Left, 12)), left);

    Cells bottom;
    for (int c = 0; c < 10; ++c) bottom.push_back({c, 6});
    bottom.push_back({0, 5});
    bottom.push_back({1, 5});
    EXPECT_EQ(CellsOf(Layout(TArrangeKind::Bottom, 12)), bottom);

    EXPECT_EQ(CellsOf(Layout(TArrangeKind::Right, 3)), (Cells{{9, 0}, {9, 1}, {9, 2}}));

    Cells top;
    for (int c = 0; c < 10; ++c) top.push_back({c, 0});
    top.push_back({0, 1});
    EXPECT_EQ(CellsOf(Layout(TArrangeKind::Top, 11)), top);
}

TEST(IconLayouts, IconsBeyondTheGridGoToTheOrigin) {
    const auto positions = Layout(TArrangeKind::Left, 80);
    ASSERT_EQ(positions.size(), 80u);
    EXPECT_EQ(CellsOf(positions)[69], std::make_pair(9, 6));
    for (size_t i = 70; i < 80; ++i) EXPECT_EQ(positions[i], (TIconData{0, 0})) << i;
}

TEST(IconLayouts, TheSpiralWalksClockwiseRingByRing) {
    Cells expected;
    for (int c = 0; c < 10; ++c) expected.push_back({c, 0});
    for (int r = 1; r < 7; ++r) expected.push_back({9, r});
    for (int c = 8; c >= 0; --c) expected.push_back({c, 6});
    for (int r = 5; r >= 1; --r) expected.push_back({0, r});
    for (int c = 1; c <= 5; ++c) expected.push_back({c, 1});
    EXPECT_EQ(CellsOf(Layout(TArrangeKind::Spiral, 35)), expected);

    // The first 70 icons take every cell once; past the last cell the walk
    // stays inside the grid.
    const auto crowded = CellsOf(Layout(TArrangeKind::Spiral, 200));
    std::set<std::pair<int, int>> distinct(crowded.begin(), crowded.begin() + 70);
    EXPECT_EQ(distinct.size(), 70u);
    EXPECT_EQ(distinct.count({-1, -1}), 0u);
    for (size_t i = 70; i < crowded.size(); ++i) {
        EXPECT_GE(crowded[i].first, 0) << i;
        EXPECT_LT(crowded[i].first, 10) << i;
        EXPECT_LT(crowded[i].second, 7) << i;
    }
}
