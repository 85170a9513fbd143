#pragma once
// A grid document laid out on pages for printing. The rows below the header
// rows and the columns right of the header columns are cut into pages that
// fit the printable area (paper less margins, at the document's scale; at
// most `rowsPerPage` rows when that is set), down first and then across;
// every page repeats the header rows and the header columns. A row grows to
// hold its cells' texts wrapped to their widths, so no text is cut on paper
// (a block merged over rows keeps its height). A row or column larger than
// a page gets a page of its own and is cut off. A document
// without rows or columns has no page. Pages are numbered from 1.
#include "common/grid/grid.h"

#include <memory>
#include <vector>

class QPagedPaintDevice;

class GridPrintout {
public:
    // Takes a copy of the document as it is now.
    explicit GridPrintout(const DataSource& source);
    ~GridPrintout();

    const PageSetup& pageSetup() const;
    int pageCount() const;   // with pageSetup()

    // Gives the device the paper, orientation and margins of pageSetup().
    void applyPageSetup(QPagedPaintDevice& device) const;
    // Paints pages firstPage..lastPage (0: to the last) on `device`, laid
    // out for the page layout the device has (applyPageSetup, or what the
    // person chose in a preview) at the document's scale. `drawn`, when
    // given, gets one list per painted page of the cell texts drawn on it.
    // False when no page was painted.
    bool print(QPagedPaintDevice& device, int firstPage = 1, int lastPage = 0,
               std::vector<TextList>* drawn = nullptr) const;

private:
    std::shared_ptr<const GridDocument> document_;
};
