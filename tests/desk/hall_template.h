#pragma once
// A hall drawn as a seating template: two header rows (the title, then the
// column labels 1, 2, ...) and one header column (the row labels 1排,
// 2排, ...) around `rows` rows of `columns` seats.
#include "common/grid/grid.h"

inline void drawHall(DataSource& hall, int rows, int columns)
{
    setTableSize(hall, rows + 2, columns + 1);
    setHeaderRowCount(hall, 2);
    setHeaderColumnCount(hall, 1);
    for (int c = 1; c <= columns; ++c)
        setCellText(hall, 2, c + 1, toText(c));
    for (int r = 1; r <= rows; ++r)
        setCellText(hall, r + 2, 1, toText(r) + "排");
}
