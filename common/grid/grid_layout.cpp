// Cutting a grid document into pages.
#include "common/grid/grid_layout.h"

#include <functional>

namespace {

using Size = std::function<int(int)>;
using Runs = std::vector<std::pair<int, int>>;

// Rows (or columns) first..last in runs that fit in `room`, at least one
// line each and at most `most` (0: no limit). No line at all: one empty run.
Runs cut(int first, int last, long long room, int most, const Size& size)
{
    Runs runs;
    int start = first;
    long long used = 0;
    for (int i = first; i <= last; ++i) {
        const int taken = i - start;
        if (taken > 0 && (used + size(i) > room || (most > 0 && taken >= most))) {
            runs.emplace_back(start, i - 1);
            start = i;
            used = 0;
        }
        used += size(i);
    }
    runs.emplace_back(start, last);
    return runs;
}

} // namespace

std::vector<GridPage> layOutPages(const GridDocument& d, const PageSetup& p)
{
    std::vector<GridPage> pages;
    if (d.rows() == 0 || d.columns() == 0)
        return pages;
    const int width = p.landscape ? p.paperHeight : p.paperWidth;
    const int height = p.landscape ? p.paperWidth : p.paperHeight;
    const long long roomWidth = static_cast<long long>(width - p.leftMargin - p.rightMargin) * 100 / p.scale;
    const long long roomHeight = static_cast<long long>(height - p.topMargin - p.bottomMargin) * 100 / p.scale;
    const int headerRows = std::min(d.headerRows(), d.rows());
    const int headerColumns = std::min(d.headerColumns(), d.columns());
    const Size rowHeight = [&](int r) { return d.rowHeight(r); };
    const Size columnWidth = [&](int c) { return d.columnWidth(c); };
    const Runs rows = cut(headerRows + 1, d.rows(), roomHeight - rowSpan(d, 1, headerRows), p.rowsPerPage, rowHeight);
    const Runs columns = cut(headerColumns + 1, d.columns(), roomWidth - columnSpan(d, 1, headerColumns), 0, columnWidth);
    for (const auto& [firstColumn, lastColumn] : columns)
        for (const auto& [firstRow, lastRow] : rows)
            pages.push_back({firstRow, lastRow, firstColumn, lastColumn});
    return pages;
}
