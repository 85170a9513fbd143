#include "common/files.h"
#include "common/internal/file_paths.h"

#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <map>
#include <memory>

namespace {

struct OpenFile {
    std::unique_ptr<QFile> file;
    int mode = 0;
};

std::map<int, OpenFile> openFiles;

QFile* fileFor(int number, int mode)
{
    auto it = openFiles.find(number);
    return it == openFiles.end() || it->second.mode != mode ? nullptr : it->second.file.get();
}

int freeNumber()
{
    int number = 1;
    while (openFiles.count(number))
        ++number;
    return number;
}

// Value layout: a text is 'T', its length (4 bytes, little endian) and its
// bytes; a list is 'L', its entry count, then each entry's length and bytes.
constexpr char kTextTag = 'T';
constexpr char kListTag = 'L';

void appendLength(Bytes& out, uint32_t n)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((n >> shift) & 0xFF);
}

bool appendEntry(Bytes& out, const Bytes& value)
{
    if (value.size() > UINT32_MAX)
        return false;
    appendLength(out, static_cast<uint32_t>(value.size()));
    out += value;
    return true;
}

bool appendList(Bytes& out, const BytesList& list)
{
    if (list.size() > UINT32_MAX)
        return false;
    out += kListTag;
    appendLength(out, static_cast<uint32_t>(list.size()));
    for (const Bytes& value : list)
        if (!appendEntry(out, value))
            return false;
    return true;
}

// Reads stored values without ever asking for more bytes than the file has
// left; a failed read puts the file back where the call started.
class ValueReader {
public:
    explicit ValueReader(QFile& file) : file_(file), start_(file.pos()) {}
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

    bool entry(Bytes& value)
    {
        uint32_t n = 0;
        if (!length(n) || n > static_cast<uint64_t>(file_.size() - file_.pos()))
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
    QFile& file_;
    qint64 start_;
    bool done_ = false;
};

} // namespace

int openFile(const Text& path, int mode)
{
    QString p = fileSystemPath(path);
    if (p.isEmpty() || QFileInfo(p).isDir())
        return 0;
    auto file = std::make_unique<QFile>(p);
    bool opened = mode == FileRead    ? file->open(QIODevice::ReadOnly)
                : mode == FileWrite ? file->open(QIODevice::WriteOnly | QIODevice::Truncate)
                                    : false;
    if (!opened)
        return 0;
    int number = freeNumber();
    openFiles[number] = OpenFile{std::move(file), mode};
    return number;
}

void closeFile(int file) { openFiles.erase(file); }

void closeAllFiles() { openFiles.clear(); }

Text readTextFromFile(int file)
{
    QFile* in = fileFor(file, FileRead);
    if (!in)
        return {};
    QByteArray data = in->readAll();
    return Text(data.constData(), static_cast<size_t>(data.size()));
}

bool writeBytesToFile(int file, const Bytes& bytes)
{
    QFile* out = fileFor(file, FileWrite);
    if (!out)
        return false;
    qint64 size = static_cast<qint64>(bytes.size());
    return out->write(bytes.data(), size) == size && out->flush();
}

bool writeValues(int file, const Text& text, const BytesList& first, const BytesList& second)
{
    Bytes out(1, kTextTag);
    if (!appendEntry(out, text) || !appendList(out, first) || !appendList(out, second))
        return false;
    return writeBytesToFile(file, out);
}

bool readValues(int file, Text& text)
{
    QFile* in = fileFor(file, FileRead);
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
    QFile* in = fileFor(file, FileRead);
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
