// The grid unit and its operations.
#include "common/grid/grid_table.h"

#include "common/dialogs/interaction.h"
#include "common/grid/grid_print.h"
#include "common/grid/grid_units.h"
#include "common/grid/grid_view.h"
#include "common/internal/qt_objects.h"
#include "common/program/clipboard.h"
#include "common/program/program.h"

namespace {

GridView* viewOf(const GridTable& grid) { return static_cast<GridView*>(QtObjects::widget(grid)); }

} // namespace

const QWidget* QtObjects::windowKey(const GridTable& grid) { return grid.window_; }

GridTable::GridTable(Container& parent, const Text& name, const Rect& r, const Text& dataSourceName)
    : Unit(name, new GridView(this, QtObjects::container(parent)), r), dataSourceName_(dataSourceName),
      window_(windowOf(parent))
{
    GridUnits<GridTable>::add(this);
}

GridTable::~GridTable()
{
    GridUnits<GridTable>::remove(this);
    viewOf(*this)->detach();
}

void GridTable::setDataSourceName(const Text& name)
{
    dataSourceName_ = name;
    viewOf(*this)->documentChanged();
}

DataSource* GridTable::dataSource() const
{
    return dataSourceName_.empty() ? nullptr : GridUnits<DataSource>::find(window_, dataSourceName_);
}

void GridTable::setZoom(int percent)
{
    if (percent < 10 || percent > 400)
        return;
    zoom_ = percent;
    viewOf(*this)->documentChanged();
}

void GridTable::setDisplay(const GridDisplay& display)
{
    display_ = display;
    viewOf(*this)->documentChanged();
}

void GridTable::select(const Selection& selection)
{
    selection_ = selection;
    selection_.rows = std::max(selection_.rows, 1);
    selection_.columns = std::max(selection_.columns, 1);
    viewOf(*this)->showCell(selection_.row, selection_.column);
}

void refreshGridsOf(const DataSource& source)
{
    for (GridTable* grid : GridUnits<GridTable>::all()) {
        if (QtObjects::windowKey(*grid) != QtObjects::windowKey(source))
            continue;
        // By name (the source may be going away), or through a shared provider.
        const DataSource* shown = grid->dataSource();
        if (grid->dataSourceName() == source.name() || (shown && &shown->document() == &source.document()))
            viewOf(*grid)->documentChanged();
    }
}

int selectionStartRow(const GridTable& grid) { return grid.selection().row; }
int selectionStartColumn(const GridTable& grid) { return grid.selection().column; }
int selectionRowCount(const GridTable& grid) { return grid.selection().rows; }
int selectionColumnCount(const GridTable& grid) { return grid.selection().columns; }

void setGridCursor(GridTable& grid, int row, int column) { grid.select({row, column, 1, 1}); }

void fitColumnsToWidth(GridTable& grid)
{
    DataSource* source = grid.dataSource();
    if (!source)
        return;
    const double room = viewOf(grid)->cellAreaWidth() / viewOf(grid)->scale();
    source->change([&](GridDocument& d) {
        const long long total = columnSpan(d, 1, d.columns());
        for (int c = 1; c <= d.columns() && total > 0; ++c)
            d.setColumnWidths(c, 1, std::clamp(static_cast<int>(d.columnWidth(c) * room / total), 1, 10000));
        return GridChange{};
    });
}

void zoomToShowCell(GridTable& grid, int row, int column)
{
    const DataSource* source = grid.dataSource();
    if (!source || !source->document().cell(row, column))
        return;
    const GridDocument& d = source->document();
    GridBlock block{row, column, 1, 1};
    if (const GridBlock* m = d.mergeAt(row, column))
        block = *m;
    const long long width = columnSpan(d, block.column, block.lastColumn()), height = rowSpan(d, block.row, block.lastRow());
    if (width <= 0 || height <= 0)
        return;
    GridView* view = viewOf(grid);
    const double full = view->scale() * 100.0 / grid.zoom();   // pixels per unit at 100 %
    const double across = view->cellAreaWidth() / (width * full), down = view->cellAreaHeight() / (height * full);
    grid.setZoom(std::clamp(static_cast<int>(std::min(across, down) * 100), 10, 100));
    view->showCell(block.row, block.column);
}

void copyBlockToClipboard(const GridTable& grid, int row, int column, int rows, int columns)
{
    const DataSource* source = grid.dataSource();
    if (!source)
        return;
    const GridDocument& d = source->document();
    const GridBlock block = d.clipped(GridBlock::of(row, column, rows, columns));
    Text text;
    for (int r = block.row; r <= block.lastRow(); ++r) {
        for (int c = block.column; c <= block.lastColumn(); ++c)
            text += (c > block.column ? "\t" : "") + d.cell(r, c)->text;
        text += "\r\n";
    }
    setClipboardText(text);
}

void pasteAtCursor(GridTable& grid)
{
    DataSource* source = grid.dataSource();
    Text text = clipboardText();
    if (!source || text.empty())
        return;
    if (text.ends_with("\r\n"))
        text.resize(text.size() - 2);
    std::vector<TextList> rows;
    for (Text& line : splitText(text, "\r\n"))
        rows.push_back(splitText(line, "\t"));
    const int top = std::max(grid.selection().row, 1), left = std::max(grid.selection().column, 1);
    size_t width = 0;
    for (const TextList& cells : rows)
        width = std::max(width, cells.size());
    if (grid.display().pasteExtends) {
        const int lastRow = top + static_cast<int>(rows.size()) - 1;
        const int lastColumn = left + static_cast<int>(width) - 1;
        appendRows(*source, lastRow - tableRowCount(*source));
        insertColumns(*source, tableColumnCount(*source) + 1, lastColumn - tableColumnCount(*source));
    }
    source->change([&](GridDocument& d) {
        for (size_t i = 0; i < rows.size(); ++i)
            for (size_t j = 0; j < rows[i].size(); ++j) {
                const Text value = rows[i][j];
                d.editBlock(d.clipped({top + static_cast<int>(i), left + static_cast<int>(j), 1, 1}), [value](GridCell& cell) {
                    if (!cell.readOnly)
                        cell.text = value;
                });
            }
        const GridBlock written = d.clipped({top, left, static_cast<int>(rows.size()), static_cast<int>(width)});
        return GridChange{GridChange::Cells, written.row, written.column, written.rows, written.columns};
    });
}

bool printGrid(GridTable& grid, int firstPage, int lastPage)
{
    const DataSource* source = grid.dataSource();
    if (!source)
        return false;
    ensureRuntime();
    return interaction().printGridDocument(GridPrintout(*source), firstPage, lastPage);
}

PreviewOutcome printPreview(GridTable& grid)
{
    const DataSource* source = grid.dataSource();
    if (!source)
        return PreviewClosed;
    ensureRuntime();
    return interaction().printPreview(GridPrintout(*source));
}
