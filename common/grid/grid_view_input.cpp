// The grid unit's widget: the person's mouse, keys and cell editing.
#include "common/grid/grid_view.h"

#include "common/internal/dispatch.h"
#include "common/grid/grid_paint.h"
#include "common/internal/hosts.h"
#include "common/internal/qtext.h"

#include <QDoubleValidator>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>

#include <climits>
#include <cmath>
#include <limits>

namespace {

// What the person may type for an input type; logical and date-time cells
// take any text.
QValidator* validatorFor(int inputType, QObject* parent)
{
    switch (inputType) {
    case 1: return new QIntValidator(0, 255, parent);
    case 2: return new QIntValidator(-32768, 32767, parent);
    case 3:
    case 4: return new QIntValidator(INT_MIN, INT_MAX, parent);
    case 5:
    case 6: return new QDoubleValidator(parent);
    default: return nullptr;
    }
}

} // namespace

void GridView::edited()
{
    if (table_)
        fire(this, table_->cellEdited);
}

bool GridView::startResize(const QPoint& pos)
{
    if (!document() || !rulerWidth())
        return false;
    const GridDisplay& display = table_->display();
    if (pos.y() < rulerHeight() && pos.x() >= rulerWidth() && !display.fixedColumnWidths)
        resized_ = grip(columns(), pos.x());
    else if (pos.x() < rulerWidth() && pos.y() >= rulerHeight() && !display.fixedRowHeights)
        resized_ = -grip(rows(), pos.y());
    else
        resized_ = 0;
    drag_ = resized_ > 0 ? Drag::ColumnWidth : resized_ < 0 ? Drag::RowHeight : Drag::None;
    resized_ = std::abs(resized_);
    return drag_ != Drag::None;
}

void GridView::selectTo(int row, int column)
{
    const GridDocument* d = document();
    if (!d || d->rows() == 0 || d->columns() == 0)
        return;
    row = std::clamp(row < 0 ? d->rows() : row, 1, d->rows());
    column = std::clamp(column < 0 ? d->columns() : column, 1, d->columns());
    if (!table_->display().blockSelection) {
        row = anchorRow_;
        column = anchorColumn_;
    }
    endRow_ = row;
    endColumn_ = column;
    GridBlock block{std::min(row, anchorRow_), std::min(column, anchorColumn_), std::abs(row - anchorRow_) + 1,
                    std::abs(column - anchorColumn_) + 1};
    // A selection never cuts a merged block.
    for (bool grown = true; grown;) {
        grown = false;
        for (const GridBlock& m : d->merges())
            if (m.overlaps(block)) {
                const int top = std::min(block.row, m.row), left = std::min(block.column, m.column);
                const GridBlock whole{top, left, std::max(block.lastRow(), m.lastRow()) - top + 1,
                                      std::max(block.lastColumn(), m.lastColumn()) - left + 1};
                grown = grown || !(whole == block);
                block = whole;
            }
    }
    table_->select({block.row, block.column, block.rows, block.columns});
}

void GridView::moveCursor(int row, int column)
{
    anchorRow_ = row;
    anchorColumn_ = column;
    selectTo(row, column);
    showCell(row, column);
}

void GridView::keepAnchor()
{
    const GridTable::Selection& sel = table_->selection();
    const bool inside = anchorRow_ >= sel.row && anchorRow_ < sel.row + sel.rows && anchorColumn_ >= sel.column
        && anchorColumn_ < sel.column + sel.columns;
    if (inside)
        return;
    // A selection the program set is anchored at its first cell.
    anchorRow_ = sel.row;
    anchorColumn_ = sel.column;
    endRow_ = sel.row + sel.rows - 1;
    endColumn_ = sel.column + sel.columns - 1;
}

void GridView::extendBy(int rows, int columns)
{
    const GridDocument* d = document();
    keepAnchor();
    const int row = std::clamp(endRow_ + rows, 1, d->rows()), column = std::clamp(endColumn_ + columns, 1, d->columns());
    selectTo(row, column);
    showCell(row, column);
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    if (!table_)
        return;
    setFocus();
    commitEdit();
    ensureLayout();
    const QPoint pos = event->position().toPoint();
    const int row = document() ? lineAt(rows(), pos.y()) : 0, column = document() ? lineAt(columns(), pos.x()) : 0;
    table_->setPressedOnCell(row > 0 && column > 0);
    if (event->button() == Qt::LeftButton && document() && !startResize(pos)) {
        if (row > 0 && column > 0) {
            if (event->modifiers() & Qt::ShiftModifier) {
                keepAnchor();
            } else {
                anchorRow_ = row;
                anchorColumn_ = column;
            }
            selectTo(row, column);
            drag_ = Drag::Select;
        }
    }
    fire(this, table_->mouseDown, mouseButtonCode(event->button()));
}

void GridView::mouseMoveEvent(QMouseEvent* event)
{
    DataSource* s = source();
    if (!s || drag_ == Drag::None)
        return;
    ensureLayout();
    const QPoint pos = event->position().toPoint();
    if (drag_ == Drag::Select) {
        selectTo(lineAt(rows(), pos.y()), lineAt(columns(), pos.x()));
        return;
    }
    const bool height = drag_ == Drag::RowHeight;
    const double start = position(height ? rows() : columns(), resized_);
    const int size = std::max(1, static_cast<int>(std::lround(((height ? pos.y() : pos.x()) - start) / scale())));
    const int index = resized_;
    s->change([&](GridDocument& d) {
        if (height)
            d.setRowHeights(index, 1, size);
        else
            d.setColumnWidths(index, 1, size);
        return GridChange{};
    });
    sizeChanged_ = true;
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    drag_ = Drag::None;
    if (!table_)
        return;
    if (sizeChanged_) {
        sizeChanged_ = false;
        edited();
    }
    fire(this, table_->mouseUp, mouseButtonCode(event->button()));
}

void GridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    ensureLayout();
    const QPoint pos = event->position().toPoint();
    const int row = lineAt(rows(), pos.y()), column = lineAt(columns(), pos.x());
    if (event->button() == Qt::LeftButton && row > 0 && column > 0)
        startEdit(row, column, nullptr);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    const GridDocument* d = document();
    if (!d || d->rows() == 0 || d->columns() == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const GridTable::Selection& sel = table_->selection();
    const int row = std::clamp(sel.row, 1, d->rows()), column = std::clamp(sel.column, 1, d->columns());
    // With Shift the arrows move the selection's far end; its anchor stays.
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    auto step = [&](int rows, int columns) {
        if (extend)
            extendBy(rows, columns);
        else
            moveCursor(std::clamp(row + rows, 1, d->rows()), std::clamp(column + columns, 1, d->columns()));
    };
    switch (event->key()) {
    case Qt::Key_Up: step(-1, 0); return;
    case Qt::Key_Down: step(1, 0); return;
    case Qt::Key_Left: step(0, -1); return;
    case Qt::Key_Right: step(0, 1); return;
    case Qt::Key_F2:
    case Qt::Key_Return:
    case Qt::Key_Enter: startEdit(row, column, nullptr); return;
    case Qt::Key_Delete: clearSelectedTexts(); return;
    default: break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint())
        startEdit(row, column, &typed);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void GridView::clearSelectedTexts()
{
    DataSource* s = source();
    const GridTable::Selection& sel = table_->selection();
    bool changed = false;
    s->change([&](GridDocument& d) {
        const GridBlock block = d.clipped({sel.row, sel.column, sel.rows, sel.columns});
        d.editBlock(block, [&](GridCell& cell) {
            if (!cell.readOnly && !cell.text.empty()) {
                cell.text.clear();
                changed = true;
            }
        });
        return GridChange{GridChange::Cells, block.row, block.column, block.rows, block.columns};
    });
    if (changed)
        edited();
}

void GridView::startEdit(int row, int column, const QString* typed)
{
    const GridDocument* d = document();
    if (!d)
        return;
    if (const GridBlock* m = d->mergeAt(row, column)) {
        row = m->row;
        column = m->column;
    }
    const GridCell* cell = d->cell(row, column);
    if (!cell || cell->readOnly)
        return;
    commitEdit();
    editRow_ = row;
    editColumn_ = column;
    editor_ = new QLineEdit(viewport());
    editor_->setMaxLength(std::numeric_limits<int>::max());   // never cuts a long cell
    editor_->setFont(gridCellFont(*cell, scale()));
    editor_->setEchoMode(cell->password ? QLineEdit::Password : QLineEdit::Normal);
    editor_->setValidator(validatorFor(cell->inputType, editor_));
    editor_->setText(typed ? *typed : toQString(cell->text));
    editor_->setGeometry(cellRect(row, column).toAlignedRect());
    editor_->installEventFilter(this);
    editor_->show();
    editor_->setFocus();
}

void GridView::closeEditor()
{
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    if (table_)
        setFocus();
}

void GridView::commitEdit()
{
    if (!editor_)
        return;
    const Text text = fromQString(editor_->text());
    const int row = editRow_, column = editColumn_;
    closeEditor();
    DataSource* s = source();
    const GridCell* cell = s ? s->document().cell(row, column) : nullptr;
    if (!cell || cell->readOnly || cell->text == text)
        return;
    setCellText(*s, row, column, text);
    edited();
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != editor_)
        return QAbstractScrollArea::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        commitEdit();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        closeEditor();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const int below = editRow_ + 1;
        const int column = editColumn_;
        commitEdit();
        const GridDocument* d = document();
        if (d && below <= d->rows())
            moveCursor(below, column);
        return true;
    }
    return false;
}
