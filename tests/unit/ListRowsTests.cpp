// The list page's rows: the drop of a drag, sorting with the selection kept,
// and lookups that ignore letter case.
#include "options/ListRows.h"

#include <gtest/gtest.h>

namespace {

TListRows Rows(const std::vector<std::string>& texts, const std::vector<int>& selected = {}) {
    TListRows rows;
    rows.Assign(texts, false);
    for (int i : selected) rows.Select(i, true);
    return rows;
}

std::string Joined(const TListRows& rows) {
    std::string out;
    for (int i = 0; i < rows.Count(); ++i) out += rows.Text(i) + (rows.Selected(i) ? "*" : "");
    return out;
}

TEST(ListRows, DroppedRowsGatherAfterATargetBelowThemAndBeforeOneAbove) {
    struct {
        std::vector<int> Selected;
        int Target;
        const char* Result;
    } cases[] = {
        {{0, 1}, 3, "CDA*B*E"}, // both above: after the target
        {{3, 4}, 1, "AD*E*BC"}, // both below: before it
        {{0, 4}, 2, "BCA*E*D"}, // one above: all after it
        {{1}, -1, "ACDEB*"},    // below the last row: onto the last
        {{4}, 0, "E*ABCD"},
    };
    for (const auto& c : cases) {
        TListRows rows = Rows({"A", "B", "C", "D", "E"}, c.Selected);
        EXPECT_TRUE(DropSelectedRows(rows, c.Target));
        EXPECT_EQ(Joined(rows), c.Result) << "target " << c.Target;
    }
}

TEST(ListRows, ADropOnASelectedRowOrOverASortedListChangesNothing) {
    TListRows rows = Rows({"A", "B", "C", "D"}, {1, 2});
    EXPECT_FALSE(DropSelectedRows(rows, 2));
    EXPECT_EQ(Joined(rows), "AB*C*D");

    TListRows sorted = Rows({"A", "B", "C"}, {0});
    sorted.SetSorted(true);
    EXPECT_FALSE(DropSelectedRows(sorted, 2));
    EXPECT_EQ(Joined(sorted), "A*BC");

    TListRows empty;
    EXPECT_FALSE(DropSelectedRows(empty, -1));
}

TEST(ListRows, SortingKeepsTheSelectionAndAddsInOrderWithoutDuplicates) {
    TListRows rows = Rows({"c.jpg", "A.jpg", "b.jpg"}, {0});
    rows.SetSorted(true);
    EXPECT_EQ(Joined(rows), "A.jpgb.jpgc.jpg*");
    EXPECT_EQ(rows.Add("B.JPG"), 1) << "letter case ignored";
    EXPECT_EQ(rows.Insert(0, "d.jpg"), 3) << "a sorted list inserts in order";
    EXPECT_EQ(rows.Count(), 4);
    rows.SetSorted(false);
    EXPECT_EQ(rows.Insert(0, "z.jpg"), 0);
    rows.Select(1, true);
    rows.DeleteSelected();
    EXPECT_EQ(Joined(rows), "z.jpgb.jpgd.jpg");
}

} // namespace
