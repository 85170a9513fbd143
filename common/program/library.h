#pragma once
// Support libraries: shared libraries in the program directory that the
// runtime loads by name for the program, and the program's one call into
// them, the conversion library's command "内码转换".
#include "common/text/gbk.h"

#include <cstddef>

struct LibraryRecord;   // encoding/lumtra_abi.h

// Loads lib<name>.so from the program directory, reads its record and hands
// it the service callback; the library stays loaded and later calls give
// the same record. Null when the file cannot be loaded, exports no
// GetNewInf, or its record does not carry `identifier`.
const LibraryRecord* loadSupportLibrary(const Text& name, const Text& identifier);

// `text` converted by the conversion library in `mode` (1 GBK to BIG5,
// 2 BIG5 to GBK, 3 traditional to simplified, 4 simplified to traditional,
// 5 BIG5 to simplified GBK; any other mode gives the text unchanged). The
// text ends at its first NUL byte. A conversion keeps the byte length, so
// the "" that stands for "no result" (library missing, no block) can only
// be told from a real result for a non-empty text: callers that must not
// lose text keep theirs when a non-empty text comes back as "".
Text convertTextCode(const Text& text, int mode);
// Whether the conversion library is there to convert: loads it when it is
// not loaded yet. A caller that converts many texts asks once, first, and
// does not go on without it.
bool conversionLibraryLoaded();

// The runtime's allocator: the service callback (code 2024) hands out its
// blocks, and whoever receives one from a library frees it here. Freeing
// null does nothing.
void* allocateBlock(size_t size);
void freeBlock(void* block);
