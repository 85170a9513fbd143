#include "common/windows/list_view.h"

#include "common/windows/item_views.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/unit_views.h"

#include <QHeaderView>
#include <QListView>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>

namespace {

enum Role { ImageRole = Qt::UserRole, ValueRole, TickRole };

class ListModel : public QStandardItemModel {
public:
    ListModel(QObject* parent, bool tickBoxes) : QStandardItemModel(0, 1, parent), tickBoxes(tickBoxes) {}

    // The tick lives in the check-box role only where tick boxes show.
    int tickRole() const { return tickBoxes ? int(Qt::CheckStateRole) : int(TickRole); }
    bool inTable(int row, int column) const
    {
        return row >= 0 && row < rowCount() && column >= 0 && column < columnCount();
    }
    QStandardItem* cell(int row, int column) const { return inTable(row, column) ? item(row, column) : nullptr; }
    void showIcon(QStandardItem* first) { first->setIcon(iconAt(icons, first->data(ImageRole).toInt())); }

    const bool tickBoxes;
    std::vector<QIcon> icons;
};

QWidget* makeView(QWidget* parent, ListView::Mode mode)
{
    if (mode == ListView::Icons) {
        auto* view = new UnitItemView<QListView>(parent);
        view->setViewMode(QListView::IconMode);
        view->setMovement(QListView::Static);
        view->setResizeMode(QListView::Adjust);
        view->setIconSize(QSize(32, 32));
        return view;
    }
    auto* view = new UnitItemView<QTreeView>(parent);
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setIconSize(QSize(16, 16));
    view->header()->setSectionsMovable(false);
    view->header()->setStretchLastSection(false);
    return view;
}

QAbstractItemView* viewOf(const ListView& list) { return static_cast<QAbstractItemView*>(QtObjects::widget(list)); }
ListModel* modelOf(const ListView& list) { return static_cast<ListModel*>(viewOf(list)->model()); }

QStandardItem* firstCell(const ListView& list, int row) { return modelOf(list)->cell(row, 0); }

} // namespace

ListView::ListView(Container& parent, const Text& name, const Rect& r, Mode mode, bool tickBoxes)
    : Unit(name, makeView(QtObjects::container(parent), mode), r)
{
    QAbstractItemView* view = viewOf(*this);
    view->setModel(new ListModel(view, tickBoxes));
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (mode == Icons)
        static_cast<UnitItemView<QListView>*>(view)->currentMoved = &currentRowChanged;
    else
        static_cast<UnitItemView<QTreeView>*>(view)->currentMoved = &currentRowChanged;
    new RightButtonGuard(view, [this](bool pressed) {
        if (!pressed)
            fire(widget(), rightButtonUp);
    });
}

void ListView::setColumns(const std::vector<ListColumn>& columns)
{
    ListModel* model = modelOf(*this);
    QSignalBlocker block(widget());
    model->setColumnCount(std::max<int>(1, static_cast<int>(columns.size())));
    auto* report = dynamic_cast<QTreeView*>(widget());
    for (size_t c = 0; c < columns.size(); ++c) {
        model->setHorizontalHeaderItem(static_cast<int>(c), new QStandardItem(toQString(columns[c].caption)));
        if (report)
            report->setColumnWidth(static_cast<int>(c), columns[c].width);
    }
}

int ListView::columnCount() const { return modelOf(*this)->columnCount(); }

void ListView::setImages(const std::vector<Bytes>& images)
{
    ListModel* model = modelOf(*this);
    model->icons = iconsFromBytes(images);
    for (int row = 0; row < model->rowCount(); ++row)
        model->showIcon(model->item(row, 0));
}

int ListView::currentRow() const
{
    QModelIndex current = viewOf(*this)->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ListView::setCurrentRow(int row)
{
    QAbstractItemView* view = viewOf(*this);
    QSignalBlocker block(view);
    if (QStandardItem* first = firstCell(*this, row)) {
        view->setCurrentIndex(first->index());
        return;
    }
    view->selectionModel()->clearCurrentIndex();
    view->clearSelection();
}

int insertListRow(ListView& list, const Text& firstCell)
{
    ListModel* model = modelOf(list);
    QSignalBlocker block(QtObjects::widget(list));
    QList<QStandardItem*> cells;
    for (int c = 0; c < model->columnCount(); ++c)
        cells.append(new QStandardItem(c == 0 ? toQString(firstCell) : QString()));
    QStandardItem* first = cells.front();
    first->setData(0, ImageRole);
    first->setData(0, ValueRole);
    first->setData(Qt::Unchecked, model->tickRole());
    if (model->tickBoxes)
        first->setCheckable(true);
    model->showIcon(first);
    model->appendRow(cells);
    return model->rowCount() - 1;
}

void deleteListRow(ListView& list, int row)
{
    if (!firstCell(list, row))
        return;
    const bool wasCurrent = list.currentRow() == row;
    {
        QSignalBlocker block(QtObjects::widget(list));
        modelOf(list)->removeRow(row);
    }
    if (wasCurrent)
        list.setCurrentRow(-1);
}

void clearListRows(ListView& list)
{
    QSignalBlocker block(QtObjects::widget(list));
    ListModel* model = modelOf(list);
    model->removeRows(0, model->rowCount());
}

int listRowCount(const ListView& list) { return modelOf(list)->rowCount(); }

Text listCellText(const ListView& list, int row, int column)
{
    QStandardItem* cell = modelOf(list)->cell(row, column);
    return cell ? fromQString(cell->text()) : Text();
}

void setListCellText(ListView& list, int row, int column, const Text& text)
{
    ListModel* model = modelOf(list);
    if (!model->inTable(row, column))
        return;
    if (QStandardItem* cell = model->item(row, column))
        cell->setText(toQString(text));
    else
        model->setItem(row, column, new QStandardItem(toQString(text)));   // a column added later
}

int listRowImage(const ListView& list, int row)
{
    QStandardItem* first = firstCell(list, row);
    return first ? first->data(ImageRole).toInt() : 0;
}

void setListRowImage(ListView& list, int row, int image)
{
    if (QStandardItem* first = firstCell(list, row)) {
        first->setData(image, ImageRole);
        modelOf(list)->showIcon(first);
    }
}

bool listRowChecked(const ListView& list, int row)
{
    QStandardItem* first = firstCell(list, row);
    return first && first->data(modelOf(list)->tickRole()).toInt() == Qt::Checked;
}

void setListRowChecked(ListView& list, int row, bool checked)
{
    if (QStandardItem* first = firstCell(list, row))
        first->setData(checked ? Qt::Checked : Qt::Unchecked, modelOf(list)->tickRole());
}

int listRowValue(const ListView& list, int row)
{
    QStandardItem* first = firstCell(list, row);
    return first ? first->data(ValueRole).toInt() : 0;
}

void setListRowValue(ListView& list, int row, int value)
{
    if (QStandardItem* first = firstCell(list, row))
        first->setData(value, ValueRole);
}
