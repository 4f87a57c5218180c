#include "desktop/IconLayouts.h"

#include <algorithm>
#include <cstdint>

namespace {

// The number of whole cells of the given size in the room, within 0..128.
// Integer division truncates toward zero, as everywhere in the program.
int64_t WholeCells(int64_t room, int64_t cell) {
    if (cell <= 0 || room <= 0) return 0;
    return std::min<int64_t>(room / cell, TIconGrid::kMaxCells);
}

int ClampToInt(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

struct TCellWalk {
    int Col, Row;
};

// Left, Right, Top and Bottom: runs of cells down a column or along a row.
std::vector<TIconData> LineLayout(TArrangeKind kind, const TIconGrid& grid, size_t count) {
    const int cols = grid.Cols(), rows = grid.Rows();
    TCellWalk at{0, 0};
    if (kind == TArrangeKind::Right) at.Col = cols - 1;
    if (kind == TArrangeKind::Bottom) at.Row = rows - 1;
    std::vector<TIconData> positions;
    positions.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        positions.push_back(grid.Cell(at.Col, at.Row));
        switch (kind) {
        case TArrangeKind::Left:
        case TArrangeKind::Right:
            if (++at.Row > rows - 1) {
                at.Row = 0;
                at.Col += kind == TArrangeKind::Left ? 1 : -1;
            }
            break;
        default: // Top and Bottom
            if (++at.Col > cols - 1) {
                at.Col = 0;
                at.Row += kind == TArrangeKind::Top ? 1 : -1;
            }
            break;
        }
    }
    return positions;
}

// A clockwise walk from the top-left cell inward, ring after ring.
std::vector<TIconData> SpiralLayout(const TIconGrid& grid, size_t count) {
    enum { kRight, kDown, kLeft, kUp } direction = kRight;
    int c = 0, r = 0;
    int left = 0, top = 0, right = grid.Cols(), bottom = grid.Rows();
    std::vector<TIconData> positions;
    positions.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        positions.push_back(grid.Cell(c, r));
        switch (direction) {
        case kRight:
            if (++c > right - 1) {
                --c, ++r, ++top;
                direction = kDown;
            }
            break;
        case kDown:
            if (++r > bottom - 1) {
                --r, --c, --right;
                direction = kLeft;
            }
            break;
        case kLeft:
            if (--c < left) {
                ++c, --r, --bottom;
                direction = kUp;
            }
            break;
        case kUp:
            if (--r < top) {
                ++r, ++c, ++left;
                direction = kRight;
            }
            break;
        }
    }
    return positions;
}

} // namespace

TIconGrid::TIconGrid(const TDesktopMetrics& m) {
    int64_t cs = m.IconSpacingX, rs = m.IconSpacingY;
    const int64_t aw = int64_t(m.MaximizedWidth) - 2 * int64_t(m.FrameWidth);
    const int64_t ah = int64_t(m.MaximizedHeight) - 2 * int64_t(m.FrameHeight);
    const int64_t cols = WholeCells(aw, cs), rows = WholeCells(ah, rs);
    // Without a whole cell there is nothing to spread the room over.
    if (cols == 0 || rows == 0) return;
    cs += (aw - cols * cs) / cols;
    rs += (ah - rows * rs) / rows;
    cols_ = static_cast<int>(cols);
    rows_ = static_cast<int>(rows);
    cellWidth_ = ClampToInt(cs);
    cellHeight_ = ClampToInt(rs);
    x0_ = ClampToInt((cs - m.IconWidth) / 2 + (m.MaximizedWidth - cols * cs) / 2);
    y0_ = ClampToInt((m.MaximizedHeight - rows * rs) / 2);
}

TIconData TIconGrid::Cell(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return {};
    return {ClampToInt(int64_t(x0_) + int64_t(col) * cellWidth_), ClampToInt(int64_t(y0_) + int64_t(row) * cellHeight_)};
}

std::optional<std::vector<TIconData>> LayoutIcons(TArrangeKind kind, const TDesktopMetrics& metrics, size_t count) {
    if (kind == TArrangeKind::Hide) return std::vector<TIconData>(count, kHiddenIconPosition);
    const TIconGrid grid(metrics);
    if (grid.Empty()) return std::nullopt;
    if (kind == TArrangeKind::Spiral) return SpiralLayout(grid, count);
    return LineLayout(kind, grid, count);
}
