// Grid document operations: life cycle, counts, rows and columns.
#include "common/files/files.h"
#include "common/dialogs/interaction.h"
#include "common/grid/grid_model.h"
#include "common/grid/grid_units.h"
#include "common/program/program.h"

namespace {

// A change reported to the provider as "anything".
template <class F>
void changeDocument(DataSource& source, F edit)
{
    source.change([&](GridDocument& d) {
        edit(d);
        return GridChange{};
    });
}

GridChange rowsChange(GridChange::Kind kind, int first, int count)
{
    return {kind, first, 0, count, 0};
}

GridChange columnsChange(GridChange::Kind kind, int first, int count)
{
    return {kind, 0, first, 0, count};
}

} // namespace

// ---- life cycle ------------------------------------------------------------

bool loadGridFile(DataSource& source, const Text& path) { return tableFromBytes(source, readFile(path)); }

bool saveGridFile(const DataSource& source, const Text& path) { return writeFile(path, tableToBytes(source)); }

Bytes tableToBytes(const DataSource& source) { return encodeGrid(source.document()); }

bool tableFromBytes(DataSource& source, const Bytes& bytes)
{
    GridDocument scratch;
    if (!decodeGrid(bytes, scratch))
        return false;
    changeDocument(source, [&](GridDocument& d) { d = std::move(scratch); });
    return true;
}

void setTableSize(DataSource& source, int rows, int columns)
{
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    if (!grid_limits::tableSize(rows, columns))
        return;
    changeDocument(source, [&](GridDocument& d) { d = GridDocument(rows, columns); });
}

void appendTableFrom(DataSource& target, const DataSource& from, int firstRow, int rowCount)
{
    const GridDocument& rows = from.document();
    changeDocument(target, [&](GridDocument& d) { d.appendDocument(rows, firstRow, rowCount); });
}

void refreshTable(DataSource& source) { refreshGridsOf(source); }

bool printSetupDialog(DataSource& source)
{
    ensureRuntime();
    PageSetup setup = source.document().pageSetup();
    if (!interaction().pageSetupDialog(setup))
        return false;
    changeDocument(source, [&](GridDocument& d) { d.setPageSetup(setup); });
    return true;
}

// ---- counts and cells ------------------------------------------------------

int tableRowCount(const DataSource& source) { return source.document().rows(); }
int tableColumnCount(const DataSource& source) { return source.document().columns(); }
int headerRowCount(const DataSource& source) { return source.document().headerRows(); }
int headerColumnCount(const DataSource& source) { return source.document().headerColumns(); }

void setHeaderRowCount(DataSource& source, int count)
{
    changeDocument(source, [&](GridDocument& d) { d.setHeaderRows(count); });
}

void setHeaderColumnCount(DataSource& source, int count)
{
    changeDocument(source, [&](GridDocument& d) { d.setHeaderColumns(count); });
}

Text cellText(const DataSource& source, int row, int column)
{
    const GridCell* cell = source.document().cell(row, column);
    return cell ? cell->text : Text();
}

Text cellFontName(const DataSource& source, int row, int column)
{
    const GridCell* cell = source.document().cell(row, column);
    return cell ? cell->fontName : Text();
}

// ---- rows and columns ------------------------------------------------------

void appendRows(DataSource& source, int count)
{
    source.change([&](GridDocument& d) {
        const int before = d.rows();
        d.appendRows(count);
        return rowsChange(GridChange::RowsInserted, before + 1, d.rows() - before);
    });
}

void insertRows(DataSource& source, int startRow, int count)
{
    source.change([&](GridDocument& d) {
        const int before = d.rows();
        d.insertRows(startRow, count);
        return rowsChange(GridChange::RowsInserted, startRow, d.rows() - before);
    });
}

void insertColumns(DataSource& source, int startColumn, int count)
{
    source.change([&](GridDocument& d) {
        const int before = d.columns();
        d.insertColumns(startColumn, count);
        return columnsChange(GridChange::ColumnsInserted, startColumn, d.columns() - before);
    });
}

void deleteRows(DataSource& source, int startRow, int count)
{
    source.change([&](GridDocument& d) {
        const int before = d.rows();
        d.deleteRows(startRow, count);
        return rowsChange(GridChange::RowsDeleted, std::max(startRow, 1), before - d.rows());
    });
}

void deleteColumns(DataSource& source, int startColumn, int count)
{
    source.change([&](GridDocument& d) {
        const int before = d.columns();
        d.deleteColumns(startColumn, count);
        return columnsChange(GridChange::ColumnsDeleted, std::max(startColumn, 1), before - d.columns());
    });
}

void setRowHeight(DataSource& source, int startRow, int count, int height)
{
    changeDocument(source, [&](GridDocument& d) { d.setRowHeights(startRow, count, height); });
}

void setColumnWidth(DataSource& source, int startColumn, int count, int width)
{
    changeDocument(source, [&](GridDocument& d) { d.setColumnWidths(startColumn, count, width); });
}

void mergeBlock(DataSource& source, int row, int column, int rows, int columns)
{
    changeDocument(source, [&](GridDocument& d) { d.merge(GridBlock::of(row, column, rows, columns)); });
}

void splitMergedCell(DataSource& source, int row, int column)
{
    changeDocument(source, [&](GridDocument& d) { d.split(row, column); });
}

void setDefaultCellFormat(DataSource& source, const DefaultCellFormat& format)
{
    changeDocument(source, [&](GridDocument& d) { d.setDefaults(format); });
}
