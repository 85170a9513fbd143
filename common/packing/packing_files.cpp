#include "common/packing/packing.h"
#include "common/files/crc32.h"
#include "common/internal/file_paths.h"
#include "common/internal/open_files.h"
#include "common/packing/packed_form.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>

namespace {

// The piece read at a time; decoded, one piece stands for at most 65 times
// its size.
constexpr qint64 kPiece = 256 << 10;

// A piece and its packed or unpacked form, kept from one file to the next
// so that a tree of many files costs no allocation per file (the GUI thread
// is the only caller).
struct Buffers {
    Bytes piece = Bytes(static_cast<size_t>(kPiece), '\0');
    Bytes coded;
};

Buffers& buffers()
{
    static Buffers kept;
    return kept;
}

bool writeAll(QIODevice& out, const Bytes& bytes)
{
    return out.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

// The header of the next entry, which must be able to hold its body.
bool readEntryHeader(QFileDevice& in, uint64_t& length, uint32_t& checksum, uint64_t& bodySize)
{
    uint64_t entry = 0;
    char header[kPackedHeaderSize];
    if (!readListEntryLength(in, entry) || entry < kPackedHeaderSize
        || in.read(header, kPackedHeaderSize) != static_cast<qint64>(kPackedHeaderSize)
        || !readPackedHeader(header, length, checksum))
        return false;
    bodySize = entry - kPackedHeaderSize;
    return bodyCanHold(length, bodySize);
}

// Starts the writeback of what was just written, without waiting for it.
void startWriteback(QFile& out, qint64 from, qint64 size)
{
    if (out.flush())
        ::sync_file_range(out.handle(), from, size, SYNC_FILE_RANGE_WRITE);
}

// The body into `out`, checked against the stated length and checksum.
PackedEntry decodeBody(QFileDevice& in, uint64_t bodySize, uint64_t length, uint32_t checksum, QFile& out,
                       const std::function<void(unsigned long long)>& unpacked)
{
    PackedBodyDecoder decoder(length);
    Bytes& piece = buffers().piece;
    Bytes& decoded = buffers().coded;
    uint32_t crc = 0;
    while (bodySize > 0) {
        const qint64 n = in.read(piece.data(), std::min<qint64>(kPiece, static_cast<qint64>(bodySize)));
        if (n <= 0)
            return PackedEntry::Damaged;
        bodySize -= static_cast<uint64_t>(n);
        decoded.clear();
        if (!decoder.feed(piece.data(), static_cast<size_t>(n), decoded))
            return PackedEntry::Damaged;
        crc = crc32(decoded.data(), decoded.size(), crc);
        const qint64 at = out.pos();
        if (!writeAll(out, decoded))
            return PackedEntry::Unwritable;
        startWriteback(out, at, static_cast<qint64>(decoded.size()));
        if (unpacked)
            unpacked(decoded.size());
    }
    if (!decoder.complete() || crc != checksum)
        return PackedEntry::Damaged;
    return out.flush() ? PackedEntry::Unpacked : PackedEntry::Unwritable;
}

} // namespace

bool writePackedFile(int file, const Text& source)
{
    QFileDevice* out = openFileDevice(file, true);
    QFile in(fileSystemPath(source));
    if (!out || QFileInfo(in).isDir() || !in.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qint64 start = beginListEntry(*out);
    const qint64 headerAt = out->pos();
    if (start < 0 || !writeAll(*out, packedHeader(0, 0)))
        return false;
    Bytes& piece = buffers().piece;
    Bytes& body = buffers().coded;
    uint64_t length = 0;
    uint32_t crc = 0;
    for (;;) {
        const qint64 n = in.read(piece.data(), kPiece);
        if (n < 0)
            return false;
        if (n == 0)
            break;
        length += static_cast<uint64_t>(n);
        crc = crc32(piece.data(), static_cast<size_t>(n), crc);
        body.clear();
        appendPackedBody(body, piece.data(), static_cast<size_t>(n));
        if (!writeAll(*out, body))
            return false;
    }
    const qint64 end = out->pos();
    return out->seek(headerAt) && writeAll(*out, packedHeader(length, crc)) && out->seek(end)
        && endListEntry(*out, start);
}

PackedEntry readPackedFile(int file, const Text& target, const std::function<void(unsigned long long)>& unpacked)
{
    QFileDevice* in = openFileDevice(file, false);
    uint64_t length = 0, bodySize = 0;
    uint32_t checksum = 0;
    if (!in || !readEntryHeader(*in, length, checksum, bodySize))
        return PackedEntry::Damaged;
    QFile out(fileSystemPath(target));
    if (QFileInfo(out).isDir() || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return PackedEntry::Unwritable;
    const PackedEntry result = decodeBody(*in, bodySize, length, checksum, out, unpacked);
    if (result != PackedEntry::Unpacked)
        out.remove();
    return result;
}

bool skipPackedFile(int file, unsigned long long& length)
{
    QFileDevice* in = openFileDevice(file, false);
    uint64_t stated = 0, bodySize = 0;
    uint32_t checksum = 0;
    if (!in || !readEntryHeader(*in, stated, checksum, bodySize)
        || !in->seek(in->pos() + static_cast<qint64>(bodySize)))
        return false;
    length = stated;
    return true;
}
