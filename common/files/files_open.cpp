#include "common/files/files.h"
#include "common/internal/file_paths.h"
#include "common/internal/open_files.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdint>
#include <map>
#include <memory>

namespace {

struct OpenFile {
    std::unique_ptr<QFileDevice> file;
    int mode = 0;
};

std::map<int, OpenFile> openFiles;

QFileDevice* fileFor(int number, int mode)
{
    auto it = openFiles.find(number);
    return it == openFiles.end() || it->second.mode != mode ? nullptr : it->second.file.get();
}

QFileDevice* anyFile(int number)
{
    auto it = openFiles.find(number);
    return it == openFiles.end() ? nullptr : it->second.file.get();
}

int freeNumber()
{
    int number = 1;
    while (openFiles.count(number))
        ++number;
    return number;
}

std::unique_ptr<QFileDevice> openDevice(const QString& path, int mode)
{
    std::unique_ptr<QFileDevice> file;
    bool opened = false;
    if (mode == FileReplace) {
        auto save = std::make_unique<QSaveFile>(path);
        opened = save->open(QIODevice::WriteOnly);
        file = std::move(save);
    } else if (mode == FileRead || mode == FileWrite) {
        auto plain = std::make_unique<QFile>(path);
        opened = plain->open(mode == FileRead ? QIODevice::ReadOnly : QIODevice::WriteOnly | QIODevice::Truncate);
        file = std::move(plain);
    }
    return opened ? std::move(file) : nullptr;
}

// Value layout: a text is 'T', its length (4 bytes, little endian) and its
// bytes; a list is 'L', its entry count, then each entry's length and bytes.
constexpr char kTextTag = 'T';
constexpr char kListTag = 'L';

bool writeRaw(QFileDevice* out, const char* data, size_t size)
{
    return out && out->write(data, static_cast<qint64>(size)) == static_cast<qint64>(size);
}

bool writeLength(QFileDevice* out, uint64_t n)
{
    if (n > UINT32_MAX)
        return false;
    char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((n >> (8 * i)) & 0xFF);
    return writeRaw(out, bytes, 4);
}

bool writeTagged(QFileDevice* out, char tag, size_t length)
{
    return writeRaw(out, &tag, 1) && writeLength(out, length);
}

QFileDevice* writingFile(int file)
{
    QFileDevice* out = fileFor(file, FileWrite);
    return out ? out : fileFor(file, FileReplace);
}

// Reads stored values without ever asking for more bytes than the file has
// left; a failed read puts the file back where the reader was made, unless
// the reader streams.
class ValueReader {
public:
    explicit ValueReader(QFileDevice& file, bool streaming = false)
        : file_(file), start_(file.pos()), done_(streaming) {}
    ~ValueReader() { if (!done_) file_.seek(start_); }
    void succeed() { done_ = true; }

    bool tag(char expected)
    {
        char c = 0;
        return file_.getChar(&c) && c == expected;
    }

    bool length(uint32_t& n)
    {
        unsigned char b[4];
        if (file_.read(reinterpret_cast<char*>(b), 4) != 4)
            return false;
        n = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
        return true;
    }

    // An entry's length that the rest of the file can hold.
    bool entryLength(uint32_t& n) { return length(n) && n <= static_cast<uint64_t>(file_.size() - file_.pos()); }

    bool entry(Bytes& value, size_t most = UINT32_MAX)
    {
        uint32_t n = 0;
        if (!entryLength(n) || n > most)
            return false;
        value.resize(n);
        return file_.read(value.data(), n) == static_cast<qint64>(n);
    }

    // The stored count must be the size the caller gave the list.
    bool list(BytesList& values)
    {
        uint32_t count = 0;
        if (!tag(kListTag) || !length(count) || count != values.size())
            return false;
        for (Bytes& value : values)
            if (!entry(value))
                return false;
        return true;
    }

private:
    QFileDevice& file_;
    qint64 start_;
    bool done_;
};

} // namespace

QFileDevice* openFileDevice(int file, bool forWriting)
{
    return forWriting ? writingFile(file) : fileFor(file, FileRead);
}

qint64 beginListEntry(QFileDevice& out)
{
    const qint64 start = out.pos();
    return writeLength(&out, 0) ? start : -1;
}

bool endListEntry(QFileDevice& out, qint64 start)
{
    const qint64 end = out.pos();
    return start >= 0 && out.seek(start) && writeLength(&out, static_cast<uint64_t>(end - start - 4))
        && out.seek(end);
}

bool readListEntryLength(QFileDevice& in, uint64_t& length)
{
    uint32_t n = 0;
    if (!ValueReader(in, true).entryLength(n))
        return false;
    length = n;
    return true;
}

int openFile(const Text& path, int mode)
{
    QString p = fileSystemPath(path);
    if (p.isEmpty() || QFileInfo(p).isDir())
        return 0;
    std::unique_ptr<QFileDevice> file = openDevice(p, mode);
    if (!file)
        return 0;
    int number = freeNumber();
    openFiles[number] = OpenFile{std::move(file), mode};
    return number;
}

bool commitFile(int file)
{
    auto it = openFiles.find(file);
    if (it == openFiles.end())
        return false;
    QFileDevice* device = it->second.file.get();
    // A short write of the buffered rest fails the flush; the commit alone
    // would put the cut file in place.
    bool committed = device->flush()
                  && (it->second.mode != FileReplace || static_cast<QSaveFile*>(device)->commit());
    openFiles.erase(it);
    return committed;
}

void closeFile(int file) { openFiles.erase(file); }

void closeAllFiles() { openFiles.clear(); }

long long filePosition(int file)
{
    QFileDevice* device = anyFile(file);
    return device ? device->pos() : -1;
}

bool setFilePosition(int file, long long position)
{
    QFileDevice* device = anyFile(file);
    return device && position >= 0 && device->seek(position);
}

long long fileLength(int file)
{
    QFileDevice* device = anyFile(file);
    return device ? device->size() : -1;
}

Text readTextFromFile(int file)
{
    QFileDevice* in = fileFor(file, FileRead);
    if (!in)
        return {};
    QByteArray data = in->readAll();
    return Text(data.constData(), static_cast<size_t>(data.size()));
}

bool writeBytesToFile(int file, const Bytes& bytes)
{
    QFileDevice* out = writingFile(file);
    return writeRaw(out, bytes.data(), bytes.size()) && out->flush();
}

bool writeText(int file, const Text& text)
{
    QFileDevice* out = writingFile(file);
    return writeTagged(out, kTextTag, text.size()) && writeRaw(out, text.data(), text.size());
}

bool writeListStart(int file, size_t count) { return writeTagged(writingFile(file), kListTag, count); }

bool writeListEntry(int file, const Bytes& value)
{
    QFileDevice* out = writingFile(file);
    return writeLength(out, value.size()) && writeRaw(out, value.data(), value.size());
}

bool writeValues(int file, const Text& text, const BytesList& first, const BytesList& second)
{
    if (!writeText(file, text))
        return false;
    for (const BytesList* list : {&first, &second}) {
        if (!writeListStart(file, list->size()))
            return false;
        for (const Bytes& value : *list)
            if (!writeListEntry(file, value))
                return false;
    }
    return writingFile(file)->flush();
}

bool readValues(int file, Text& text)
{
    QFileDevice* in = fileFor(file, FileRead);
    if (!in)
        return false;
    ValueReader reader(*in);
    Text value;
    if (!reader.tag(kTextTag) || !reader.entry(value))
        return false;
    reader.succeed();
    text = std::move(value);
    return true;
}

bool readValues(int file, BytesList& first, BytesList& second)
{
    QFileDevice* in = fileFor(file, FileRead);
    if (!in)
        return false;
    ValueReader reader(*in);
    BytesList a(first.size()), b(second.size());
    if (!reader.list(a) || !reader.list(b))
        return false;
    reader.succeed();
    first = std::move(a);
    second = std::move(b);
    return true;
}

bool readListStart(int file, size_t& count)
{
    QFileDevice* in = fileFor(file, FileRead);
    uint32_t n = 0;
    if (!in)
        return false;
    ValueReader reader(*in, true);
    if (!reader.tag(kListTag) || !reader.length(n))
        return false;
    count = n;
    return true;
}

bool readListEntry(int file, Bytes& value, size_t most)
{
    QFileDevice* in = fileFor(file, FileRead);
    return in && ValueReader(*in, true).entry(value, most);
}

bool skipListEntry(int file)
{
    QFileDevice* in = fileFor(file, FileRead);
    uint32_t n = 0;
    return in && ValueReader(*in, true).entryLength(n) && in->seek(in->pos() + n);
}
