#pragma once
// The grid of desktop icon cells and the layouts of the arrangements.
#include "desktop/IconData.h"
#include "platform/DesktopMetrics.h"

#include <optional>
#include <vector>

// Cells of the size of the icon spacing fill the work area; the room left
// over is spread over the cells and the grid is centred on the maximised
// window's area. At most 128 columns and 128 rows.
class TIconGrid {
public:
    static constexpr int kMaxCells = 128;

    explicit TIconGrid(const TDesktopMetrics& metrics);

    int Cols() const { return cols_; }
    int Rows() const { return rows_; }
    int CellWidth() const { return cellWidth_; }
    int CellHeight() const { return cellHeight_; }
    int X0() const { return x0_; }
    int Y0() const { return y0_; }
    // No whole icon cell fits the work area.
    bool Empty() const { return cols_ == 0 || rows_ == 0; }
    // The position of the cell; (0, 0) for a cell outside the grid.
    TIconData Cell(int col, int row) const;

private:
    int cols_ = 0, rows_ = 0;
    int cellWidth_ = 0, cellHeight_ = 0;
    int x0_ = 0, y0_ = 0;
};

// The positions of count icons, taken in the list view's item order, for the
// arrangement. Nothing when the arrangement needs the grid and no cell fits
// the work area: the icons are then left where they are.
std::optional<std::vector<TIconData>> LayoutIcons(TArrangeKind kind, const TDesktopMetrics& metrics, size_t count);

// Where Hide puts every icon: outside the visible desktop.
constexpr TIconData kHiddenIconPosition{-1000, -1000};
