// Seat placement on the open seating chart: the queue in one of three
// orders, picking a seat up and putting it down, the title and preview.
#include "desk/main_window.h"
#include "app/state/globals.h"

namespace {

bool pickupPending() { return !seatPickupName.empty() && std::abs(toNumber(seatPickupDelegateId)) > 1e-7; }

} // namespace

void MainWindow::onSeatGridMouseUp(int button)
{
    if (button != LeftButton)
        return;
    const int row = selectionStartRow(表格1), column = selectionStartColumn(表格1);
    if (列表框2.itemCount() > 0)
        placeQueue(row, column);
    else
        pickUpOrMoveSeat(row, column);
}

void MainWindow::placeQueue(int row, int column)
{
    const int queued = 列表框2.itemCount();
    for (int i = 1, col = column; i <= queued; ++i) {
        if (col <= headerColumnCount(数据源1) || col > tableColumnCount(数据源1) || !cellText(数据源1, row, col).empty())
            return;
        setCellText(数据源1, row, col, 列表框2.itemText(0));
        setBlockFontName(数据源1, row, col, 1, 1, toText(列表框2.itemValue(0)));
        setBlockReadOnly(数据源1, row, col, 1, 1, true);
        列表框2.removeItem(0);
        if (单选框1.checked())
            col = col > column ? col - i : col + i;
        else if (单选框3.checked())
            col = col < column ? col + i : col - i;
        else
            col = column + i;
    }
}

void MainWindow::pickUpOrMoveSeat(int row, int column)
{
    const Text text = cellText(数据源1, row, column);
    if (!text.empty()) {
        seatPickupName = text;
        seatPickupDelegateId = cellFontName(数据源1, row, column);
        seatPickupRow = row;
        seatPickupColumn = column;
        return;
    }
    if (pickupPending()) {
        setCellText(数据源1, row, column, seatPickupName);
        setBlockFontName(数据源1, row, column, 1, 1, seatPickupDelegateId);
        setBlockReadOnly(数据源1, row, column, 1, 1, true);
        setCellText(数据源1, seatPickupRow, seatPickupColumn, "");
        setBlockReadOnly(数据源1, seatPickupRow, seatPickupColumn, 1, 1, false);
        seatPickupName = "";
        seatPickupDelegateId = "";
    }
    树型框1.setCurrentItem(-1);
}

void MainWindow::onSetChartTitleClick()
{
    const Text title = 编辑框19.content();
    if (title.empty())
        return;
    表格1.setVisible(false);
    setCellText(数据源1, 1, 2, title);
    编辑框19.setContent("");
    表格1.setVisible(true);
}

void MainWindow::onChartPreviewClick()
{
    if (!表格1.dataSourceName().empty())
        printPreview(表格1);
}
