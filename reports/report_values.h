#pragma once
// Values that the report fills read and write alike.
#include "state/globals.h"
#include "common/database/database.h"

namespace report {

inline Text fieldText(int recordSet, const Text& column) { return readField(recordSet, column).text(); }
inline Text fieldNumber(int recordSet, const Text& column) { return toText(readField(recordSet, column).number()); }
// The current meeting's number as it goes into SQL.
inline Text meeting() { return toText(currentMeetingId); }

} // namespace report
