#pragma once
// Storing a meeting's seating charts, as functions of plain records.
#include "common/database/database.h"

#include <vector>

// A seat the open chart shows: the delegate's id as the cell's face holds
// it (a whole number) and the seat's label.
struct ChartSeat {
    Text delegate, label;
};

// Stores chart `chart` of `meeting`, kept in slot `slot` (1 to 5), with its
// document and the seats it shows, as one unit: every seat of the slot is
// freed, then each delegate of the meeting shown takes his seat (a seat
// whose delegate is no whole number is none). False when the unit is not
// kept: a refused seat leaves every stored seat as it was.
bool storeSeatingChart(ExternalDatabase& database, int meeting, int chart, int slot, const Bytes& document,
                       const std::vector<ChartSeat>& seats);

// Stores a new chart of `meeting` in slot `slot` with `document`, and the
// meeting's name `name` for it, as one unit. False when the unit is not kept.
bool storeNewChart(ExternalDatabase& database, int meeting, int slot, const Text& name, const Bytes& document);
