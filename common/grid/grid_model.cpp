// The grid document: size, rows and columns, header counts, defaults.
#include "common/grid/grid_model.h"

#include <algorithm>
#include <iterator>
#include <mutex>

namespace {

// The storage of the cells of the last large document that went away, its
// cells destroyed. Below the lower bound the allocator serves well enough;
// above the upper one the memory is not worth holding on to while unused.
constexpr size_t kKeptCellsMin = (1u << 20) / sizeof(GridCell);
constexpr size_t kKeptCellsMax = (64u << 20) / sizeof(GridCell);
struct KeptCells {
    std::mutex lock;
    std::vector<GridCell> cells;
};
// Never destroyed, so that a document destroyed at exit still finds it.
KeptCells& kept()
{
    static auto* store = new KeptCells;
    return *store;
}

// A span start..start+span-1 of rows or columns after `count` of them were
// inserted before `before`.
void spanInserted(int& start, int& span, int before, int count)
{
    if (before <= start)
        start += count;
    else if (before < start + span)
        span += count;
}

// The same after first..first+count-1 were deleted; false when nothing of
// the span is left.
bool spanDeleted(int& start, int& span, int first, int count)
{
    const int last = first + count - 1, end = start + span - 1;
    const int before = std::max(0, std::min(end, first - 1) - start + 1);
    const int after = std::max(0, end - std::max(start, last + 1) + 1);
    start = start < first ? start : start > last ? start - count : first;
    span = before + after;
    return span > 0;
}

// The last of `count` rows or columns from `first`, cut to `size`.
int lastOf(int first, int count, int size)
{
    return static_cast<int>(std::min<long long>(size, static_cast<long long>(first) + count - 1));
}

template <class T>
void insertCopies(std::vector<T>& v, size_t at, size_t count, const T& value)
{
    v.insert(v.begin() + static_cast<std::ptrdiff_t>(at), count, value);
}

template <class T>
void eraseRange(std::vector<T>& v, size_t at, size_t count)
{
    auto first = v.begin() + static_cast<std::ptrdiff_t>(at);
    v.erase(first, first + static_cast<std::ptrdiff_t>(count));
}

} // namespace

GridBlock GridBlock::of(int row, int column, int rows, int columns)
{
    // Both ends are bounded, so the block keeps the cells it had in reach.
    static constexpr long long reach = grid_limits::kMaxRows + 2;
    auto span = [](int start, int count, int& first, int& length) {
        const long long a = std::clamp<long long>(start, -reach, reach);
        const long long b = std::clamp<long long>(static_cast<long long>(start) + count - 1, -reach, reach);
        first = static_cast<int>(a);
        length = count <= 0 ? 0 : static_cast<int>(std::max<long long>(b - a + 1, 0));
    };
    GridBlock block;
    span(row, rows, block.row, block.rows);
    span(column, columns, block.column, block.columns);
    return block;
}

bool grid_limits::cell(const GridCell& c)
{
    return fontSize(c.fontSize) && fontStyle(c.fontStyle) && colour(c.textColour)
        && background(c.background) && alignment(c.alignment) && cellType(c.cellType)
        && inputType(c.inputType) && margin(c.margin) && lines(c.lines);
}

bool grid_limits::pageSetup(const PageSetup& p)
{
    auto side = [](int v) { return v >= 100 && v <= 20000; };
    auto edge = [](int v) { return v >= 0 && v <= 5000; };
    if (!side(p.paperWidth) || !side(p.paperHeight) || !edge(p.leftMargin) || !edge(p.topMargin)
        || !edge(p.rightMargin) || !edge(p.bottomMargin))
        return false;
    const int width = p.landscape ? p.paperHeight : p.paperWidth;
    const int height = p.landscape ? p.paperWidth : p.paperHeight;
    return p.leftMargin + p.rightMargin <= width - 100 && p.topMargin + p.bottomMargin <= height - 100
        && p.scale >= 10 && p.scale <= 400 && p.rowsPerPage >= 0 && p.rowsPerPage <= 100000;
}

GridDocument::GridDocument(int rows, int columns)
{
    if (!grid_limits::tableSize(rows, columns))
        return;
    rows_ = rows;
    columns_ = columns;
    cells_.assign(static_cast<size_t>(rows) * static_cast<size_t>(columns), newCell());
    rowHeights_.assign(static_cast<size_t>(rows), defaults_.rowHeight);
    columnWidths_.assign(static_cast<size_t>(columns), grid_limits::kDefaultColumnWidth);
}

GridDocument::~GridDocument()
{
    const size_t capacity = cells_.capacity();
    if (capacity < kKeptCellsMin || capacity > kKeptCellsMax)
        return;
    cells_.clear();
    KeptCells& k = kept();
    const std::lock_guard lock(k.lock);
    if (capacity > k.cells.capacity())
        k.cells.swap(cells_);
}

void GridDocument::reserveCells(size_t count)
{
    if (count <= cells_.capacity() || count < kKeptCellsMin)
        return;
    KeptCells& k = kept();
    const std::lock_guard lock(k.lock);
    if (count > k.cells.capacity())
        return;
    std::move(cells_.begin(), cells_.end(), std::back_inserter(k.cells));
    cells_.swap(k.cells);
    k.cells = {};
}

bool GridDocument::operator==(const GridDocument& o) const
{
    return rows_ == o.rows_ && columns_ == o.columns_ && headerRows_ == o.headerRows_
        && headerColumns_ == o.headerColumns_ && cells_ == o.cells_ && rowHeights_ == o.rowHeights_
        && columnWidths_ == o.columnWidths_ && merges_ == o.merges_ && defaults_ == o.defaults_
        && page_ == o.page_;
}

size_t GridDocument::index(int row, int column) const
{
    return static_cast<size_t>(row - 1) * static_cast<size_t>(columns_) + static_cast<size_t>(column - 1);
}

const GridCell* GridDocument::cell(int row, int column) const
{
    if (row < 1 || row > rows_ || column < 1 || column > columns_)
        return nullptr;
    return &cells_[index(row, column)];
}

int GridDocument::rowHeight(int row) const
{
    return row >= 1 && row <= rows_ ? rowHeights_[static_cast<size_t>(row - 1)] : 0;
}

int GridDocument::columnWidth(int column) const
{
    return column >= 1 && column <= columns_ ? columnWidths_[static_cast<size_t>(column - 1)] : 0;
}

void GridDocument::setHeaderRows(int count) { headerRows_ = std::clamp(count, 0, grid_limits::kMaxRows); }
void GridDocument::setHeaderColumns(int count) { headerColumns_ = std::clamp(count, 0, grid_limits::kMaxColumns); }

void GridDocument::setPageSetup(const PageSetup& page)
{
    if (grid_limits::pageSetup(page))
        page_ = page;
}

void GridDocument::setDefaults(const DefaultCellFormat& f)
{
    GridCell& cell = defaults_.cell;
    auto take = [](const auto& setting, auto& target, bool (*accept)(int)) {
        if (setting && accept(*setting))
            target = *setting;
    };
    take(f.textColour, cell.textColour, grid_limits::colour);
    take(f.background, cell.background, grid_limits::background);
    take(f.rowHeight, defaults_.rowHeight, grid_limits::length);
    if (f.fontName)
        cell.fontName = *f.fontName;
    take(f.fontSize, cell.fontSize, grid_limits::fontSize);
    if (f.margin)
        cell.margin = std::clamp(*f.margin, 0, 1000);
    take(f.fontStyle, cell.fontStyle, grid_limits::fontStyle);
    take(f.alignment, cell.alignment, grid_limits::alignment);
    take(f.inputType, cell.inputType, grid_limits::inputType);
    if (f.allLines)
        defaults_.allLines = *f.allLines;
}

GridCell GridDocument::newCell() const
{
    GridCell cell = defaults_.cell;
    if (defaults_.allLines)
        cell.lines |= GridFrame;
    return cell;
}

// ---- rows and columns ----------------------------------------------------

void GridDocument::appendRows(int count)
{
    if (count <= 0 || !grid_limits::tableSize(static_cast<long long>(rows_) + count, columns_))
        return;
    const int appended = rows_ + 1;
    reserveCells(cells_.size() + static_cast<size_t>(count) * static_cast<size_t>(columns_));
    cells_.resize(cells_.size() + static_cast<size_t>(count) * static_cast<size_t>(columns_), newCell());
    rowHeights_.resize(rowHeights_.size() + static_cast<size_t>(count), defaults_.rowHeight);
    rows_ += count;
    std::vector<Request> kept;
    kept.swap(pending_);
    for (const Request& apply : kept)
        apply(*this, appended, appended);
}

void GridDocument::insertRows(int before, int count)
{
    if (before == rows_ + 1) {
        appendRows(count);
        return;
    }
    if (count <= 0 || before < 1 || before > rows_
        || !grid_limits::tableSize(static_cast<long long>(rows_) + count, columns_))
        return;
    insertCopies(cells_, index(before, 1), static_cast<size_t>(count) * static_cast<size_t>(columns_), newCell());
    insertCopies(rowHeights_, static_cast<size_t>(before - 1), static_cast<size_t>(count), defaults_.rowHeight);
    rows_ += count;
    linesInserted(true, before, count);
}

void GridDocument::deleteRows(int first, int count)
{
    const int n = deletedCount(first, count, rows_);
    if (n == 0)
        return;
    eraseRange(cells_, index(first, 1), static_cast<size_t>(n) * static_cast<size_t>(columns_));
    eraseRange(rowHeights_, static_cast<size_t>(first - 1), static_cast<size_t>(n));
    rows_ -= n;
    linesDeleted(true, first, n);
}

void GridDocument::insertColumns(int before, int count)
{
    if (count <= 0 || before < 1 || before > columns_ + 1
        || !grid_limits::tableSize(rows_, static_cast<long long>(columns_) + count))
        return;
    std::vector<GridCell> cells;
    cells.reserve(static_cast<size_t>(rows_) * static_cast<size_t>(columns_ + count));
    const GridCell blank = newCell();
    for (int r = 1; r <= rows_; ++r) {
        auto row = cells_.begin() + static_cast<std::ptrdiff_t>(index(r, 1));
        cells.insert(cells.end(), row, row + (before - 1));
        cells.insert(cells.end(), static_cast<size_t>(count), blank);
        cells.insert(cells.end(), row + (before - 1), row + columns_);
    }
    cells_.swap(cells);
    insertCopies(columnWidths_, static_cast<size_t>(before - 1), static_cast<size_t>(count),
                 grid_limits::kDefaultColumnWidth);
    columns_ += count;
    linesInserted(false, before, count);
}

void GridDocument::deleteColumns(int first, int count)
{
    const int n = deletedCount(first, count, columns_);
    if (n == 0)
        return;
    const int last = first + n - 1;
    std::vector<GridCell> cells;
    cells.reserve(static_cast<size_t>(rows_) * static_cast<size_t>(columns_ - n));
    for (int r = 1; r <= rows_; ++r)
        for (int c = 1; c <= columns_; ++c)
            if (c < first || c > last)
                cells.push_back(std::move(at(r, c)));
    cells_.swap(cells);
    eraseRange(columnWidths_, static_cast<size_t>(first - 1), static_cast<size_t>(n));
    columns_ -= n;
    linesDeleted(false, first, n);
}

int GridDocument::deletedCount(int& first, int count, int size)
{
    const int last = lastOf(first, count, size);
    first = std::max(first, 1);
    return count <= 0 || first > last ? 0 : last - first + 1;
}

void GridDocument::linesInserted(bool rows, int before, int count)
{
    pending_.clear();
    for (GridBlock& m : merges_)
        spanInserted(rows ? m.row : m.column, rows ? m.rows : m.columns, before, count);
    int& headers = rows ? headerRows_ : headerColumns_;
    if (before <= headers)
        headers += count;
}

void GridDocument::linesDeleted(bool rows, int first, int count)
{
    pending_.clear();
    std::erase_if(merges_, [&](GridBlock& m) {
        return !spanDeleted(rows ? m.row : m.column, rows ? m.rows : m.columns, first, count) || m.rows * m.columns < 2;
    });
    int start = 1;
    int& headers = rows ? headerRows_ : headerColumns_;
    if (!spanDeleted(start, headers, first, count))
        headers = 0;
}

void GridDocument::appendDocument(const GridDocument& from, int firstRow, int rowCount)
{
    if (&from == this) {
        const GridDocument copy = from;
        appendDocument(copy, firstRow, rowCount);
        return;
    }
    const int first = std::max(firstRow, 1);
    const int last = rowCount < 0 ? from.rows_ : lastOf(first, rowCount, from.rows_);
    if (first > last)
        return;
    const int n = last - first + 1, width = std::max(columns_, from.columns_);
    if (!grid_limits::tableSize(static_cast<long long>(rows_) + n, width))
        return;
    if (from.columns_ > columns_) {
        const int added = columns_ + 1;
        insertColumns(added, from.columns_ - columns_);
        std::copy(from.columnWidths_.begin() + (added - 1), from.columnWidths_.end(),
                  columnWidths_.begin() + (added - 1));
    }
    pending_.clear();
    const int oldRows = rows_;
    for (int r = first; r <= last; ++r) {
        for (int c = 1; c <= columns_; ++c)
            cells_.push_back(c <= from.columns_ ? *from.cell(r, c) : newCell());
        rowHeights_.push_back(from.rowHeight(r));
    }
    rows_ += n;
    // The merges of the copied rows, cut to them.
    for (GridBlock m : from.merges_) {
        if (!spanDeleted(m.row, m.rows, last + 1, from.rows_ - last) || !spanDeleted(m.row, m.rows, 1, first - 1))
            continue;
        m.row += oldRows;
        mergeNow(m);
    }
}

long long rowSpan(const GridDocument& d, int first, int last)
{
    long long sum = 0;
    for (int r = first; r <= last; ++r)
        sum += d.rowHeight(r);
    return sum;
}

long long columnSpan(const GridDocument& d, int first, int last)
{
    long long sum = 0;
    for (int c = first; c <= last; ++c)
        sum += d.columnWidth(c);
    return sum;
}
