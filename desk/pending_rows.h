#pragma once
// Pending assignment rows of the room and banquet-table pages.
#include "common/windows/list_view.h"

// Drops pending row `row` and gives its place back: the place's count in
// `places` (cell `placeCount`) goes down by one, and so do the counts the
// later pending rows of that place carry (cell `pendingCount`). With a
// `sexCell`, a place that is empty again takes "无" there.
void dropPendingRow(ListView& pending, int row, ListView& places, int placeCount, int pendingCount,
                    int sexCell = -1);
