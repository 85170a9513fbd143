#include "common/program/library.h"
#include "common/files/files.h"
#include "common/internal/file_paths.h"
#include "encoding/lumtra_abi.h"

#include <QFile>

#include <dlfcn.h>

#include <cstdlib>
#include <map>
#include <mutex>

namespace {

// What a support library may ask of the runtime: only blocks (code 2024).
intptr_t serviceCallback(int32_t code, intptr_t first, intptr_t)
{
    if (code != ServiceAllocateBlock || first <= 0)
        return 0;
    return reinterpret_cast<intptr_t>(allocateBlock(static_cast<size_t>(first)));
}

const LibraryRecord* openLibrary(const Text& name)
{
    const QByteArray path =
        QFile::encodeName(fileSystemPath(programDirectory() + "\\lib" + name + ".so"));
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr)
        return nullptr;
    const auto getNewInf = reinterpret_cast<GetNewInfFunction>(dlsym(handle, "GetNewInf"));
    const LibraryRecord* record = getNewInf != nullptr ? getNewInf() : nullptr;
    if (record == nullptr || record->formatStamp != LibraryFormatStamp) {
        dlclose(handle);
        return nullptr;
    }
    if (record->notificationEntry != nullptr)
        record->notificationEntry(NotifyServiceCallback, reinterpret_cast<intptr_t>(&serviceCallback), 0);
    return record;
}

} // namespace

const LibraryRecord* loadSupportLibrary(const Text& name, const Text& identifier)
{
    static std::mutex mutex;
    static std::map<Text, const LibraryRecord*> loaded;
    std::lock_guard lock(mutex);
    const LibraryRecord*& record = loaded[name];
    if (record == nullptr)
        record = openLibrary(name);
    if (record == nullptr || record->identifier == nullptr || identifier != record->identifier)
        return nullptr;
    return record;
}

namespace {

// The conversion library's record when it offers its command, else null.
const LibraryRecord* conversionLibrary()
{
    const LibraryRecord* record = loadSupportLibrary(LumtraFileName, LumtraIdentifier);
    if (record == nullptr || record->commandCount < 1 || record->commandEntries == nullptr
        || record->commandEntries[0] == nullptr)
        return nullptr;
    return record;
}

} // namespace

bool conversionLibraryLoaded() { return conversionLibrary() != nullptr; }

Text convertTextCode(const Text& text, int mode)
{
    const LibraryRecord* record = conversionLibrary();
    if (record == nullptr)
        return "";
    ValueRecord arguments[2] = {{reinterpret_cast<intptr_t>(text.c_str()), 0, TypeTagText},
                                {mode, 0, TypeTagInteger}};
    ValueRecord result{0, 0, 0};
    record->commandEntries[0](&result, 2, arguments);
    auto* block = reinterpret_cast<char*>(result.value);
    Text converted = block != nullptr ? Text(block) : Text();
    freeBlock(block);
    return converted;
}

void* allocateBlock(size_t size)
{
    return std::malloc(size);
}

void freeBlock(void* block)
{
    std::free(block);
}
