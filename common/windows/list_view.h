#pragma once
// A list of rows: a report view with captioned columns, or an icon view
// (32x32 images, the first cell as caption). Each row has text cells, an
// image number, a tick and a stored integer. Rows are numbered from 0 in
// list order; the current row is the number the row operations take.
// The program's changes never raise currentRowChanged.
#include "common/windows/unit.h"

#include <vector>

struct ListColumn {
    Text caption;
    int width = 100;
};

class ListView : public Unit {
public:
    enum Mode { Report, Icons };
    ListView(Container& parent, const Text& name, const Rect& r, Mode mode = Report,
             bool tickBoxes = false);
    // Report view only; replaces the columns, keeping the rows' cells.
    void setColumns(const std::vector<ListColumn>& columns);
    int columnCount() const;
    // The image list, numbered from 0: 16x16 in a report, 32x32 as icons.
    void setImages(const std::vector<Bytes>& images);
    int currentRow() const;               // -1 for none
    void setCurrentRow(int row);          // -1 or out of range: none
    // The person made another row current.
    std::function<void()> currentRowChanged;
    // Right button released over the list; the current row stays.
    std::function<void()> rightButtonUp;
};

// Out-of-range rows and columns are harmless: reads give "" / 0 / false,
// writes do nothing. Row numbers such as currentRow() == -1 are accepted.
int insertListRow(ListView& list, const Text& firstCell);   // at the end; its number
// Later rows move up by one. Deleting the current row leaves none current.
void deleteListRow(ListView& list, int row);
void clearListRows(ListView& list);
int listRowCount(const ListView& list);
Text listCellText(const ListView& list, int row, int column);
void setListCellText(ListView& list, int row, int column, const Text& text);
// Any integer is kept, whether or not the image list has such an image.
int listRowImage(const ListView& list, int row);
void setListRowImage(ListView& list, int row, int image);
bool listRowChecked(const ListView& list, int row);
void setListRowChecked(ListView& list, int row, bool checked);
int listRowValue(const ListView& list, int row);
void setListRowValue(ListView& list, int row, int value);
