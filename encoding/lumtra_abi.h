#pragma once
// The binary interface between the runtime and the support library lumtra:
// the identifier, the type tags, the entry and callback signatures and the
// records the library describes itself with. Shared by the library
// (encoding/) and the runtime's loader (common/program/library.cpp); plain C++ so
// that the library needs nothing else.
//
// Calling convention: x86-64 has one C calling convention, so every entry
// point and the callback are plain extern "C" functions on both sides.
//
// Records: the words keep their order and values, but this is a 64-bit
// build, so every word that holds a pointer (a text, an array, an entry
// point) is pointer-sized; every other word stays 32 bits. The compiler's
// natural alignment puts 4 bytes of padding before a pointer or double that
// follows an odd number of 32-bit words; the asserts below pin the layout.
#include <cstddef>
#include <cstdint>

// The program lists the library under this identifier and file name; the
// runtime opens lib<LumtraFileName>.so in the program directory.
inline constexpr char LumtraIdentifier[] = "E1F66FAA1BF54AD8BAB4D78ADF4E9556";
inline constexpr char LumtraFileName[] = "lumtra";

inline constexpr uint32_t LibraryFormatStamp = 0x1312D65;   // 20000101

// The runtime's type tags.
inline constexpr uint32_t TypeTagText = 0x80000004u;
inline constexpr uint32_t TypeTagInteger = 0x80000301u;

// Notification code 1 hands the library the service callback (first parameter).
inline constexpr int32_t NotifyServiceCallback = 1;
// Service callback code 2024: a new block of `first` bytes from the runtime's
// allocator, or 0; the block belongs to whoever receives it and is freed
// through the runtime.
inline constexpr int32_t ServiceAllocateBlock = 2024;

enum ConversionMode : int32_t {
    ModeGbkToBig5 = 1,       // "GBK到BIG5"
    ModeBig5ToGbk = 2,       // "BIG5到GBK"
    ModeGbkTradToSimp = 3,   // "GBK繁体到简体"
    ModeGbkSimpToTrad = 4,   // "GBK简体到繁体"
    ModeBig5ToGbkSimp = 5,   // "BIG5到GBK简体"
};

// A value passed to or returned by a command: the value or pointer in the
// first (pointer-sized) word, a second word, then the type tag. An integer
// is held in the low 32 bits of the first word.
struct ValueRecord {
    intptr_t value;
    uint32_t second;
    uint32_t type;
};

extern "C" {
using ServiceCallback = intptr_t (*)(int32_t code, intptr_t first, intptr_t second);
using NotificationEntry = int32_t (*)(int32_t code, intptr_t first, intptr_t second);
// Stores the result's pointer (or 0) in result->value.
using CommandEntry = void (*)(ValueRecord* result, int32_t argumentCount, ValueRecord* arguments);
}

struct ArgumentRecord {            // 6 words
    const char* name;
    const char* explanation;
    uint32_t picture;              // picture index and count
    uint32_t type;
    int32_t defaultValue;
    uint32_t state;
};

struct CommandRecord {             // 9 words
    const char* name;
    const char* englishName;
    const char* explanation;
    uint32_t categoryAndState;     // category in the low, state in the high 16 bits
    uint32_t resultType;
    uint32_t levelWord;            // 0 in the low, 1 in the high 16 bits
    uint32_t picture;              // picture index and count
    int32_t argumentCount;
    const ArgumentRecord* arguments;
};

struct ConstantRecord {            // 8 words
    const char* name;
    const char* englishName;
    const char* explanation;
    uint32_t kind;                 // 1 in the low and high 16 bits: numeric
    const char* textValue;
    uint32_t reserved;             // 0
    double value;                  // the last two 32-bit words of the original
};

struct LibraryRecord {             // 36 words
    uint32_t formatStamp;          // 0
    const char* identifier;        // 1
    uint32_t majorVersion;         // 2
    uint32_t minorVersion;         // 3
    uint32_t buildNumber;          // 4
    uint32_t runtimeMajorVersion;  // 5
    uint32_t runtimeMinorVersion;  // 6
    uint32_t coreMajorVersion;     // 7
    uint32_t coreMinorVersion;     // 8
    const char* name;              // 9
    uint32_t language;             // 10
    const char* explanation;       // 11
    uint32_t state;                // 12
    const char* makerName;         // 13
    const char* makerPostalCode;   // 14
    const char* makerAddress;      // 15
    const char* makerTelephone;    // 16
    const char* makerFax;          // 17
    const char* makerEmail;        // 18
    const char* makerHomePage;     // 19
    const char* closingRemark;     // 20
    int32_t dataTypeCount;         // 21
    const void* dataTypes;         // 22
    int32_t categoryCount;         // 23
    const char* categories;        // 24
    int32_t commandCount;          // 25
    const CommandRecord* commands; // 26
    const CommandEntry* commandEntries;  // 27: one per command, in command order
    const void* addInEntry;        // 28
    const void* addInInformation;  // 29
    NotificationEntry notificationEntry; // 30
    const void* templateEntry;     // 31
    const void* templateInformation;     // 32
    int32_t constantCount;         // 33
    const ConstantRecord* constants;     // 34
    const void* dependentFiles;    // 35
};

static_assert(sizeof(void*) == 8, "the record layout below is the 64-bit one");
static_assert(sizeof(ValueRecord) == 16);
static_assert(sizeof(ArgumentRecord) == 32 && offsetof(ArgumentRecord, state) == 28);
static_assert(sizeof(CommandRecord) == 56 && offsetof(CommandRecord, arguments) == 48);
static_assert(sizeof(ConstantRecord) == 56 && offsetof(ConstantRecord, value) == 48);
static_assert(offsetof(LibraryRecord, name) == 48 && offsetof(LibraryRecord, closingRemark) == 136);
static_assert(offsetof(LibraryRecord, notificationEntry) == 216);
static_assert(sizeof(LibraryRecord) == 264);

// The library's only exports, resolved by name (ELF has no ordinals).
#define LUMTRA_EXPORT __attribute__((visibility("default")))
extern "C" {
// The same record at every call.
LUMTRA_EXPORT const LibraryRecord* GetNewInf();
// Converts the NUL-terminated text in place (it must be writable memory,
// never a literal); 0 for a mode outside 1 to 5 (text untouched), else 1,
// also for a null text.
LUMTRA_EXPORT int32_t Lumtra(char* text, int32_t mode);

using GetNewInfFunction = const LibraryRecord* (*)();
using LumtraFunction = int32_t (*)(char* text, int32_t mode);
}
