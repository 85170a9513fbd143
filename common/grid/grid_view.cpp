// The grid unit's widget: layout, scrolling and painting.
#include "common/grid/grid_view.h"

#include "common/internal/colours.h"
#include "common/grid/grid_paint.h"
#include "common/grid/grid_units.h"

#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kRulerWidth = 40, kRulerHeight = 20;

// The line whose span holds `units`, from prefix sums; size beyond the end.
int lineHolding(const std::vector<long long>& starts, double units)
{
    return static_cast<int>(std::upper_bound(starts.begin(), starts.end(), units) - starts.begin());
}

} // namespace

GridView::GridView(GridTable* table, QWidget* parent) : QAbstractScrollArea(parent), table_(table)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

void GridView::detach()
{
    if (editor_)
        closeEditor();
    table_ = nullptr;
}

DataSource* GridView::source() const { return table_ ? table_->dataSource() : nullptr; }

const GridDocument* GridView::document() const
{
    const DataSource* s = source();
    return s ? &s->document() : nullptr;
}

double GridView::scale() const
{
    return logicalDpiX() / 254.0 * (table_ ? table_->zoom() : 100) / 100.0;
}

int GridView::rulerWidth() const { return table_ && table_->display().rulers ? kRulerWidth : 0; }
int GridView::rulerHeight() const { return table_ && table_->display().rulers ? kRulerHeight : 0; }
int GridView::cellAreaWidth() const { return std::max(viewport()->width() - rulerWidth(), 1); }
int GridView::cellAreaHeight() const { return std::max(viewport()->height() - rulerHeight(), 1); }

void GridView::documentChanged()
{
    if (editor_ && !document())
        closeEditor();
    viewport()->update();
    if (scrollUpdatePending_)
        return;
    // Many changes in a row (a fill) lay out once.
    scrollUpdatePending_ = true;
    QTimer::singleShot(0, this, [this] {
        scrollUpdatePending_ = false;
        updateScrollBars();
    });
}

void GridView::ensureLayout()
{
    const GridDocument* shown = document();
    if (shown == laidOutDocument_ && DataSource::revision() == laidOutRevision_)
        return;
    laidOutDocument_ = shown;
    laidOutRevision_ = DataSource::revision();
    rowTop_.assign(1, 0);
    columnLeft_.assign(1, 0);
    if (!shown)
        return;
    const GridDocument& d = *shown;
    for (int r = 1; r <= d.rows(); ++r)
        rowTop_.push_back(rowTop_.back() + d.rowHeight(r));
    for (int c = 1; c <= d.columns(); ++c)
        columnLeft_.push_back(columnLeft_.back() + d.columnWidth(c));
}

GridView::Axis GridView::rows() const
{
    const GridDocument* d = document();
    return {rowTop_, verticalScrollBar(), rulerHeight(), viewport()->height() - rulerHeight(),
            d ? std::min(d->headerRows(), d->rows()) : 0};
}

GridView::Axis GridView::columns() const
{
    const GridDocument* d = document();
    return {columnLeft_, horizontalScrollBar(), rulerWidth(), cellAreaWidth(),
            d ? std::min(d->headerColumns(), d->columns()) : 0};
}

int GridView::frozen(const Axis& a) const
{
    const size_t n = std::min(static_cast<size_t>(a.headers), a.starts.size() - 1);
    return a.starts[n] * scale() <= a.extent / 2.0 ? static_cast<int>(n) : 0;
}

double GridView::position(const Axis& a, int line) const
{
    const double start = a.starts[static_cast<size_t>(std::clamp(line - 1, 0, static_cast<int>(a.starts.size()) - 1))] * scale();
    return a.ruler + (line <= frozen(a) ? start : start - a.bar->value());
}

int GridView::lineAt(const Axis& a, int pixel) const
{
    if (pixel < a.ruler)
        return 0;
    const double s = scale(), fixed = a.starts[static_cast<size_t>(frozen(a))] * s;
    const double at = pixel - a.ruler;
    const int line = lineHolding(a.starts, at < fixed ? at / s : (at + a.bar->value()) / s);
    return line < static_cast<int>(a.starts.size()) ? line : -1;
}

int GridView::bodyStart(const Axis& a) const
{
    return a.ruler + static_cast<int>(a.starts[static_cast<size_t>(frozen(a))] * scale());
}

int GridView::firstBody(const Axis& a) const
{
    const int n = frozen(a);
    return std::max(lineHolding(a.starts, a.starts[static_cast<size_t>(n)] + a.bar->value() / scale()), n + 1);
}

int GridView::grip(const Axis& a, int pixel) const
{
    constexpr int kGrip = 3;   // pixels either side of a line's end that grab it
    const double s = scale();
    for (size_t line = 1; line < a.starts.size(); ++line) {
        const double end = position(a, static_cast<int>(line)) + (a.starts[line] - a.starts[line - 1]) * s;
        if (std::abs(end - pixel) <= kGrip)
            return static_cast<int>(line);
    }
    return 0;
}

void GridView::updateScrollBars()
{
    ensureLayout();
    const double s = scale();
    auto fit = [&](const Axis& a, QScrollBar* bar) {
        const long long fixed = a.starts[static_cast<size_t>(frozen(a))];
        const int page = std::max(a.extent - static_cast<int>(fixed * s), 1);
        bar->setPageStep(page);
        bar->setRange(0, std::max(static_cast<int>(std::ceil((a.starts.back() - fixed) * s)) - page, 0));
    };
    fit(rows(), verticalScrollBar());
    fit(columns(), horizontalScrollBar());
}

QRectF GridView::cellRect(int row, int column) const
{
    const GridDocument* d = document();
    if (!d)
        return {};
    GridBlock block{row, column, 1, 1};
    if (const GridBlock* m = d->mergeAt(row, column))
        block = *m;
    const double s = scale();
    // A block from the header lines into the scrolled ones keeps its start
    // in place and ends where its last line ends now, never before the
    // header lines do.
    auto span = [&](const Axis& a, int first, int last) {
        const double start = position(a, first);
        double end = position(a, last) + (a.starts[static_cast<size_t>(last)] - a.starts[static_cast<size_t>(last - 1)]) * s;
        const int n = frozen(a);
        if (first <= n && last > n)
            end = std::max(end, a.ruler + a.starts[static_cast<size_t>(n)] * s);
        return std::pair{start, end};
    };
    const auto [left, right] = span(columns(), block.column, block.lastColumn());
    const auto [top, bottom] = span(rows(), block.row, block.lastRow());
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

QRect GridView::placeOfCell(int row, int column)
{
    ensureLayout();
    return cellRect(row, column).toAlignedRect();
}

std::array<GridView::Band, 2> GridView::bands(const Axis& a) const
{
    const double s = scale(), extent = a.extent / s;
    const int n = frozen(a), first = firstBody(a);
    const double fixed = static_cast<double>(a.starts[static_cast<size_t>(n)]);
    const double start = static_cast<double>(a.starts[static_cast<size_t>(first - 1)]);
    const int last = std::min(lineHolding(a.starts, start + extent), static_cast<int>(a.starts.size()) - 1);
    // Scrolled by the bar's pixels, as position() places the lines.
    return {Band{{1, n, 0}, 0, fixed}, Band{{first, last, start - a.bar->value() / s}, fixed, extent}};
}

void GridView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), toQColor(table_ ? table_->display().background : 0xFFFFFF));
    const GridDocument* d = document();
    if (!d)
        return;
    ensureLayout();
    paintCells(painter, *d);
    paintSelection(painter, *d);
    paintRulers(painter, *d);
}

void GridView::paintCells(QPainter& painter, const GridDocument& d)
{
    GridPaintStyle style;
    style.screen = true;
    style.lineColour = toQColor(table_->display().lineColour);
    style.dottedEmptyLines = table_->display().dottedEmptyLines;
    const double s = scale(), pixel = 1 / s;
    painter.save();
    painter.translate(rulerWidth(), rulerHeight());
    painter.scale(s, s);
    // Scrolled cells never reach over the header rows and columns; the
    // header band keeps the pixel of its far edge's line.
    auto clip = [pixel](const Band& band, bool header) {
        return header ? std::pair{band.from, band.to + pixel}
                      : std::pair{band.from + (band.from > 0 ? pixel : 0), band.to};
    };
    const std::array<Band, 2> rowBands = bands(rows()), columnBands = bands(columns());
    for (size_t r = 0; r < rowBands.size(); ++r)
        for (size_t c = 0; c < columnBands.size(); ++c) {
            const auto [top, bottom] = clip(rowBands[r], r == 0);
            const auto [left, right] = clip(columnBands[c], c == 0);
            painter.setClipRect(QRectF(QPointF(left, top), QPointF(right, bottom)));
            paintGridBand(painter, d, rowBands[r].lines, columnBands[c].lines, style);
        }
    painter.restore();
    paintCrossingMerges(painter, d, style);
}

// A merged block from the header lines into the scrolled ones is drawn
// again over what the bands drew of it, whole in the place cellRect gives
// it, so that its text is not cut at the header's edge.
void GridView::paintCrossingMerges(QPainter& painter, const GridDocument& d, const GridPaintStyle& style)
{
    const Axis across = columns(), down = rows();
    const int headerColumns = frozen(across), headerRows = frozen(down);
    const double s = scale();
    const QColor background = toQColor(table_->display().background);
    for (const GridBlock& m : d.merges()) {
        const bool crossesColumns = m.column <= headerColumns && m.lastColumn() > headerColumns;
        const bool crossesRows = m.row <= headerRows && m.lastRow() > headerRows;
        if (!crossesColumns && !crossesRows)
            continue;
        // Where it may draw: the cell area, after the header lines on an
        // axis along which it lies wholly in the scrolled part.
        const int left = m.column > headerColumns ? bodyStart(across) + 1 : rulerWidth();
        const int top = m.row > headerRows ? bodyStart(down) + 1 : rulerHeight();
        const QRectF place = cellRect(m.row, m.column);
        const QRectF shown = place.intersected(QRectF(QPointF(left, top), QPointF(viewport()->rect().bottomRight()) + QPointF(1, 1)));
        if (shown.isEmpty())
            continue;
        painter.save();
        painter.setClipRect(shown.adjusted(0, 0, 1, 1));
        painter.fillRect(shown, background);
        painter.translate(rulerWidth(), rulerHeight());
        painter.scale(s, s);
        const QRectF units((place.left() - rulerWidth()) / s, (place.top() - rulerHeight()) / s, place.width() / s, place.height() / s);
        paintGridBlock(painter, d, m, units, style);
        painter.restore();
    }
}

void GridView::paintSelection(QPainter& painter, const GridDocument& d)
{
    const GridTable::Selection& sel = table_->selection();
    const GridBlock block = d.clipped({sel.row, sel.column, sel.rows, sel.columns});
    if (block.empty())
        return;
    painter.save();
    // A block that starts in the scrolled part never reaches over the header
    // rows and columns.
    const int left = block.column > frozen(columns()) ? bodyStart(columns()) : rulerWidth();
    const int top = block.row > frozen(rows()) ? bodyStart(rows()) : rulerHeight();
    painter.setClipRect(QRect(left, top, viewport()->width(), viewport()->height()));
    const QRectF first = cellRect(block.row, block.column), last = cellRect(block.lastRow(), block.lastColumn());
    QColor highlight = palette().color(QPalette::Highlight);
    highlight.setAlpha(50);
    painter.fillRect(first.united(last), highlight);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(first.adjusted(1, 1, -1, -1));
    painter.restore();
}

void GridView::paintRulers(QPainter& painter, const GridDocument&)
{
    if (!rulerWidth())
        return;
    painter.fillRect(QRect(0, 0, viewport()->width(), rulerHeight()), palette().color(QPalette::Button));
    painter.fillRect(QRect(0, 0, rulerWidth(), viewport()->height()), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::ButtonText));
    const double s = scale();
    // The header lines' numbers, then the scrolled ones clipped to the part
    // after them, as their cells are.
    auto numbers = [&](const Axis& a, bool across) {
        const int n = frozen(a), first = firstBody(a);
        auto draw = [&](int from, int to, int clipFrom) {
            painter.setClipRect(across ? QRect(clipFrom, 0, viewport()->width(), rulerHeight())
                                       : QRect(0, clipFrom, rulerWidth(), viewport()->height()));
            for (int line = from; line <= to; ++line) {
                const double at = position(a, line), size = (a.starts[static_cast<size_t>(line)] - a.starts[static_cast<size_t>(line - 1)]) * s;
                if (at >= a.ruler + a.extent)
                    break;
                const QRectF r = across ? QRectF(at, 0, size, rulerHeight()) : QRectF(0, at, rulerWidth(), size);
                painter.drawRect(r);
                painter.drawText(r, Qt::AlignCenter, QString::number(line));
            }
        };
        draw(1, n, a.ruler);
        draw(first, static_cast<int>(a.starts.size()) - 1, bodyStart(a));
    };
    painter.save();
    numbers(columns(), true);
    numbers(rows(), false);
    painter.restore();
}

void GridView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void GridView::scrollContentsBy(int, int)
{
    // Header rows and columns stay, so everything is drawn again.
    if (editor_)
        editor_->setGeometry(cellRect(editRow_, editColumn_).toAlignedRect());
    viewport()->update();
}

void GridView::showCell(int row, int column)
{
    const GridDocument* d = document();
    if (!d || !d->cell(row, column))
        return;
    updateScrollBars();
    const double s = scale();
    auto reveal = [s, this](const Axis& a, int line) {
        const int n = frozen(a);
        if (line <= n)
            return;
        const long long fixed = a.starts[static_cast<size_t>(n)];
        // Whole pixels that hold the line, partly covered ones included.
        const int start = static_cast<int>(std::floor((a.starts[static_cast<size_t>(line - 1)] - fixed) * s));
        const int end = static_cast<int>(std::ceil((a.starts[static_cast<size_t>(line)] - fixed) * s));
        if (start < a.bar->value())
            a.bar->setValue(start);
        else if (end > a.bar->value() + a.bar->pageStep())
            a.bar->setValue(std::min(start, end - a.bar->pageStep()));
    };
    reveal(rows(), row);
    reveal(columns(), column);
    viewport()->update();
}
