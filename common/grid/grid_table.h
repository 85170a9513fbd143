#pragma once
// The grid unit: shows the document of the DataSource that its data-source
// name names in its window, with its merges, lines, colours, fonts, header
// rows and columns (which stay in place while the rest scrolls) and pictures.
// While the name is "" (or names no data source) it shows nothing, and
// writes to a document go on unseen; naming the source again shows it.
// Several grids may name one data source, in turn or at once.
//
// The person selects a cell or a block (left button), types into cells that
// are not read-only, and drags row heights and column widths on the rulers.
// The program's calls never raise the grid's events.
#include "common/grid/grid.h"
#include "common/dialogs/interaction.h"

class GridPrintout;

// Display properties: the grid's, not the document's.
struct GridDisplay {
    int lineColour = 0;              // the lines as the grid draws them
    int background = 0xFFFFFF;       // behind cells without a background
    bool blockSelection = true;      // false: one cell at a time
    bool rulers = true;              // row and column numbers
    bool dottedEmptyLines = true;    // cell borders without a line, dotted
    bool fixedRowHeights = false;    // the person cannot drag row heights
    bool fixedColumnWidths = false;
    bool pasteExtends = true;        // a paste may add rows and columns
    bool operator==(const GridDisplay&) const = default;
};

class GridTable : public Unit {
public:
    GridTable(Container& parent, const Text& name, const Rect& r, const Text& dataSourceName = "");
    ~GridTable() override;

    const Text& dataSourceName() const { return dataSourceName_; }
    void setDataSourceName(const Text& name);
    // nullptr while unbound.
    DataSource* dataSource() const;

    int zoom() const { return zoom_; }
    void setZoom(int percent);       // 10..400; other values are ignored
    const GridDisplay& display() const { return display_; }
    void setDisplay(const GridDisplay& display);

    // The selected block; the cursor is its first cell. 1-based.
    struct Selection {
        int row = 1, column = 1, rows = 1, columns = 1;
        bool operator==(const Selection&) const = default;
    };
    const Selection& selection() const { return selection_; }
    // For the runtime: selects and scrolls the block's first cell into view.
    void select(const Selection& selection);
    // Whether the person's last press of a mouse button was on a cell: not
    // on a ruler, not in the room past the last row or column, where the
    // selection stays as it was.
    bool pressedOnCell() const { return pressedOnCell_; }
    void setPressedOnCell(bool onCell) { pressedOnCell_ = onCell; }   // for the runtime

    // The person changed the document: typed into a cell, or dragged a row
    // height or column width. The change is in the document already.
    std::function<void()> cellEdited;
    std::function<void(int button)> mouseDown;
    std::function<void(int button)> mouseUp;

private:
    friend struct QtObjects;
    Text dataSourceName_;
    const QWidget* window_;
    int zoom_ = 100;
    GridDisplay display_;
    Selection selection_;
    bool pressedOnCell_ = false;
};

int selectionStartRow(const GridTable& grid);
int selectionStartColumn(const GridTable& grid);
int selectionRowCount(const GridTable& grid);
int selectionColumnCount(const GridTable& grid);
void setGridCursor(GridTable& grid, int row, int column);
// Scales the column widths so that the table fills the grid's width.
void fitColumnsToWidth(GridTable& grid);
// Zooms the grid out, never above 100 %, so that the cell (a merged block
// whole) shows whole, and shows it; a cell too large even at the least
// zoom shows from its top-left corner.
void zoomToShowCell(GridTable& grid, int row, int column);
// The texts of the block, cells separated by tabs and rows by CR LF.
void copyBlockToClipboard(const GridTable& grid, int row, int column, int rows, int columns);
// Writes the clipboard's text so laid out from the cursor on, skipping
// read-only cells; the table grows when the display allows it, else the
// text is clipped.
void pasteAtCursor(GridTable& grid);
// Prints pages firstPage..lastPage (0: to the last) of the shown document
// with its print settings; false for an unbound grid or a failed print.
bool printGrid(GridTable& grid, int firstPage = 1, int lastPage = 0);
// The preview window, from which the person prints; an unbound grid shows
// none and gives PreviewClosed.
PreviewOutcome printPreview(GridTable& grid);
