#pragma once
// The grid service's own: drawing grid documents, shared by the grid unit,
// printing and the print dialogs of common/platform/. The painter works in
// document units (tenths of a millimetre); the caller scales it to the
// device.
#include "common/grid/grid_model.h"

#include <QColor>
#include <QFont>
#include <QPageLayout>

class QPainter;

struct GridPaintStyle {
    bool screen = false;             // one-pixel lines; else 0.2 mm
    QColor lineColour = Qt::black;
    bool dottedEmptyLines = false;   // cell borders without a line
    TextList* drawn = nullptr;       // gets each text drawn
};

// The cell's font at `pixelsPerUnit` (1: in document units), drawing the
// cell's face as common/internal/faces.h tells.
QFont gridCellFont(const GridCell& cell, double pixelsPerUnit = 1);

// The height a text cell's text takes, wrapped to a cell `width` wide (both
// in document units); 0 for a picture cell or no text. A text that fits its
// cell's height shows whole; one that does not shows its first lines only.
double gridTextHeight(const GridCell& cell, double width);

// Rows (or columns) first..last, the first one starting at `origin`.
struct GridBand {
    int first = 1, last = 0;
    double origin = 0;
    bool empty() const { return first > last; }
};

// Paints the cells where a row band and a column band cross, clipped to
// that rectangle; a merged block cut by a band edge is drawn whole and
// clipped. Nothing for an empty band.
void paintGridBand(QPainter& painter, const GridDocument& document, const GridBand& rows, const GridBand& columns,
                   const GridPaintStyle& style);

// Paints one cell or merged block into `rect`, its content and its lines,
// as a band draws it there.
void paintGridBlock(QPainter& painter, const GridDocument& document, const GridBlock& block, const QRectF& rect,
                    const GridPaintStyle& style);

// Print settings and Qt's page layouts; scale and rows per page stay `base`'s.
QPageLayout toPageLayout(const PageSetup& setup);
PageSetup fromPageLayout(const QPageLayout& layout, const PageSetup& base);
