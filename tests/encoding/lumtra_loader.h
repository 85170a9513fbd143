#pragma once
// Access to the built library for the tests: the shared instance in the
// program directory, private copies with fresh state, conversion through
// the shared instance, every two-byte position of each code, and hex helpers.
#include "common/text/gbk.h"
#include "encoding/lumtra_abi.h"

#include <vector>

struct LumtraLibrary {
    void* handle = nullptr;
    GetNewInfFunction getNewInf = nullptr;
    LumtraFunction lumtra = nullptr;

    const LibraryRecord& record() const { return *getNewInf(); }
    // Hands the library a service callback through its notification entry.
    int32_t notify(int32_t code, intptr_t first) const
    {
        return record().notificationEntry(code, first, 0);
    }
};

// $QELVANA_PROGRAM_DIR/liblumtra.so, opened once; throws when it cannot be.
const LumtraLibrary& lumtraLibrary();
// A copy of the library under another file name: its own, untouched state.
LumtraLibrary freshLumtraCopy();

// Runs Lumtra over `input` in a buffer with a guard after its terminator
// and gives the text before the terminator; a touched guard fails the test.
Bytes convert(const Bytes& input, int mode);

// Every pair the GBK tables (leads 0x81-0xFE) and the BIG5 table (leads
// 0xA0-0xFE) have an entry for, in table order.
const std::vector<Bytes>& gbkPositions();
const std::vector<Bytes>& big5Positions();

Bytes hexBytes(const std::string& hex);   // "D6 D0" -> "\xD6\xD0"
std::string hexOf(const Bytes& bytes);    // "\xD6\xD0" -> "D6 D0"
