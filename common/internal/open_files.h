#pragma once
// Internal to common/: the device behind a numbered open file and the list
// entry layout, for the routines that stream an entry into or out of one.
#include <QFileDevice>

#include <cstdint>

// Null unless `file` is open for reading (or, with `forWriting`, for
// writing or replacing).
QFileDevice* openFileDevice(int file, bool forWriting);

// A list entry whose length is known only at its end: begin writes a
// placeholder and gives where the entry starts, end writes the length there
// and goes back to the end; false when the entry is too long to store.
qint64 beginListEntry(QFileDevice& out);
bool endListEntry(QFileDevice& out, qint64 start);
// The length of the next entry, which the rest of the file must hold.
bool readListEntryLength(QFileDevice& in, uint64_t& length);
