// Drawing grid documents: cells, pictures, texts and lines.
#include "common/grid/grid_paint.h"

#include "common/internal/colours.h"
#include "common/internal/faces.h"
#include "common/internal/file_paths.h"
#include "common/internal/pixmaps.h"
#include "common/internal/text_lines.h"
#include "common/internal/qtext.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double kPrintLineWidth = 2;   // tenths of a millimetre
constexpr double kUnitsPerPixel = 254.0 / 96.0;   // a picture pixel at 96 dpi
constexpr int kMostTiles = 64;                     // per side of a cell

} // namespace

QFont gridCellFont(const GridCell& cell, double pixelsPerUnit)
{
    QFont font;
    setDrawnFace(font, cell.fontName);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell.fontSize * pixelsPerUnit))));
    font.setBold(cell.fontStyle & GridBold);
    font.setItalic(cell.fontStyle & GridItalic);
    font.setStrikeOut(cell.fontStyle & GridStrikeOut);
    font.setUnderline(cell.fontStyle & GridUnderline);
    return font;
}

namespace {

// 1..9 row by row from the top left; picture modes centre their text.
Qt::Alignment alignmentFlags(int alignment)
{
    if (!grid_limits::textAlignment(alignment))
        return Qt::AlignCenter;
    static const Qt::Alignment vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    static const Qt::Alignment horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    return vertical[(alignment - 1) / 3] | horizontal[(alignment - 1) % 3];
}

QRectF placed(const QRectF& r, const QSizeF& size, Qt::Alignment a)
{
    const double x = (a & Qt::AlignLeft) ? r.left() : (a & Qt::AlignRight) ? r.right() - size.width()
                                                                            : r.center().x() - size.width() / 2;
    const double y = (a & Qt::AlignTop) ? r.top() : (a & Qt::AlignBottom) ? r.bottom() - size.height()
                                                                           : r.center().y() - size.height() / 2;
    return {QPointF(x, y), size};
}

void drawTiles(QPainter& p, const QRectF& r, const QPixmap& picture, QSizeF tile)
{
    tile = tile.expandedTo(QSizeF(r.width() / kMostTiles, r.height() / kMostTiles));
    for (double y = r.top(); y < r.bottom(); y += tile.height())
        for (double x = r.left(); x < r.right(); x += tile.width())
            p.drawPixmap(QRectF(QPointF(x, y), tile), picture, QRectF(picture.rect()));
}

// 10 scaled to the cell, 11 centred, 12 scaled and centred, 13 tiled,
// 14 tiled at the cell's height; a text alignment places it at its size.
void drawPicture(QPainter& p, const QRectF& r, const QPixmap& picture, int alignment)
{
    if (picture.isNull())
        return;
    const QRectF source(picture.rect());
    const QSizeF natural = QSizeF(picture.size()) * kUnitsPerPixel;
    switch (alignment) {
    case 10: p.drawPixmap(r, picture, source); break;
    case 11: p.drawPixmap(placed(r, natural, Qt::AlignCenter), picture, source); break;
    case 12: p.drawPixmap(placed(r, natural.scaled(r.size(), Qt::KeepAspectRatio), Qt::AlignCenter), picture, source); break;
    case 13: drawTiles(p, r, picture, natural); break;
    case 14: drawTiles(p, r, picture, natural.scaled(QSizeF(1e9, r.height()), Qt::KeepAspectRatio)); break;
    default: p.drawPixmap(placed(r, natural, alignmentFlags(alignment)), picture, source);
    }
}

QString shownText(const GridCell& cell)
{
    const QString text = toQString(cell.text);
    return cell.password ? QString(text.size(), QLatin1Char('*')) : text;
}

// How many of the laid-out lines fit `room` from the first (at least one),
// and their height.
std::pair<int, double> linesThatFit(const QTextLayout& layout, double room)
{
    int count = 0;
    double height = 0;
    for (; count < layout.lineCount(); ++count) {
        const double next = height + layout.lineAt(count).height();
        if (count > 0 && next > room)
            break;
        height = next;
    }
    return {count, height};
}

// A text drawn whole, wrapped to the cell's width, when it fits the cell's
// height; otherwise each of its lines on one line, clipped at the cell's
// sides, as many whole lines as the height holds (at least the first).
// No line is ever cut across.
void drawText(QPainter& p, const QRectF& r, const GridCell& cell, const GridPaintStyle& style)
{
    if (cell.text.empty())
        return;
    const QString text = shownText(cell);
    const QRectF box = r.adjusted(cell.margin, 0, -cell.margin, 0);
    const QFont font = gridCellFont(cell);
    QTextLayout layout;
    if (layOutLines(layout, text, font, box.width(), true) > box.height())
        layOutLines(layout, text, font, box.width(), false);
    const auto [shown, height] = linesThatFit(layout, box.height());
    const Qt::Alignment a = alignmentFlags(cell.alignment);
    const double top = placed(box, QSizeF(box.width(), height), a).top();
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    p.setPen(toQColor(cell.textColour));
    for (int i = 0; i < shown; ++i) {
        QTextLine line = layout.lineAt(i);
        // A line too wide for the cell shows its beginning.
        const double width = line.naturalTextWidth();
        const double left = width > box.width() ? box.left() : placed(box, QSizeF(width, 1), a).left();
        line.draw(&p, QPointF(left, top));
    }
    p.restore();
    if (style.drawn)
        style.drawn->push_back(cell.password ? fromQString(text) : cell.text);
}

bool isPicture(const GridCell& cell) { return cell.cellType == 2 || cell.cellType == 3; }

void drawContent(QPainter& p, const QRectF& r, const GridCell& cell, const GridPaintStyle& style)
{
    if (cell.background != DefaultBackground)
        p.fillRect(r, toQColor(cell.background));
    if (cell.cellType == 3)
        drawPicture(p, r, pixmapFromBytes(cell.picture), cell.alignment);
    else if (cell.cellType == 2)
        drawPicture(p, r, QPixmap(fileSystemPath(cell.text)), cell.alignment);
    else
        drawText(p, r, cell, style);
}

void drawSides(QPainter& p, const QRectF& r, int sides)
{
    if (sides & LineLeft)
        p.drawLine(r.topLeft(), r.bottomLeft());
    if (sides & LineTop)
        p.drawLine(r.topLeft(), r.topRight());
    if (sides & LineRight)
        p.drawLine(r.topRight(), r.bottomRight());
    if (sides & LineBottom)
        p.drawLine(r.bottomLeft(), r.bottomRight());
}

void drawLines(QPainter& p, const QRectF& r, int lines, const GridPaintStyle& style)
{
    QPen pen(style.lineColour);
    pen.setCosmetic(style.screen);
    pen.setWidthF(style.screen ? 0 : kPrintLineWidth);
    if (style.dottedEmptyLines) {
        QPen dotted(pen);
        dotted.setStyle(Qt::DotLine);
        dotted.setColor(QColor(style.lineColour.red(), style.lineColour.green(), style.lineColour.blue(), 90));
        p.setPen(dotted);
        drawSides(p, r, ~lines & GridFrame);
    }
    p.setPen(pen);
    drawSides(p, r, lines);
    if (lines & (GridDiagonal | GridCrossed))
        p.drawLine(r.topLeft(), r.bottomRight());
    if (lines & GridCrossed)
        p.drawLine(r.topRight(), r.bottomLeft());
    if (lines & GridDoubleDiagonal) {
        p.drawLine(r.topLeft(), QPointF(r.right(), r.center().y()));
        p.drawLine(r.topLeft(), QPointF(r.center().x(), r.bottom()));
    }
}

bool hasSide(const GridDocument& d, int row, int column, int side)
{
    const GridCell* cell = d.cell(row, column);
    return cell && (cell->lines & side);
}

// A side is drawn when either cell that shares it has it.
int cellLines(const GridDocument& d, int r, int c)
{
    int bits = d.cell(r, c)->lines;
    bits |= hasSide(d, r, c - 1, LineRight) ? LineLeft : 0;
    bits |= hasSide(d, r, c + 1, LineLeft) ? LineRight : 0;
    bits |= hasSide(d, r - 1, c, LineBottom) ? LineTop : 0;
    bits |= hasSide(d, r + 1, c, LineTop) ? LineBottom : 0;
    return bits;
}

// A merged block's sides are those of its outer cells; its diagonals are
// its first cell's.
int mergedLines(const GridDocument& d, const GridBlock& m)
{
    int bits = d.cell(m.row, m.column)->lines & GridDiagonals;
    for (int c = m.column; c <= m.lastColumn(); ++c)
        bits |= (cellLines(d, m.row, c) & LineTop) | (cellLines(d, m.lastRow(), c) & LineBottom);
    for (int r = m.row; r <= m.lastRow(); ++r)
        bits |= (cellLines(d, r, m.column) & LineLeft) | (cellLines(d, r, m.lastColumn()) & LineRight);
    return bits;
}

struct Piece {
    QRectF rect;
    const GridCell* cell;
    int lines;
};

std::vector<double> edges(const GridBand& band, const std::function<int(int)>& size)
{
    std::vector<double> at{band.origin};
    for (int i = band.first; i <= band.last; ++i)
        at.push_back(at.back() + size(i));
    return at;
}

// How far a line drawn on an edge reaches past it, in the painter's units:
// a screen line is one device pixel, a printed one half its width.
double lineReach(const GridPaintStyle& style, double scale)
{
    return style.screen ? 1.0 / std::max(std::abs(scale), 1e-6) : kPrintLineWidth / 2;
}

void paintBand(QPainter& p, const GridDocument& d, const GridBand& rows, const GridBand& columns,
               const GridPaintStyle& style)
{
    const std::vector<double> ys = edges(rows, [&](int r) { return d.rowHeight(r); });
    const std::vector<double> xs = edges(columns, [&](int c) { return d.columnWidth(c); });
    std::vector<Piece> pieces;
    for (int r = rows.first; r <= rows.last; ++r)
        for (int c = columns.first; c <= columns.last; ++c) {
            const double x = xs[static_cast<size_t>(c - columns.first)], y = ys[static_cast<size_t>(r - rows.first)];
            const GridBlock* m = d.mergeAt(r, c);
            if (!m) {
                pieces.push_back({QRectF(x, y, d.columnWidth(c), d.rowHeight(r)), d.cell(r, c), cellLines(d, r, c)});
                continue;
            }
            // Drawn once per band, from its first cell in the band.
            if (r != std::max(m->row, rows.first) || c != std::max(m->column, columns.first))
                continue;
            const QRectF whole(x - columnSpan(d, m->column, c - 1), y - rowSpan(d, m->row, r - 1),
                               columnSpan(d, m->column, m->lastColumn()), rowSpan(d, m->row, m->lastRow()));
            pieces.push_back({whole, d.cell(m->row, m->column), mergedLines(d, *m)});
        }
    // The band's far sides are its last cells' lines, drawn on the edge:
    // the clip reaches one line width past it so they show.
    const double reachX = lineReach(style, p.transform().m11());
    const double reachY = lineReach(style, p.transform().m22());
    p.save();
    p.setClipRect(QRectF(QPointF(xs.front(), ys.front()), QPointF(xs.back() + reachX, ys.back() + reachY)),
                  Qt::IntersectClip);
    // Lines after every content, so no background covers a neighbour's line.
    for (const Piece& piece : pieces)
        drawContent(p, piece.rect, *piece.cell, style);
    for (const Piece& piece : pieces)
        drawLines(p, piece.rect, piece.lines, style);
    p.restore();
}

} // namespace

double gridTextHeight(const GridCell& cell, double width)
{
    if (cell.text.empty() || isPicture(cell))
        return 0;
    QTextLayout layout;
    return layOutLines(layout, shownText(cell), gridCellFont(cell), width - 2 * cell.margin, true);
}

void paintGridBand(QPainter& painter, const GridDocument& document, const GridBand& rows, const GridBand& columns,
                   const GridPaintStyle& style)
{
    if (!rows.empty() && !columns.empty())
        paintBand(painter, document, rows, columns, style);
}

void paintGridBlock(QPainter& painter, const GridDocument& document, const GridBlock& block, const QRectF& rect,
                    const GridPaintStyle& style)
{
    const GridCell* cell = document.cell(block.row, block.column);
    if (!cell)
        return;
    const GridBlock* merge = document.mergeAt(block.row, block.column);
    drawContent(painter, rect, *cell, style);
    drawLines(painter, rect, merge ? mergedLines(document, *merge) : cellLines(document, block.row, block.column), style);
}

QPageLayout toPageLayout(const PageSetup& s)
{
    const QPageSize paper(QSizeF(s.paperWidth / 10.0, s.paperHeight / 10.0), QPageSize::Millimeter, QString(),
                          QPageSize::FuzzyMatch);
    return QPageLayout(paper, s.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(s.leftMargin / 10.0, s.topMargin / 10.0, s.rightMargin / 10.0, s.bottomMargin / 10.0),
                       QPageLayout::Millimeter);
}

PageSetup fromPageLayout(const QPageLayout& layout, const PageSetup& base)
{
    auto tenths = [](double mm) { return static_cast<int>(std::lround(mm * 10)); };
    const QSizeF paper = layout.pageSize().size(QPageSize::Millimeter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    PageSetup s = base;
    s.paperWidth = tenths(paper.width());
    s.paperHeight = tenths(paper.height());
    s.landscape = layout.orientation() == QPageLayout::Landscape;
    s.leftMargin = tenths(margins.left());
    s.topMargin = tenths(margins.top());
    s.rightMargin = tenths(margins.right());
    s.bottomMargin = tenths(margins.bottom());
    return grid_limits::pageSetup(s) ? s : base;
}
