#pragma once
// The window the grid tests share: a provider, two data sources (one on the
// provider, one on its own storage) and two grids, the first bound.
#include "common/grid/grid_model.h"
#include "common/runtime.h"
#include "tests/support/gbk_print.h"

#include <gtest/gtest.h>

struct GridWindow : Window {
    GridWindow() : Window("GridWindow", {0, 0, 700, 520}, "") {}
    GenericProvider 通用提供者1{*this, "通用提供者1"};
    DataSource 数据源1{*this, "数据源1", "通用提供者1"};
    DataSource 数据源2{*this, "数据源2"};
    GridTable 表格1{*this, "表格1", {0, 0, 640, 440}, "数据源1"};
    GridTable 表格3{*this, "表格3", {0, 0, 640, 440}};
};

// The cell as the document holds it; fails the test outside the table.
inline const GridCell& cellOf(const DataSource& source, int row, int column)
{
    static const GridCell none;
    const GridCell* cell = source.document().cell(row, column);
    EXPECT_NE(cell, nullptr) << "no cell (" << row << ", " << column << ")";
    return cell ? *cell : none;
}
