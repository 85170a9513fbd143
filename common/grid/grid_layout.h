#pragma once
// The grid service's own: the pages of a printed grid document (Qt-free).
#include "common/grid/grid_model.h"

#include <vector>

// The rows and columns a page shows besides the header rows and columns;
// first > last when it shows none (a document of header rows only).
struct GridPage {
    int firstRow, lastRow, firstColumn, lastColumn;
};

std::vector<GridPage> layOutPages(const GridDocument& document, const PageSetup& setup);
