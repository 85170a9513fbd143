// Printing a grid document page by page.
#include "common/grid/grid_print.h"

#include "common/grid/grid_layout.h"
#include "common/grid/grid_paint.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <cmath>

namespace {

// On paper every text shows whole: a row grows to hold the wrapped texts of
// the cells that lie in it alone; a block merged over rows keeps its height.
GridDocument withRowsForTexts(GridDocument d)
{
    for (int r = 1; r <= d.rows(); ++r) {
        double needed = 0;
        for (int c = 1; c <= d.columns(); ++c) {
            const GridBlock* m = d.mergeAt(r, c);
            if (m && (m->rows > 1 || m->column != c))
                continue;
            const long long width = m ? columnSpan(d, c, m->lastColumn()) : d.columnWidth(c);
            needed = std::max(needed, gridTextHeight(*d.cell(r, c), static_cast<double>(width)));
        }
        const int height = static_cast<int>(std::min(std::ceil(needed), double{grid_limits::kMaxLength}));
        if (height > d.rowHeight(r))
            d.setRowHeights(r, 1, height);
    }
    return d;
}

} // namespace

GridPrintout::GridPrintout(const DataSource& source)
    : document_(std::make_shared<const GridDocument>(withRowsForTexts(source.document())))
{
}

GridPrintout::~GridPrintout() = default;

const PageSetup& GridPrintout::pageSetup() const { return document_->pageSetup(); }

int GridPrintout::pageCount() const { return static_cast<int>(layOutPages(*document_, pageSetup()).size()); }

void GridPrintout::applyPageSetup(QPagedPaintDevice& device) const { device.setPageLayout(toPageLayout(pageSetup())); }

bool GridPrintout::print(QPagedPaintDevice& device, int firstPage, int lastPage, std::vector<TextList>* drawn) const
{
    const GridDocument& d = *document_;
    const PageSetup setup = fromPageLayout(device.pageLayout(), pageSetup());
    const std::vector<GridPage> pages = layOutPages(d, setup);
    const int count = static_cast<int>(pages.size());
    const int first = std::max(firstPage, 1), last = lastPage <= 0 ? count : std::min(lastPage, count);
    if (first > last)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const double scale = setup.scale / 100.0;
    const int headerRows = std::min(d.headerRows(), d.rows());
    const int headerColumns = std::min(d.headerColumns(), d.columns());
    const double header = static_cast<double>(rowSpan(d, 1, headerRows));
    const double side = static_cast<double>(columnSpan(d, 1, headerColumns));
    for (int n = first; n <= last; ++n) {
        if (n > first)
            device.newPage();
        const GridPage& page = pages[static_cast<size_t>(n - 1)];
        TextList texts;
        GridPaintStyle style;
        style.drawn = &texts;
        painter.save();
        painter.scale(device.logicalDpiX() / 254.0 * scale, device.logicalDpiY() / 254.0 * scale);
        for (const GridBand& rows : {GridBand{1, headerRows, 0}, GridBand{page.firstRow, page.lastRow, header}})
            for (const GridBand& columns : {GridBand{1, headerColumns, 0}, GridBand{page.firstColumn, page.lastColumn, side}})
                paintGridBand(painter, d, rows, columns, style);
        painter.restore();
        if (drawn)
            drawn->push_back(std::move(texts));
    }
    return painter.end();
}
