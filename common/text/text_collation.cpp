#include "common/text/text_collation.h"
#include "common/text/gbk.h"

// Built a second time as a loadable extension of the engine (see
// common/CMakeLists.txt), whose calls then go through the interface the
// loading engine hands over.
#ifdef QELVANA_SQLITE_EXTENSION
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1
#else
#include <sqlite3.h>
#endif

#include <algorithm>
#include <cstring>

namespace {

bool isContinuationByte(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the UTF-8 character that starts with `lead`, 1 for a stray byte.
size_t utf8Length(unsigned char lead)
{
    return lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

int sign(int value) { return (value > 0) - (value < 0); }

// GBK (GB18030) is prefix-free, so two texts compare as the encodings of
// their first differing characters: only those two are converted. Texts
// whose characters convert alike (invalid UTF-8) fall back to their bytes,
// so that the collation calls equal only equal texts.
int compareInGbkOrder(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    const size_t n = static_cast<size_t>(std::min(lengthA, lengthB));
    size_t at = 0;
    while (at < n && x[at] == y[at])
        ++at;
    while (at > 0 && at < n && (isContinuationByte(x[at]) || isContinuationByte(y[at])))
        --at;
    if (at == n)
        return sign(lengthA - lengthB);
    auto character = [at](const unsigned char* text, int length) {
        const size_t size = std::min(utf8Length(text[at]), static_cast<size_t>(length) - at);
        return utf8ToGbk(std::string(reinterpret_cast<const char*>(text) + at, size));
    };
    const int order = character(x, lengthA).compare(character(y, lengthB));
    if (order != 0)
        return sign(order);
    const int bytes = std::memcmp(x + at, y + at, n - at);
    return bytes != 0 ? sign(bytes) : sign(lengthA - lengthB);
}

} // namespace

bool registerGbkCollation(sqlite3* db)
{
    return db && sqlite3_create_collation(db, kGbkCollation, SQLITE_UTF8, nullptr, compareInGbkOrder) == SQLITE_OK;
}

#ifdef QELVANA_SQLITE_EXTENSION
// The entry the engine looks for in "gbk_collation": every connection that
// loads it compares text in GBK order as the program does.
extern "C" __attribute__((visibility("default"))) int sqlite3_gbkcollation_init(sqlite3* db, char** error,
                                                                               const sqlite3_api_routines* api)
{
    SQLITE_EXTENSION_INIT2(api);
    (void)error;
    return registerGbkCollation(db) ? SQLITE_OK : SQLITE_ERROR;
}
#endif
