// The byte form of a grid document: the whole content of a ".grd" file and
// the value tableToBytes gives (the seating templates and charts store it in
// the database). One format, read and written only here.
//
// Integers are little-endian: u8, u16, u32 unsigned, i32 two's complement.
// A string is a u32 byte count and that many bytes, kept byte for byte.
//
//   header (20 bytes)
//     magic        8 bytes  "QLVGRID" 0x1A
//     major        u16      1; a reader refuses any other major version
//     minor        u16      0; later minors only add (see below), readers of
//                           an older minor read what they know
//     length       u32      byte count of the section area that follows;
//                           it must be exactly the rest of the data
//     checksum     u32      CRC-32 (IEEE 802.3) of the section area
//   section area: sections one after another, each
//     tag          4 bytes  ASCII
//     length       u32      byte count of the payload; it must fit
//     payload
//
// Sections of version 1.0; each must appear exactly once, in any order. A
// section with another tag is skipped, so a later minor may add sections.
//   SIZE  rows u32, columns u32, header rows u32, header columns u32
//   ROWH  one u32 per row: the row heights
//   COLW  one u32 per column: the column widths
//   CELL  rows x columns cell records, row by row
//   MERG  count u32, then per merged block: row, column, rows, columns (u32)
//   DFLT  the default format of appended rows: a cell record (no text, no
//         picture), row height u32, all-lines u8 (0 or 1)
//   PAGE  paper width u32, paper height u32, landscape u8, left, top, right
//         and bottom margin u32, scale u32 (per cent), rows per page u32
//   Every payload must be exactly as long as its fields; counts are checked
//   against the payload before anything is allocated.
//
// Cell record: its length u32 (of what follows), then text, face name and
// picture (strings), then font size, font style, text colour, background
// (-1: none), alignment, cell type, input type, margin, lines (i32 each;
// lines are the cell's own sides 1 left, 2 top, 4 right, 8 bottom and the
// diagonal bits 0x40, 0x80, 0x100) and flags u8 (1 read-only, 2 password).
// A longer record is accepted and its extra bytes skipped (a later minor may
// add fields); a shorter one is refused.
//
// Data are refused as a whole, and nothing is changed, when any of this
// fails, or when a value lies outside what the setters accept: the table
// sizes and limits, lengths, colours, alignments, cell and input types,
// margins, line bits, flag bits, merged blocks that leave the table, cover a
// single cell or overlap, and page setups with no printable area.
#include "common/files/crc32.h"
#include "common/grid/grid_model.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char kMagic[8] = {'Q', 'L', 'V', 'G', 'R', 'I', 'D', 0x1A};
constexpr uint16_t kMajor = 1, kMinor = 0;
constexpr size_t kHeaderSize = 20;
// Three empty strings, nine i32 and the flags.
constexpr uint32_t kCellFields = 3 * 4 + 9 * 4 + 1;

class Writer {
public:
    void u8(uint8_t v) { out += static_cast<char>(v); }
    void u16(uint16_t v) { fixed(v, 2); }
    void u32(uint32_t v) { fixed(v, 4); }
    void i32(int v) { fixed(static_cast<uint32_t>(v), 4); }
    void text(const Bytes& s) { u32(static_cast<uint32_t>(s.size())); out += s; }
    void raw(const char* s, size_t n) { out.append(s, n); }
    // Writes `fill` after a u32 holding the length of what it wrote.
    template <class F>
    void sized(F fill)
    {
        const size_t at = out.size();
        u32(0);
        fill();
        const uint32_t n = static_cast<uint32_t>(out.size() - at - 4);
        for (int i = 0; i < 4; ++i)
            out[at + static_cast<size_t>(i)] = static_cast<char>((n >> (8 * i)) & 0xFF);
    }
    Bytes out;

private:
    void fixed(uint32_t v, int bytes)
    {
        for (int i = 0; i < bytes; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    }
};

// Every read checks the bytes left; after the first failure all reads fail.
class Reader {
public:
    Reader(const char* data, size_t size) : p_(data), left_(size) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return ok_ && left_ == 0; }
    size_t left() const { return left_; }
    uint8_t u8() { return static_cast<uint8_t>(fixed(1)); }
    uint16_t u16() { return static_cast<uint16_t>(fixed(2)); }
    uint32_t u32() { return fixed(4); }
    int i32() { return static_cast<int>(fixed(4)); }
    int count() { return fitsInt(u32()); }
    Bytes text() { return take(u32()); }
    Bytes take(size_t n)
    {
        if (!ok_ || n > left_)
            return fail(), Bytes();
        Bytes s(p_, n);
        skip(n);
        return s;
    }
    Reader sub(size_t n)
    {
        if (!ok_ || n > left_)
            return fail(), Reader(p_, 0, false);
        Reader r(p_, n);
        skip(n);
        return r;
    }
    void fail() { ok_ = false; }

private:
    Reader(const char* data, size_t size, bool ok) : p_(data), left_(size), ok_(ok) {}
    void skip(size_t n) { p_ += n; left_ -= n; }
    int fitsInt(uint32_t v)
    {
        if (v > INT32_MAX)
            fail();
        return ok_ ? static_cast<int>(v) : 0;
    }
    uint32_t fixed(int bytes)
    {
        if (!ok_ || left_ < static_cast<size_t>(bytes))
            return fail(), 0;
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v |= static_cast<uint32_t>(static_cast<uint8_t>(p_[i])) << (8 * i);
        skip(static_cast<size_t>(bytes));
        return v;
    }
    const char* p_;
    size_t left_;
    bool ok_ = true;
};

void writeCell(Writer& w, const GridCell& c)
{
    w.sized([&] {
        w.text(c.text);
        w.text(c.fontName);
        w.text(c.picture);
        for (int v : {c.fontSize, c.fontStyle, c.textColour, c.background, c.alignment, c.cellType,
                      c.inputType, c.margin, c.lines})
            w.i32(v);
        w.u8(static_cast<uint8_t>((c.readOnly ? 1 : 0) | (c.password ? 2 : 0)));
    });
}

bool readCell(Reader& in, GridCell& c)
{
    Reader r = in.sub(in.u32());
    c.text = r.text();
    c.fontName = r.text();
    c.picture = r.text();
    for (int* v : {&c.fontSize, &c.fontStyle, &c.textColour, &c.background, &c.alignment, &c.cellType,
                   &c.inputType, &c.margin, &c.lines})
        *v = r.i32();
    const uint8_t flags = r.u8();
    c.readOnly = flags & 1;
    c.password = flags & 2;
    return r.ok() && in.ok() && (flags & ~3) == 0 && grid_limits::cell(c);
}

bool readFlag(Reader& r, bool& flag)
{
    const uint8_t v = r.u8();
    flag = v == 1;
    return v <= 1;
}

bool readLength(Reader& r, int& v)
{
    v = r.count();
    return grid_limits::length(v);
}

} // namespace

class GridCodec {
public:
    static Bytes encode(const GridDocument& d);
    static bool decode(const Bytes& bytes, GridDocument& out);

private:
    static void section(Writer& w, const char* tag, const std::function<void(Writer&)>& fill);
    static bool readSize(Reader& r, GridDocument& d);
    static bool readLengths(Reader& r, std::vector<int>& lengths, int count);
    static bool readCells(Reader& r, GridDocument& d);
    static bool readMerges(Reader& r, GridDocument& d);
    static bool readDefaults(Reader& r, GridDocument& d);
    static bool readPage(Reader& r, GridDocument& d);
};

void GridCodec::section(Writer& w, const char* tag, const std::function<void(Writer&)>& fill)
{
    w.raw(tag, 4);
    w.sized([&] { fill(w); });
}

Bytes GridCodec::encode(const GridDocument& d)
{
    Writer body;
    section(body, "SIZE", [&](Writer& w) {
        for (int v : {d.rows_, d.columns_, d.headerRows_, d.headerColumns_})
            w.u32(static_cast<uint32_t>(v));
    });
    section(body, "ROWH", [&](Writer& w) { for (int h : d.rowHeights_) w.u32(static_cast<uint32_t>(h)); });
    section(body, "COLW", [&](Writer& w) { for (int c : d.columnWidths_) w.u32(static_cast<uint32_t>(c)); });
    section(body, "CELL", [&](Writer& w) { for (const GridCell& c : d.cells_) writeCell(w, c); });
    section(body, "MERG", [&](Writer& w) {
        w.u32(static_cast<uint32_t>(d.merges_.size()));
        for (const GridBlock& m : d.merges_)
            for (int v : {m.row, m.column, m.rows, m.columns})
                w.u32(static_cast<uint32_t>(v));
    });
    section(body, "DFLT", [&](Writer& w) {
        writeCell(w, d.defaults_.cell);
        w.u32(static_cast<uint32_t>(d.defaults_.rowHeight));
        w.u8(d.defaults_.allLines ? 1 : 0);
    });
    section(body, "PAGE", [&](Writer& w) {
        const PageSetup& p = d.page_;
        w.u32(static_cast<uint32_t>(p.paperWidth));
        w.u32(static_cast<uint32_t>(p.paperHeight));
        w.u8(p.landscape ? 1 : 0);
        for (int v : {p.leftMargin, p.topMargin, p.rightMargin, p.bottomMargin, p.scale, p.rowsPerPage})
            w.u32(static_cast<uint32_t>(v));
    });
    Writer out;
    out.raw(kMagic, sizeof kMagic);
    out.u16(kMajor);
    out.u16(kMinor);
    out.u32(static_cast<uint32_t>(body.out.size()));
    out.u32(crc32(body.out.data(), body.out.size()));
    out.out += body.out;
    return out.out;
}

bool GridCodec::readSize(Reader& r, GridDocument& d)
{
    d.rows_ = r.count();
    d.columns_ = r.count();
    d.headerRows_ = r.count();
    d.headerColumns_ = r.count();
    return r.atEnd() && grid_limits::tableSize(d.rows_, d.columns_) && d.headerRows_ <= grid_limits::kMaxRows
        && d.headerColumns_ <= grid_limits::kMaxColumns;
}

bool GridCodec::readLengths(Reader& r, std::vector<int>& lengths, int count)
{
    if (r.left() != static_cast<size_t>(count) * 4)
        return false;
    lengths.resize(static_cast<size_t>(count));
    for (int& v : lengths)
        if (!readLength(r, v))
            return false;
    return r.atEnd();
}

bool GridCodec::readCells(Reader& r, GridDocument& d)
{
    const size_t count = static_cast<size_t>(d.rows_) * static_cast<size_t>(d.columns_);
    if (r.left() / (4 + kCellFields) < count)
        return false;
    d.cells_.resize(count);
    for (GridCell& c : d.cells_)
        if (!readCell(r, c))
            return false;
    return r.atEnd();
}

bool GridCodec::readMerges(Reader& r, GridDocument& d)
{
    const uint32_t count = r.u32();
    if (!r.ok() || r.left() != static_cast<size_t>(count) * 16)
        return false;
    // Disjoint blocks cover each cell at most once, so marking them costs
    // no more than the table's size whatever the data say.
    std::vector<bool> covered(static_cast<size_t>(d.rows_) * static_cast<size_t>(d.columns_));
    for (uint32_t i = 0; i < count; ++i) {
        GridBlock m;
        m.row = r.count();
        m.column = r.count();
        m.rows = r.count();
        m.columns = r.count();
        const bool inside = r.ok() && m.row >= 1 && m.column >= 1 && m.rows >= 1 && m.columns >= 1
            && static_cast<long long>(m.row) + m.rows - 1 <= d.rows_
            && static_cast<long long>(m.column) + m.columns - 1 <= d.columns_;
        if (!inside || static_cast<long long>(m.rows) * m.columns < 2)
            return false;
        for (int row = m.row; row <= m.lastRow(); ++row)
            for (int column = m.column; column <= m.lastColumn(); ++column) {
                const size_t at = d.index(row, column);
                if (covered[at])
                    return false;
                covered[at] = true;
            }
        d.merges_.push_back(m);
    }
    return r.atEnd();
}

bool GridCodec::readDefaults(Reader& r, GridDocument& d)
{
    GridDefaults& f = d.defaults_;
    return readCell(r, f.cell) && f.cell.text.empty() && f.cell.picture.empty() && readLength(r, f.rowHeight)
        && readFlag(r, f.allLines) && r.atEnd();
}

bool GridCodec::readPage(Reader& r, GridDocument& d)
{
    PageSetup& p = d.page_;
    p.paperWidth = r.count();
    p.paperHeight = r.count();
    if (!readFlag(r, p.landscape))
        return false;
    for (int* v : {&p.leftMargin, &p.topMargin, &p.rightMargin, &p.bottomMargin, &p.scale, &p.rowsPerPage})
        *v = r.count();
    return r.atEnd() && grid_limits::pageSetup(p);
}

bool GridCodec::decode(const Bytes& bytes, GridDocument& out)
{
    if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        return false;
    Reader header(bytes.data() + sizeof kMagic, kHeaderSize - sizeof kMagic);
    const uint16_t major = header.u16();
    header.u16();   // minor: additions are skipped below
    const uint32_t length = header.u32(), checksum = header.u32();
    const char* area = bytes.data() + kHeaderSize;
    if (major != kMajor || length != bytes.size() - kHeaderSize || checksum != crc32(area, length))
        return false;

    // Sections in the order the checks need: sizes before what they count.
    const char* const tags[] = {"SIZE", "ROWH", "COLW", "CELL", "MERG", "DFLT", "PAGE"};
    std::array<std::optional<Reader>, 7> found;
    Reader all(area, length);
    while (!all.atEnd()) {
        const Bytes tag = all.take(4);
        Reader payload = all.sub(all.u32());
        if (!all.ok())
            return false;
        for (size_t i = 0; i < found.size(); ++i)
            if (tag == tags[i]) {
                if (found[i])
                    return false;
                found[i] = payload;
            }
    }
    for (const auto& f : found)
        if (!f)
            return false;
    GridDocument d;
    if (!readSize(*found[0], d) || !readLengths(*found[1], d.rowHeights_, d.rows_)
        || !readLengths(*found[2], d.columnWidths_, d.columns_) || !readCells(*found[3], d)
        || !readMerges(*found[4], d) || !readDefaults(*found[5], d) || !readPage(*found[6], d))
        return false;
    out = std::move(d);
    return true;
}

Bytes encodeGrid(const GridDocument& document) { return GridCodec::encode(document); }
bool decodeGrid(const Bytes& bytes, GridDocument& out) { return GridCodec::decode(bytes, out); }
