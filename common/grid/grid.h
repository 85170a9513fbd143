#pragma once
// Grid documents and the units that hold them. A DataSource holds one
// document; its storage is a provider (a GenericProvider, or the data
// source's own storage when it names none); GridTable units show it.
//
// Conventions of every operation below:
// - Cells are 1-based (row, column); a block is start row, start column,
//   row count, column count. Lengths and font sizes are tenths of a
//   millimetre; colours are 0xBBGGRR.
// - Out of range is harmless. Reads outside the table give "" (row 0 and
//   column 0 included). Writes are clipped to the table and never touch a
//   cell outside it. A write whose block reaches the row just after the last
//   row is also kept for that row and applied to it when it is appended
//   (appendRows); any other change of the rows drops such kept writes.
// - A value a setter does not take (an alignment of 99, a font size of 0)
//   leaves the cells as they are; margins are clamped to 0..1000 and header
//   counts to 0 and above. Nothing here crashes on any input.
// - Cell texts and face names are kept byte for byte; a face name is data
//   (the seating charts keep a delegate id in it) and is never changed to a
//   real font's name, though a real font is drawn in its place.
#include "common/windows/unit.h"

#include <memory>
#include <optional>

class GridDocument;

// Line masks of addBlockLines and clearBlockLines.
enum GridLineMask {
    GridFrame = 0xF,              // the four sides of the block: 1 left, 2 top, 4 right, 8 bottom
    GridInnerHorizontal = 0x10,
    GridInnerVertical = 0x20,
    GridAllLines = 0x3F,
    GridDiagonal = 0x40,          // top left to bottom right
    GridDoubleDiagonal = 0x80,    // top left to the middles of the right and the bottom side
    GridCrossed = 0x100,          // both diagonals
    GridDiagonals = 0x1C0,
};

// Font style bits. The font dialog's switches (bold, italic, underline,
// strike-out) add 1, 2, 8 and 4.
enum GridFontStyle { GridBold = 1, GridItalic = 2, GridStrikeOut = 4, GridUnderline = 8 };

// The background of a cell that has none of its own.
constexpr int DefaultBackground = -1;

// Print settings, stored in the document.
struct PageSetup {
    int paperWidth = 2100, paperHeight = 2970;   // the sheet upright
    bool landscape = false;
    int leftMargin = 150, topMargin = 150, rightMargin = 150, bottomMargin = 150;
    int scale = 100;        // per cent, 10..400
    int rowsPerPage = 0;    // rows below the header rows on one page; 0: as many as fit
    bool operator==(const PageSetup&) const = default;
};

// The format that rows appended later take (setDefaultCellFormat); each
// setting left out keeps the document's current one. The members are the
// ten positional settings in order; name the ones given, in that order
// ({.fontSize = 38, .alignment = 5}).
struct DefaultCellFormat {
    std::optional<int> textColour = {};     // 1
    std::optional<int> background = {};     // 2 (DefaultBackground: none)
    std::optional<int> rowHeight = {};      // 3
    std::optional<Text> fontName = {};      // 4
    std::optional<int> fontSize = {};       // 5
    std::optional<int> margin = {};         // 6
    std::optional<int> fontStyle = {};      // 7 (GridFontStyle bits)
    std::optional<int> alignment = {};      // 8 (1..9, as setBlockAlignment)
    std::optional<int> inputType = {};      // 9
    std::optional<bool> allLines = {};      // 10: appended cells get their four sides
};

// What a data source changed, for its provider. `Cells` names the block
// (clipped to the table); the row and column kinds name the first row or
// column and the count; `Document` is anything else, a whole replacement
// included.
struct GridChange {
    enum Kind { Cells, RowsInserted, RowsDeleted, ColumnsInserted, ColumnsDeleted, Document };
    Kind kind = Document;
    int row = 0, column = 0, rows = 0, columns = 0;
};

// Storage of grid documents, addressed by its name in its window. A data
// source whose provider name names it works on the provider's document.
class GridProvider {
public:
    virtual ~GridProvider();
    GridProvider(const GridProvider&) = delete;
    GridProvider& operator=(const GridProvider&) = delete;
    const Text& name() const { return name_; }
    virtual GridDocument& document() = 0;
    // After a data source has changed the document.
    virtual void documentChanged(const GridChange&) {}

protected:
    GridProvider(Container& window, const Text& name);

private:
    friend struct QtObjects;
    Text name_;
    const QWidget* window_;
};

// Keeps the document in memory.
class GenericProvider : public GridProvider {
public:
    GenericProvider(Container& window, const Text& name);
    ~GenericProvider() override;
    GridDocument& document() override { return *document_; }

private:
    std::unique_ptr<GridDocument> document_;
};

class DataSource {
public:
    DataSource(Container& window, const Text& name, const Text& providerName = "");
    ~DataSource();
    DataSource(const DataSource&) = delete;
    DataSource& operator=(const DataSource&) = delete;

    const Text& name() const { return name_; }
    // "" or a name that no provider of the window has: the own storage.
    const Text& providerName() const { return providerName_; }
    void setProviderName(const Text& providerName);

    // For the runtime: the document as its storage holds it, and the one
    // way to change it. `edit` says what it changed; the provider is told
    // and the grids that show the document redraw.
    const GridDocument& document() const;
    void change(const std::function<GridChange(GridDocument&)>& edit);
    // Counts the changes of every data source (several may share one
    // provider's document); grids compare it to know when to lay out again.
    static unsigned revision();

private:
    friend struct QtObjects;
    GridProvider* provider() const;
    GridDocument& storage();

    Text name_;
    Text providerName_;
    const QWidget* window_;
    std::unique_ptr<GridDocument> own_;
};

// ---- document life cycle -------------------------------------------------
// Loads read into a scratch document and replace the document only when
// the whole file or byte string was read and checked; on failure the
// document is unchanged. Saving writes a temporary file that is renamed over
// the target, so a failed save leaves the old file as it was.
bool loadGridFile(DataSource& source, const Text& path);
bool saveGridFile(const DataSource& source, const Text& path);
Bytes tableToBytes(const DataSource& source);
bool tableFromBytes(DataSource& source, const Bytes& bytes);
// Replaces the document by an empty table in the initial format.
void setTableSize(DataSource& source, int rows, int columns);
// Appends rows firstRow.. of `from` (rowCount -1: to its last row) with
// their formats, heights and merges; the table widens to `from`'s columns.
void appendTableFrom(DataSource& target, const DataSource& from, int firstRow = 1, int rowCount = -1);
// Redraws the grids that show the document.
void refreshTable(DataSource& source);
// The page setup dialog on the document's print settings; true on OK.
bool printSetupDialog(DataSource& source);

// ---- counts and cells ------------------------------------------------------
int tableRowCount(const DataSource& source);
int tableColumnCount(const DataSource& source);
int headerRowCount(const DataSource& source);
int headerColumnCount(const DataSource& source);
void setHeaderRowCount(DataSource& source, int count);
void setHeaderColumnCount(DataSource& source, int count);
Text cellText(const DataSource& source, int row, int column);
void setCellText(DataSource& source, int row, int column, const Text& text);
Text cellFontName(const DataSource& source, int row, int column);
// The one cell only; its cell type stays.
void setCellPictureData(DataSource& source, int row, int column, const Bytes& picture);

// ---- rows, columns, blocks -------------------------------------------------
// New rows and columns take the default format in force at that moment.
void appendRows(DataSource& source, int count = 1);
// Before `startRow`; tableRowCount + 1 appends.
void insertRows(DataSource& source, int startRow, int count = 1);
void insertColumns(DataSource& source, int startColumn, int count = 1);
void deleteRows(DataSource& source, int startRow, int count);
void deleteColumns(DataSource& source, int startColumn, int count);
void setRowHeight(DataSource& source, int startRow, int count, int height);
void setColumnWidth(DataSource& source, int startColumn, int count, int width);
// Merged blocks that overlap the new one are split first.
void mergeBlock(DataSource& source, int row, int column, int rows, int columns);
void splitMergedCell(DataSource& source, int row, int column);
void clearBlockText(DataSource& source, int row, int column, int rows, int columns);

// ---- block setters ---------------------------------------------------------
void setBlockFontName(DataSource& source, int row, int column, int rows, int columns, const Text& face);
void setBlockFontSize(DataSource& source, int row, int column, int rows, int columns, int size);
void setBlockFontStyle(DataSource& source, int row, int column, int rows, int columns, int style);
void setBlockTextColour(DataSource& source, int row, int column, int rows, int columns, int colour);
void setBlockBackground(DataSource& source, int row, int column, int rows, int columns,
                        int colour = DefaultBackground);
void addBlockLines(DataSource& source, int row, int column, int rows, int columns, int mask);
void clearBlockLines(DataSource& source, int row, int column, int rows, int columns, int mask);
// 1..9 top left .. bottom right; pictures 10 scaled, 11 centred, 12 scaled
// and centred, 13 tiled, 14 scaled and tiled.
void setBlockAlignment(DataSource& source, int row, int column, int rows, int columns, int alignment);
// 10 text, 2 picture file name (the text), 3 picture data.
void setBlockCellType(DataSource& source, int row, int column, int rows, int columns, int type);
// 0 normal, 1 byte, 2 short, 3 integer, 4 long, 5 decimal, 6 double,
// 7 logical, 8 date-time: what the person may type into the cell.
void setBlockInputType(DataSource& source, int row, int column, int rows, int columns, int type);
void setBlockReadOnly(DataSource& source, int row, int column, int rows, int columns, bool readOnly);
void setBlockPasswordInput(DataSource& source, int row, int column, int rows, int columns, bool password);
void setBlockMargin(DataSource& source, int row, int column, int rows, int columns, int margin);

void setDefaultCellFormat(DataSource& source, const DefaultCellFormat& format);
