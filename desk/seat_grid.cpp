// Seat placement on the open seating chart: the queue in one of three
// orders, picking a seat up and putting it down, the title and preview.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/placement_walks.h"

#include <set>

namespace {

// The face a grid cell has before anybody sits in it.
constexpr const char* kEmptySeatFace = "宋体";

bool pickupPending() { return !seatPickupName.empty() && std::abs(toNumber(seatPickupDelegateId)) > 1e-7; }

} // namespace

bool MainWindow::isSeatFace(const Text& face) { return isWholeNumberText(face) && toNumber(face) > 1e-7; }

void MainWindow::onSeatGridMouseUp(int button)
{
    // Beside the cells the current cell stays what it was: it was not clicked.
    if (button != LeftButton || !表格1.pressedOnCell())
        return;
    const int row = selectionStartRow(表格1), column = selectionStartColumn(表格1);
    if (列表框2.itemCount() > 0)
        placeQueue(row, column);
    else
        pickUpOrMoveSeat(row, column);
}

void MainWindow::placeQueue(int row, int column)
{
    std::vector<SeatCell> cells;
    for (int c = 1; c <= tableColumnCount(数据源1); ++c)
        cells.push_back({cellText(数据源1, row, c).empty(), cellFontName(数据源1, row, c)});
    TextList queued;
    for (int i = 0; i < 列表框2.itemCount(); ++i)
        queued.push_back(toText(列表框2.itemValue(i)));
    const SeatOrder order = 单选框1.checked() ? SeatOrder::RightFirst
                          : 单选框3.checked() ? SeatOrder::LeftFirst
                                              : SeatOrder::LeftToRight;
    for (int col : walkSeats(cells, headerColumnCount(数据源1), column, order, queued)) {
        seatDelegate(row, col, 列表框2.itemText(0), toText(列表框2.itemValue(0)));
        列表框2.removeItem(0);
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
        vacateSeat(seatPickupRow, seatPickupColumn);
        seatDelegate(row, column, seatPickupName, seatPickupDelegateId);
        seatPickupName = "";
        seatPickupDelegateId = "";
    }
    树型框1.setCurrentItem(-1);
}

// A delegate stands once on a chart: a cell of his elsewhere is vacated.
void MainWindow::seatDelegate(int row, int column, const Text& name, const Text& delegateId)
{
    for (int r = 1; r <= tableRowCount(数据源1); ++r)
        for (int c = 1; c <= tableColumnCount(数据源1); ++c)
            if (cellFontName(数据源1, r, c) == delegateId)
                vacateSeat(r, c);
    setCellText(数据源1, row, column, name);
    setBlockFontName(数据源1, row, column, 1, 1, delegateId);
    setBlockReadOnly(数据源1, row, column, 1, 1, true);
}

// Neither name nor delegate stays: text typed there later is no seat.
void MainWindow::vacateSeat(int row, int column)
{
    setCellText(数据源1, row, column, "");
    setBlockFontName(数据源1, row, column, 1, 1, kEmptySeatFace);
    setBlockReadOnly(数据源1, row, column, 1, 1, false);
}

// A seat whose delegate is not (or no longer) one of the meeting's, or that
// shows no name, is empty; a failed look-up vacates nothing.
void MainWindow::vacateSeatsOfNoDelegate()
{
    int rs = querySql(外部数据库1, "select 代表id from 代表信息 where 会议编号=" + currentMeetingText());
    if (rs == 0)
        return;
    std::set<Text> delegates;
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        delegates.insert(toText(readField(rs, "代表id").number()));
    closeRecordSet(rs);
    for (int r = 1; r <= tableRowCount(数据源1); ++r)
        for (int c = 1; c <= tableColumnCount(数据源1); ++c) {
            const Text face = cellFontName(数据源1, r, c);
            if (isSeatFace(face) && (cellText(数据源1, r, c).empty() || !delegates.contains(toText(toNumber(face)))))
                vacateSeat(r, c);
        }
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
    if (!表格1.dataSourceName().empty() && printPreview(表格1) == PreviewPrintFailed)
        messageBox("打印失败！", BoxOk | IconStop, "错误");
}
