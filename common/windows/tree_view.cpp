#include "common/windows/tree_view.h"

#include "common/windows/item_views.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/unit_views.h"

#include <QTreeWidget>

namespace {

// The item's index in the order added, the one datum the Qt item holds.
constexpr int IndexRole = Qt::UserRole;

// What the program keeps for an item beside the Qt item, so that changing
// it (a delegate picked) tells the view nothing it does not show.
struct ItemData {
    int image, selectedImage, value;
};

class TreeWidget : public UnitItemView<QTreeWidget> {
public:
    explicit TreeWidget(QWidget* parent) : UnitItemView<QTreeWidget>(parent)
    {
        setHeaderHidden(true);
        setColumnCount(1);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setIconSize(QSize(16, 16));
        // Every item is one line of text beside a 16 x 16 image: with one
        // height for all, a changed item (a delegate placed) costs no layout.
        setUniformRowHeights(true);
        onCurrent = [this](const QModelIndex& current, const QModelIndex& previous) {
            showIcon(itemFromIndex(previous));
            showIcon(itemFromIndex(current));
        };
    }

    QTreeWidgetItem* at(int index) const
    {
        return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<size_t>(index)]
                                                                    : nullptr;
    }

    ItemData* dataOf(int index)
    {
        return index >= 0 && index < static_cast<int>(data.size()) ? &data[static_cast<size_t>(index)] : nullptr;
    }

    // The current item shows its selected image when it has one.
    void showIcon(QTreeWidgetItem* item)
    {
        const ItemData* d = item ? dataOf(item->data(0, IndexRole).toInt()) : nullptr;
        if (!d)
            return;
        const bool selected = item == currentItem() && d->selectedImage != -1;
        item->setIcon(0, iconAt(icons, selected ? d->selectedImage : d->image));
    }

    std::vector<QTreeWidgetItem*> items;   // in the order added
    std::vector<ItemData> data;            // likewise
    std::vector<QIcon> icons;
};

TreeWidget& widgetOf(const TreeView& tree) { return *static_cast<TreeWidget*>(QtObjects::widget(tree)); }

} // namespace

TreeView::TreeView(Container& parent, const Text& name, const Rect& r)
    : Unit(name, new TreeWidget(QtObjects::container(parent)), r)
{
    TreeWidget& w = widgetOf(*this);
    w.currentMoved = &selectionChanged;
    new RightButtonGuard(&w, [this](bool pressed) {
        if (pressed)
            fire(widget(), rightButtonDown);
    });
}

void TreeView::setImages(const std::vector<Bytes>& images)
{
    TreeWidget& w = widgetOf(*this);
    w.icons = iconsFromBytes(images);
    for (QTreeWidgetItem* item : w.items)
        w.showIcon(item);
}

int TreeView::currentItem() const
{
    QTreeWidgetItem* item = widgetOf(*this).currentItem();
    return item ? item->data(0, IndexRole).toInt() : -1;
}

void TreeView::setCurrentItem(int index)
{
    TreeWidget& w = widgetOf(*this);
    QSignalBlocker block(&w);
    w.setCurrentItem(w.at(index));
    if (index == -1 || !w.at(index))
        w.clearSelection();
}

int addTreeItem(TreeView& tree, int parent, const Text& text, int image, int selectedImage, int value)
{
    TreeWidget& w = widgetOf(tree);
    QSignalBlocker block(&w);
    auto* item = new QTreeWidgetItem(QStringList{toQString(text)});
    const int index = static_cast<int>(w.items.size());
    item->setData(0, IndexRole, index);
    w.data.push_back({image, selectedImage, value});
    if (QTreeWidgetItem* parentItem = w.at(parent))
        parentItem->addChild(item);
    else
        w.addTopLevelItem(item);
    w.items.push_back(item);
    w.showIcon(item);
    return index;
}

void clearTree(TreeView& tree)
{
    TreeWidget& w = widgetOf(tree);
    QSignalBlocker block(&w);
    w.items.clear();
    w.data.clear();
    w.clear();
}

int treeItemCount(const TreeView& tree) { return static_cast<int>(widgetOf(tree).items.size()); }

Text treeItemText(const TreeView& tree, int index)
{
    QTreeWidgetItem* item = widgetOf(tree).at(index);
    return item ? fromQString(item->text(0)) : Text();
}

int treeItemImage(const TreeView& tree, int index)
{
    const ItemData* d = widgetOf(tree).dataOf(index);
    return d ? d->image : 0;
}

int treeItemValue(const TreeView& tree, int index)
{
    const ItemData* d = widgetOf(tree).dataOf(index);
    return d ? d->value : 0;
}

void setTreeItemImage(TreeView& tree, int index, int image)
{
    TreeWidget& w = widgetOf(tree);
    if (ItemData* d = w.dataOf(index)) {
        d->image = image;
        w.showIcon(w.at(index));
    }
}

void setTreeItemValue(TreeView& tree, int index, int value)
{
    if (ItemData* d = widgetOf(tree).dataOf(index))
        d->value = value;
}

void expandTreeItem(TreeView& tree, int index)
{
    if (QTreeWidgetItem* item = widgetOf(tree).at(index))
        item->setExpanded(true);
}

void showTreeItem(TreeView& tree, int index)
{
    TreeWidget& w = widgetOf(tree);
    if (QTreeWidgetItem* item = w.at(index))
        w.scrollToItem(item);
}

int treeItemHasChildren(const TreeView& tree, int index)
{
    QTreeWidgetItem* item = widgetOf(tree).at(index);
    return item && item->childCount() > 0 ? 1 : 0;
}
