#pragma once
// A tree of items, each with a text, an image number, a selected-image
// number (-1: none of its own, the image shows when selected too) and an
// integer value. Items are numbered 0..count-1 in the order they were added;
// an item added under a parent is its child. Filling and the program's
// changes never select an item and never raise selectionChanged.
#include "common/windows/unit.h"

#include <vector>

class TreeView : public Unit {
public:
    TreeView(Container& parent, const Text& name, const Rect& r);
    // The image list: 16x16 images numbered from 0, from their file bytes.
    void setImages(const std::vector<Bytes>& images);
    int currentItem() const;              // -1 for none
    void setCurrentItem(int index);       // -1 or out of range: none
    // The person made another item current (a click on the current item
    // does not count).
    std::function<void()> selectionChanged;
    // Right button pressed over the tree; the current item stays.
    std::function<void()> rightButtonDown;
};

// Out-of-range indexes are harmless: reads give "" or 0, writes do nothing.
// `parent` -1 (or any index that is not an item) adds at the top level.
int addTreeItem(TreeView& tree, int parent, const Text& text, int image, int selectedImage,
                int value);
void clearTree(TreeView& tree);
int treeItemCount(const TreeView& tree);
Text treeItemText(const TreeView& tree, int index);
int treeItemImage(const TreeView& tree, int index);
void setTreeItemImage(TreeView& tree, int index, int image);
int treeItemValue(const TreeView& tree, int index);
void setTreeItemValue(TreeView& tree, int index, int value);
void expandTreeItem(TreeView& tree, int index);
// Scrolls the item into view without selecting it.
void showTreeItem(TreeView& tree, int index);
// 1 for an item with children, else 0.
int treeItemHasChildren(const TreeView& tree, int index);
