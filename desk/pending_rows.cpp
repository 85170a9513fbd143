#include "desk/pending_rows.h"
#include "common/text/text.h"

namespace {

void lowerCell(ListView& list, int row, int cell)
{
    setListCellText(list, row, cell, toText(toNumber(listCellText(list, row, cell)) - 1));
}

} // namespace

void dropPendingRow(ListView& pending, int row, ListView& places, int placeCount, int pendingCount, int sexCell)
{
    if (row < 0 || row >= listRowCount(pending))
        return;
    const int place = listRowValue(pending, row);
    for (int r = 0; r < listRowCount(places); ++r) {
        if (listRowValue(places, r) != place)
            continue;
        lowerCell(places, r, placeCount);
        if (sexCell >= 0 && toNumber(listCellText(places, r, placeCount)) <= 0)
            setListCellText(places, r, sexCell, "无");
    }
    for (int r = row + 1; r < listRowCount(pending); ++r)
        if (listRowValue(pending, r) == place)
            lowerCell(pending, r, pendingCount);
    deleteListRow(pending, row);
}
