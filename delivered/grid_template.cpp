// Builds one report template (".grd") from its text description, so that
// the templates' source stays readable in the repository. One command a
// line; "#" starts a comment line; numbers are decimal (masks may be 0x..);
// texts are UTF-8 in the description and GBK in the document. Every value
// is checked: a block that leaves the table or a setting the grid refuses
// names its line and fails the build, so no template is cut silently.
//
//   size ROWS COLUMNS                       first: the empty table (ROWS may be 0)
//   headers ROWS COLUMNS                    header rows and header columns
//   page WIDTH HEIGHT portrait|landscape LEFT TOP RIGHT BOTTOM [ROWS-A-PAGE]
//   widths FIRST W W ...                    columns FIRST, FIRST + 1, ...
//   heights FIRST COUNT HEIGHT
//   default FACE SIZE STYLE ALIGNMENT HEIGHT ALL-LINES   format of appended rows
//   font ROW COLUMN ROWS COLUMNS FACE SIZE STYLE
//   align ROW COLUMN ROWS COLUMNS ALIGNMENT
//   lines ROW COLUMN ROWS COLUMNS MASK
//   merge ROW COLUMN ROWS COLUMNS
//   text ROW COLUMN A|B|...                 texts of ROW from COLUMN on
#include "common/text/gbk.h"
#include "common/grid/grid_model.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace {

struct Fault : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Words {
public:
    explicit Words(const std::string& line) : in_(line) {}
    std::string word()
    {
        std::string w;
        if (!(in_ >> w))
            throw Fault("a value is missing");
        return w;
    }
    int number()
    {
        const std::string w = word();
        size_t used = 0;
        int v = 0;
        try {
            v = std::stoi(w, &used, 0);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != w.size())
            throw Fault("\"" + w + "\" is not a number");
        return v;
    }
    bool more() { return !(in_ >> std::ws).eof(); }
    // What is left of the line, leading blanks dropped.
    std::string rest()
    {
        std::string r;
        std::getline(in_ >> std::ws, r);
        return r;
    }
    void end()
    {
        if (more())
            throw Fault("\"" + word() + "\" is one value too many");
    }

private:
    std::istringstream in_;
};

void require(bool ok, const std::string& what)
{
    if (!ok)
        throw Fault(what);
}

class Builder {
public:
    void run(const std::string& line)
    {
        Words w(line);
        const std::string command = w.word();
        if (command == "size") {
            const int rows = w.number(), columns = w.number();
            // No rows is a template whose rows are all appended when it is filled.
            require(!doc_ && rows >= 0 && columns > 0, "size comes once, first, and has columns");
            doc_ = std::make_unique<GridDocument>(rows, columns);
            require(doc_->rows() == rows && doc_->columns() == columns, "the table is too large");
        } else if (!doc_) {
            throw Fault("size must come first");
        } else if (command == "headers") {
            const int rows = w.number(), columns = w.number();
            require(rows >= 0 && rows <= doc_->rows() && columns >= 0 && columns <= doc_->columns(),
                    "more header rows or columns than the table has");
            doc_->setHeaderRows(rows);
            doc_->setHeaderColumns(columns);
        } else if (command == "page") {
            page(w);
        } else if (command == "widths") {
            int column = w.number();
            do {
                const int width = w.number();
                require(column >= 1 && column <= doc_->columns(), "a width for a column the table lacks");
                require(grid_limits::length(width), "a width the grid refuses");
                doc_->setColumnWidths(column++, 1, width);
            } while (w.more());
        } else if (command == "heights") {
            const int first = w.number(), count = w.number(), height = w.number();
            require(inside({first, 1, count, 1}), "the rows leave the table");
            require(grid_limits::length(height), "a height the grid refuses");
            doc_->setRowHeights(first, count, height);
        } else if (command == "default") {
            defaults(w);
        } else if (command == "font") {
            const GridBlock b = block(w);
            const std::string face = utf8ToGbk(w.word());
            const int size = w.number(), style = w.number();
            require(grid_limits::fontSize(size) && grid_limits::fontStyle(style), "a font the grid refuses");
            doc_->editBlock(b, [&](GridCell& c) {
                c.fontName = face;
                c.fontSize = size;
                c.fontStyle = style;
            });
        } else if (command == "align") {
            const GridBlock b = block(w);
            const int alignment = w.number();
            require(grid_limits::textAlignment(alignment), "an alignment the grid refuses");
            doc_->editBlock(b, [&](GridCell& c) { c.alignment = alignment; });
        } else if (command == "lines") {
            const GridBlock b = block(w);
            const int mask = w.number();
            require(mask > 0 && (mask & ~(GridAllLines | GridDiagonals)) == 0, "a line mask the grid refuses");
            doc_->addLines(b, mask);
        } else if (command == "merge") {
            const GridBlock b = block(w);
            require(b.rows * b.columns > 1, "a merge of one cell");
            doc_->merge(b);
            require(doc_->mergeAt(b.row, b.column) && *doc_->mergeAt(b.row, b.column) == b,
                    "a merge the grid refuses");
        } else if (command == "text") {
            text(w);
            return;
        } else {
            throw Fault("unknown command \"" + command + "\"");
        }
        w.end();
    }

    Bytes finish() const
    {
        require(doc_ != nullptr, "the description has no size");
        const Bytes bytes = encodeGrid(*doc_);
        GridDocument check;
        require(decodeGrid(bytes, check) && check == *doc_, "the document does not read back as built");
        return bytes;
    }

private:
    bool inside(const GridBlock& b) const { return !b.empty() && doc_->clipped(b) == b; }

    GridBlock block(Words& w) const
    {
        const int row = w.number(), column = w.number(), rows = w.number(), columns = w.number();
        const GridBlock b = GridBlock::of(row, column, rows, columns);
        require(inside(b), "the block leaves the table");
        return b;
    }

    void page(Words& w)
    {
        PageSetup p;
        p.paperWidth = w.number();
        p.paperHeight = w.number();
        const std::string orientation = w.word();
        require(orientation == "portrait" || orientation == "landscape", "portrait or landscape");
        p.landscape = orientation == "landscape";
        p.leftMargin = w.number();
        p.topMargin = w.number();
        p.rightMargin = w.number();
        p.bottomMargin = w.number();
        if (w.more())
            p.rowsPerPage = w.number();
        doc_->setPageSetup(p);
        require(doc_->pageSetup() == p, "a page setup the grid refuses");
    }

    void defaults(Words& w)
    {
        const std::string face = utf8ToGbk(w.word());
        const int size = w.number(), style = w.number(), alignment = w.number(), height = w.number();
        const int allLines = w.number();
        require(allLines == 0 || allLines == 1, "all-lines is 0 or 1");
        doc_->setDefaults({.rowHeight = height, .fontName = face, .fontSize = size, .fontStyle = style,
                           .alignment = alignment, .allLines = allLines == 1});
        const GridDefaults& d = doc_->defaults();
        require(d.rowHeight == height && d.cell.fontSize == size && d.cell.fontStyle == style
                    && d.cell.alignment == alignment,
                "a default format the grid refuses");
    }

    void text(Words& w)
    {
        const int row = w.number();
        int column = w.number();
        const std::string all = w.rest();
        require(!all.empty(), "a text is missing");
        size_t from = 0;
        for (;;) {
            const size_t bar = all.find('|', from);
            const std::string one = all.substr(from, bar == std::string::npos ? std::string::npos : bar - from);
            require(inside({row, column, 1, 1}), "a text outside the table");
            const Text gbk = utf8ToGbk(one);
            require(gbkToUtf8(gbk) == one, "a text that GBK cannot hold");
            doc_->editBlock({row, column, 1, 1}, [&](GridCell& c) { c.text = gbk; });
            if (bar == std::string::npos)
                break;
            from = bar + 1;
            ++column;
        }
    }

    std::unique_ptr<GridDocument> doc_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: grid_template DESCRIPTION OUTPUT.grd\n";
        return 2;
    }
    const std::filesystem::path description = argv[1], output = argv[2];
    std::ifstream in(description, std::ios::binary);
    if (!in) {
        std::cerr << description.string() << ": cannot be read\n";
        return 1;
    }
    Builder builder;
    std::string line;
    int number = 0;
    try {
        while (std::getline(in, line)) {
            ++number;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const size_t first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] == '#')
                continue;
            builder.run(line);
        }
        number = 0;
        const Bytes bytes = builder.finish();
        // Written beside the target and renamed over it: never half a file.
        const std::filesystem::path scratch = output.string() + ".new";
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        require(static_cast<bool>(out), "cannot write " + scratch.string());
        std::filesystem::rename(scratch, output);
    } catch (const std::exception& e) {
        std::cerr << description.string();
        if (number > 0)
            std::cerr << ":" << number;
        std::cerr << ": " << e.what() << "\n";
        return 1;
    }
    return 0;
}
