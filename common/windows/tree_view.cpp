#include "common/windows/tree_view.h"

#include "common/windows/item_views.h"
#include "common/internal/pixmaps.h"
#include "common/internal/qt_objects.h"
#include "common/internal/qtext.h"
#include "common/windows/unit_views.h"

#include <QTreeWidget>

namespace {

enum Role { ImageRole = Qt::UserRole, SelectedImageRole, ValueRole, IndexRole };

class TreeWidget : public UnitItemView<QTreeWidget> {
public:
    explicit TreeWidget(QWidget* parent) : UnitItemView<QTreeWidget>(parent)
    {
        setHeaderHidden(true);
        setColumnCount(1);
        setSelectionMode(QAbstractItemView::SingleSelection);
        setIconSize(QSize(16, 16));
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

    // The current item shows its selected image when it has one.
    void showIcon(QTreeWidgetItem* item)
    {
        if (!item)
            return;
        int image = item->data(0, ImageRole).toInt();
        int selected = item->data(0, SelectedImageRole).toInt();
        if (item == currentItem() && selected != -1)
            image = selected;
        item->setIcon(0, iconAt(icons, image));
    }

    std::vector<QTreeWidgetItem*> items;   // in the order added
    std::vector<QIcon> icons;
};

TreeWidget& widgetOf(const TreeView& tree) { return *static_cast<TreeWidget*>(QtObjects::widget(tree)); }

int intData(const TreeView& tree, int index, int role)
{
    QTreeWidgetItem* item = widgetOf(tree).at(index);
    return item ? item->data(0, role).toInt() : 0;
}

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
    item->setData(0, ImageRole, image);
    item->setData(0, SelectedImageRole, selectedImage);
    item->setData(0, ValueRole, value);
    const int index = static_cast<int>(w.items.size());
    item->setData(0, IndexRole, index);
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
    w.clear();
}

int treeItemCount(const TreeView& tree) { return static_cast<int>(widgetOf(tree).items.size()); }

Text treeItemText(const TreeView& tree, int index)
{
    QTreeWidgetItem* item = widgetOf(tree).at(index);
    return item ? fromQString(item->text(0)) : Text();
}

int treeItemImage(const TreeView& tree, int index) { return intData(tree, index, ImageRole); }
int treeItemValue(const TreeView& tree, int index) { return intData(tree, index, ValueRole); }

void setTreeItemImage(TreeView& tree, int index, int image)
{
    TreeWidget& w = widgetOf(tree);
    if (QTreeWidgetItem* item = w.at(index)) {
        item->setData(0, ImageRole, image);
        w.showIcon(item);
    }
}

void setTreeItemValue(TreeView& tree, int index, int value)
{
    if (QTreeWidgetItem* item = widgetOf(tree).at(index))
        item->setData(0, ValueRole, value);
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
