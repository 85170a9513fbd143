// The grid document: cell formats, lines, heights, widths and merges.
#include "common/grid/grid_model.h"

#include <algorithm>

namespace {

// The line bits that `mask` gives the cell (row, column) of `block`: the
// frame on the block's outer sides, inner lines between its cells, and the
// diagonals on every cell.
int cellLines(const GridBlock& block, int mask, int row, int column)
{
    int bits = mask & GridDiagonals;
    const bool top = row == block.row, bottom = row == block.lastRow();
    const bool left = column == block.column, right = column == block.lastColumn();
    if (((mask & LineLeft) && left) || ((mask & GridInnerVertical) && !left))
        bits |= LineLeft;
    if (((mask & LineRight) && right) || ((mask & GridInnerVertical) && !right))
        bits |= LineRight;
    if (((mask & LineTop) && top) || ((mask & GridInnerHorizontal) && !top))
        bits |= LineTop;
    if (((mask & LineBottom) && bottom) || ((mask & GridInnerHorizontal) && !bottom))
        bits |= LineBottom;
    return bits;
}

} // namespace

GridBlock GridDocument::clipped(const GridBlock& b) const
{
    const int row = std::max(b.row, 1), column = std::max(b.column, 1);
    const int lastRow = std::min(b.lastRow(), rows_), lastColumn = std::min(b.lastColumn(), columns_);
    return {row, column, std::max(lastRow - row + 1, 0), std::max(lastColumn - column + 1, 0)};
}

void GridDocument::request(int first, int last, Request apply)
{
    apply(*this, 1, rows_);
    if (first <= rows_ + 1 && last >= rows_ + 1)
        pending_.push_back(std::move(apply));
}

void GridDocument::editRows(const GridBlock& block, int first, int last,
                            const std::function<void(GridCell&, int, int)>& edit)
{
    const GridBlock in = clipped(block);
    for (int r = std::max(in.row, first); r <= std::min(in.lastRow(), last); ++r)
        for (int c = in.column; c <= in.lastColumn(); ++c)
            edit(at(r, c), r, c);
}

void GridDocument::editBlock(const GridBlock& block, const CellEdit& edit)
{
    if (block.empty())
        return;
    request(block.row, block.lastRow(), [block, edit](GridDocument& d, int first, int last) {
        d.editRows(block, first, last, [&](GridCell& cell, int, int) { edit(cell); });
    });
}

void GridDocument::setRowHeights(int first, int count, int height)
{
    const GridBlock rows = GridBlock::of(first, 1, count, 1);
    if (rows.empty() || !grid_limits::length(height))
        return;
    request(rows.row, rows.lastRow(), [rows, height](GridDocument& d, int from, int to) {
        for (int r = std::max({rows.row, from, 1}); r <= std::min({rows.lastRow(), to, d.rows_}); ++r)
            d.rowHeights_[static_cast<size_t>(r - 1)] = height;
    });
}

void GridDocument::setColumnWidths(int first, int count, int width)
{
    const GridBlock columns = GridBlock::of(1, first, 1, count);
    if (!grid_limits::length(width))
        return;
    for (int c = std::max(columns.column, 1); c <= std::min(columns.lastColumn(), columns_); ++c)
        columnWidths_[static_cast<size_t>(c - 1)] = width;
}

const GridBlock* GridDocument::mergeAt(int row, int column) const
{
    for (const GridBlock& m : merges_)
        if (m.contains(row, column))
            return &m;
    return nullptr;
}

void GridDocument::mergeNow(const GridBlock& block)
{
    if (block.empty() || block.rows * block.columns < 2)
        return;
    std::erase_if(merges_, [&](const GridBlock& m) { return m.overlaps(block); });
    merges_.push_back(block);
}

void GridDocument::merge(const GridBlock& block)
{
    if (block.empty())
        return;
    // Replayed whole: a merge reaching the next row takes it in once it exists.
    request(block.row, block.lastRow(), [block](GridDocument& d, int, int) { d.mergeNow(d.clipped(block)); });
}

void GridDocument::split(int row, int column)
{
    std::erase_if(merges_, [&](const GridBlock& m) { return m.contains(row, column); });
}

void GridDocument::addLines(const GridBlock& block, int mask)
{
    if (block.empty())
        return;
    request(block.row, block.lastRow(), [block, mask](GridDocument& d, int first, int last) {
        d.editRows(block, first, last, [&](GridCell& cell, int r, int c) { cell.lines |= cellLines(block, mask, r, c); });
    });
}

void GridDocument::clearSide(int row, int column, int side)
{
    if (row >= 1 && row <= rows_ && column >= 1 && column <= columns_)
        at(row, column).lines &= ~side;
}

void GridDocument::clearLines(const GridBlock& block, int mask)
{
    if (block.empty())
        return;
    request(block.row, block.lastRow(), [block, mask](GridDocument& d, int first, int last) {
        d.editRows(block, first, last, [&](GridCell& cell, int r, int c) {
            const int bits = cellLines(block, mask, r, c);
            cell.lines &= ~bits;
            // The neighbour's half of a shared side goes too, or it would still be drawn.
            if (bits & LineLeft)
                d.clearSide(r, c - 1, LineRight);
            if (bits & LineRight)
                d.clearSide(r, c + 1, LineLeft);
            if (bits & LineTop)
                d.clearSide(r - 1, c, LineBottom);
            if (bits & LineBottom)
                d.clearSide(r + 1, c, LineTop);
        });
    });
}
