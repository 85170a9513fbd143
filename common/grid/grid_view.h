#pragma once
// The grid service's own (and the tests'): the Qt widget behind a GridTable.
// Header rows and columns stay in place (when they take at most half the view)
// while the rest scrolls; everything is laid out in document units and drawn
// scaled by the zoom.
#include "common/grid/grid_table.h"
#include "common/grid/grid_model.h"
#include "common/grid/grid_paint.h"

#include <QAbstractScrollArea>
#include <array>
#include <vector>

class QLineEdit;
class QScrollBar;

class GridView : public QAbstractScrollArea {
public:
    GridView(GridTable* table, QWidget* parent);
    // The unit is going away: no more events and no more edits.
    void detach();
    // The document, the binding, the zoom or the display changed.
    void documentChanged();
    void showCell(int row, int column);
    // Pixels per document unit at the grid's zoom.
    double scale() const;
    // The width of the cell area in pixels.
    int cellAreaWidth() const;
    int cellAreaHeight() const;
    // Where the person sees the cell (a merged block whole), in viewport
    // pixels as it is scrolled now.
    QRect placeOfCell(int row, int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Drag { None, Select, RowHeight, ColumnWidth };

    // Rows or columns as the view lays them out; the same code serves both.
    struct Axis {
        const std::vector<long long>& starts;   // [n]: sum of sizes 1..n, in units
        QScrollBar* bar;
        int ruler;                               // pixels before the first line
        int extent;                              // pixels for the lines
        int headers;                             // header lines of the document
    };
    // A header band and a scrolled band, and where each may draw (units
    // from the start of the cell area).
    struct Band {
        GridBand lines;
        double from, to;
    };
    Axis rows() const;
    Axis columns() const;
    int frozen(const Axis& axis) const;          // header lines that stay in place
    double position(const Axis& axis, int line) const;   // its start, in view pixels
    int lineAt(const Axis& axis, int pixel) const;       // 0 on the ruler, -1 past the last
    int firstBody(const Axis& axis) const;       // the first scrolled line shown
    int bodyStart(const Axis& axis) const;       // view pixel where the scrolled lines begin
    int grip(const Axis& axis, int pixel) const; // the line whose end is under the pixel, or 0
    std::array<Band, 2> bands(const Axis& axis) const;

    DataSource* source() const;
    const GridDocument* document() const;
    void ensureLayout();
    void updateScrollBars();
    int rulerWidth() const;
    int rulerHeight() const;
    QRectF cellRect(int row, int column) const;   // a merged block whole
    void paintCells(QPainter& painter, const GridDocument& d);
    void paintCrossingMerges(QPainter& painter, const GridDocument& d, const GridPaintStyle& style);
    void paintSelection(QPainter& painter, const GridDocument& d);
    void paintRulers(QPainter& painter, const GridDocument& d);
    bool startResize(const QPoint& pos);
    void selectTo(int row, int column);
    void moveCursor(int row, int column);
    void keepAnchor();                  // re-anchors a selection the program set
    void extendBy(int rows, int columns);
    void startEdit(int row, int column, const QString* typed);
    void commitEdit();
    void closeEditor();
    void clearSelectedTexts();
    void edited();

    GridTable* table_;
    const GridDocument* laidOutDocument_ = nullptr;
    unsigned laidOutRevision_ = 0;
    std::vector<long long> rowTop_{0}, columnLeft_{0};   // [n]: sum of sizes 1..n
    bool scrollUpdatePending_ = false;
    Drag drag_ = Drag::None;
    int anchorRow_ = 0, anchorColumn_ = 0, resized_ = 0;
    int endRow_ = 0, endColumn_ = 0;   // the selection's end that the mouse or Shift+arrows move
    bool sizeChanged_ = false;
    QLineEdit* editor_ = nullptr;
    int editRow_ = 0, editColumn_ = 0;
};
