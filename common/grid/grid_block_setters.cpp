// Grid document operations on the cells of a block.
#include "common/grid/grid_model.h"

#include <algorithm>
#include <type_traits>

namespace {

// Runs `edit` on the block's cells; it is kept (by value) for the row after
// the last when the block reaches it.
void editCells(DataSource& source, int row, int column, int rows, int columns, GridDocument::CellEdit edit)
{
    const GridBlock block = GridBlock::of(row, column, rows, columns);
    source.change([&](GridDocument& d) {
        d.editBlock(block, edit);
        const GridBlock in = d.clipped(block);
        return GridChange{GridChange::Cells, in.row, in.column, in.rows, in.columns};
    });
}

// Sets one field of the block's cells, when `accept` (if given) takes the value.
template <class V>
void setField(DataSource& source, int row, int column, int rows, int columns, V GridCell::*field, V value,
              bool (*accept)(int) = nullptr)
{
    if constexpr (std::is_same_v<V, int>)
        if (accept && !accept(value))
            return;
    editCells(source, row, column, rows, columns, [field, value](GridCell& cell) { cell.*field = value; });
}

void editLines(DataSource& source, int row, int column, int rows, int columns, void (GridDocument::*op)(const GridBlock&, int),
               int mask)
{
    const GridBlock block = GridBlock::of(row, column, rows, columns);
    source.change([&](GridDocument& d) {
        (d.*op)(block, mask & (GridAllLines | GridDiagonals));
        // Clearing touches the neighbours' halves of the block's sides.
        const GridBlock around = d.clipped(GridBlock::of(block.row - 1, block.column - 1, block.rows + 2, block.columns + 2));
        return GridChange{GridChange::Cells, around.row, around.column, around.rows, around.columns};
    });
}

} // namespace

void setCellText(DataSource& source, int row, int column, const Text& text)
{
    setField(source, row, column, 1, 1, &GridCell::text, text);
}

void setCellPictureData(DataSource& source, int row, int column, const Bytes& picture)
{
    setField(source, row, column, 1, 1, &GridCell::picture, picture);
}

void clearBlockText(DataSource& source, int row, int column, int rows, int columns)
{
    setField(source, row, column, rows, columns, &GridCell::text, Text());
}

void setBlockFontName(DataSource& source, int row, int column, int rows, int columns, const Text& face)
{
    setField(source, row, column, rows, columns, &GridCell::fontName, face);
}

void setBlockFontSize(DataSource& source, int row, int column, int rows, int columns, int size)
{
    setField(source, row, column, rows, columns, &GridCell::fontSize, size, grid_limits::fontSize);
}

void setBlockFontStyle(DataSource& source, int row, int column, int rows, int columns, int style)
{
    setField(source, row, column, rows, columns, &GridCell::fontStyle, style, grid_limits::fontStyle);
}

void setBlockTextColour(DataSource& source, int row, int column, int rows, int columns, int colour)
{
    setField(source, row, column, rows, columns, &GridCell::textColour, colour, grid_limits::colour);
}

void setBlockBackground(DataSource& source, int row, int column, int rows, int columns, int colour)
{
    setField(source, row, column, rows, columns, &GridCell::background, colour, grid_limits::background);
}

void addBlockLines(DataSource& source, int row, int column, int rows, int columns, int mask)
{
    editLines(source, row, column, rows, columns, &GridDocument::addLines, mask);
}

void clearBlockLines(DataSource& source, int row, int column, int rows, int columns, int mask)
{
    editLines(source, row, column, rows, columns, &GridDocument::clearLines, mask);
}

void setBlockAlignment(DataSource& source, int row, int column, int rows, int columns, int alignment)
{
    setField(source, row, column, rows, columns, &GridCell::alignment, alignment, grid_limits::alignment);
}

void setBlockCellType(DataSource& source, int row, int column, int rows, int columns, int type)
{
    setField(source, row, column, rows, columns, &GridCell::cellType, type, grid_limits::cellType);
}

void setBlockInputType(DataSource& source, int row, int column, int rows, int columns, int type)
{
    setField(source, row, column, rows, columns, &GridCell::inputType, type, grid_limits::inputType);
}

void setBlockReadOnly(DataSource& source, int row, int column, int rows, int columns, bool readOnly)
{
    setField(source, row, column, rows, columns, &GridCell::readOnly, readOnly);
}

void setBlockPasswordInput(DataSource& source, int row, int column, int rows, int columns, bool password)
{
    setField(source, row, column, rows, columns, &GridCell::password, password);
}

void setBlockMargin(DataSource& source, int row, int column, int rows, int columns, int margin)
{
    setField(source, row, column, rows, columns, &GridCell::margin, std::clamp(margin, 0, 1000));
}
