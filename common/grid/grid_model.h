#pragma once
// The grid document itself, free of Qt: the grid service's, and the build
// tool's that turns the delivered templates into files. Its operations keep
// the promises of common/grid/grid.h: they clip to the table, take only
// values they accept, and keep a request that reaches the row after the
// last row until that row is appended.
#include "common/grid/grid.h"

#include <functional>
#include <vector>

// Cell line bits: the cell's own sides, then the diagonal kinds. A side is
// drawn when either of the two cells that share it has it.
enum GridCellLine { LineLeft = 1, LineTop = 2, LineRight = 4, LineBottom = 8 };
constexpr int kCellLineBits = GridFrame | GridDiagonals;

struct GridCell {
    Text text;
    Text fontName = "宋体";
    int fontSize = 35;
    int fontStyle = 0;
    int textColour = 0;
    int background = DefaultBackground;
    int alignment = 4;
    int cellType = 10;
    int inputType = 0;
    int margin = 9;
    int lines = 0;
    bool readOnly = false;
    bool password = false;
    Bytes picture;
    bool operator==(const GridCell&) const = default;
};

// The format of rows appended later: new cells copy `cell` (which has no
// text and no picture) and get their four sides when `allLines` is set.
struct GridDefaults {
    GridCell cell;
    int rowHeight = 60;
    bool allLines = false;
    bool operator==(const GridDefaults&) const = default;
};

struct GridBlock {
    int row = 1, column = 1, rows = 1, columns = 1;
    int lastRow() const { return row + rows - 1; }
    int lastColumn() const { return column + columns - 1; }
    bool contains(int r, int c) const { return r >= row && r <= lastRow() && c >= column && c <= lastColumn(); }
    bool empty() const { return rows <= 0 || columns <= 0; }
    bool overlaps(const GridBlock& o) const
    {
        return row <= o.lastRow() && o.row <= lastRow() && column <= o.lastColumn() && o.column <= lastColumn();
    }
    bool operator==(const GridBlock&) const = default;
    // From the caller's numbers, bounded so that no arithmetic overflows;
    // the bounds lie beyond any table, so clipping gives the same cells.
    static GridBlock of(int row, int column, int rows, int columns);
};

// What the setters and the byte form accept.
namespace grid_limits {
constexpr int kMaxRows = 1'000'000;
constexpr int kMaxColumns = 10'000;
constexpr long long kMaxCells = 2'000'000;
constexpr int kDefaultColumnWidth = 300;
constexpr int kMaxLength = 10000;                                  // heights, widths
inline bool length(int v) { return v >= 1 && v <= kMaxLength; }
inline bool fontSize(int v) { return v >= 1 && v <= 5000; }
inline bool colour(int v) { return v >= 0 && v <= 0xFFFFFF; }
inline bool background(int v) { return v == DefaultBackground || colour(v); }
inline bool alignment(int v) { return v >= 1 && v <= 14; }
inline bool textAlignment(int v) { return v >= 1 && v <= 9; }
inline bool cellType(int v) { return v == 10 || v == 2 || v == 3; }
inline bool inputType(int v) { return v >= 0 && v <= 8; }
inline bool fontStyle(int v) { return v >= 0 && v <= 0xF; }
inline bool margin(int v) { return v >= 0 && v <= 1000; }
inline bool lines(int v) { return (v & ~kCellLineBits) == 0; }
inline bool tableSize(long long rows, long long columns)
{
    return rows >= 0 && columns >= 0 && rows <= kMaxRows && columns <= kMaxColumns
        && rows * columns <= kMaxCells;
}
bool cell(const GridCell& c);
bool pageSetup(const PageSetup& p);
} // namespace grid_limits

class GridDocument {
public:
    GridDocument() = default;
    // An empty table in the initial format; sizes outside the limits give 0 x 0.
    GridDocument(int rows, int columns);
    // A large document leaves the storage of its cells to the next one that
    // grows large (a report filled again), which then takes no fresh memory.
    ~GridDocument();
    GridDocument(const GridDocument&) = default;
    GridDocument(GridDocument&&) = default;
    GridDocument& operator=(const GridDocument&) = default;
    GridDocument& operator=(GridDocument&&) = default;

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int headerRows() const { return headerRows_; }
    int headerColumns() const { return headerColumns_; }
    void setHeaderRows(int count);
    void setHeaderColumns(int count);

    const GridCell* cell(int row, int column) const;   // nullptr outside
    int rowHeight(int row) const;                      // 0 outside
    int columnWidth(int column) const;
    const std::vector<GridBlock>& merges() const { return merges_; }
    const GridBlock* mergeAt(int row, int column) const;

    const GridDefaults& defaults() const { return defaults_; }
    void setDefaults(const DefaultCellFormat& format);
    const PageSetup& pageSetup() const { return page_; }
    void setPageSetup(const PageSetup& page);

    // Rows and columns. New cells take the default format.
    void appendRows(int count);
    void insertRows(int before, int count);
    void deleteRows(int first, int count);
    void insertColumns(int before, int count);
    void deleteColumns(int first, int count);
    void appendDocument(const GridDocument& from, int firstRow, int rowCount);

    // Cells: `edit` runs for each cell of the block that lies in the table.
    using CellEdit = std::function<void(GridCell&)>;
    void editBlock(const GridBlock& block, const CellEdit& edit);
    void setRowHeights(int first, int count, int height);
    void setColumnWidths(int first, int count, int width);
    void merge(const GridBlock& block);
    void split(int row, int column);
    void addLines(const GridBlock& block, int mask);
    void clearLines(const GridBlock& block, int mask);

    // The part of `block` inside the table (empty when none).
    GridBlock clipped(const GridBlock& block) const;

    // Content only: requests kept for the next row are not compared.
    bool operator==(const GridDocument& other) const;

private:
    friend class GridCodec;
    // A request replayed on the rows first..last once they exist.
    using Request = std::function<void(GridDocument&, int first, int last)>;

    GridCell newCell() const;
    // Room for `count` cells from the storage a large document left, when it
    // has that room; otherwise the cells grow as a vector does.
    void reserveCells(size_t count);
    GridCell& at(int row, int column) { return cells_[index(row, column)]; }
    size_t index(int row, int column) const;
    // Runs `apply` on the table now and keeps it when rows first..last
    // reach the row after the last.
    void request(int first, int last, Request apply);
    void editRows(const GridBlock& block, int first, int last, const std::function<void(GridCell&, int, int)>& edit);
    void clearSide(int row, int column, int side);
    void mergeNow(const GridBlock& block);
    // Rows or columns: how many of count from first lie in the table
    // (first moved into it); merges, header count and kept requests after
    // lines were inserted or deleted.
    static int deletedCount(int& first, int count, int size);
    void linesInserted(bool rows, int before, int count);
    void linesDeleted(bool rows, int first, int count);

    int rows_ = 0, columns_ = 0;
    int headerRows_ = 0, headerColumns_ = 0;
    std::vector<GridCell> cells_;          // row by row
    std::vector<int> rowHeights_, columnWidths_;
    std::vector<GridBlock> merges_;
    GridDefaults defaults_;
    PageSetup page_;
    std::vector<Request> pending_;         // for row rows_ + 1
};

// Sum of the heights of rows first..last (widths of columns); 0 for none.
long long rowSpan(const GridDocument& document, int first, int last);
long long columnSpan(const GridDocument& document, int first, int last);

// The byte form shared by ".grd" files and tableToBytes (grid_format.cpp).
Bytes encodeGrid(const GridDocument& document);
// True when `bytes` is a whole, valid document; `out` is untouched otherwise.
bool decodeGrid(const Bytes& bytes, GridDocument& out);
