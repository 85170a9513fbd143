// The automatic room assignment: the pending delegates of the tree go into
// the ticked rooms by runs of one organisation and one sex.
#include "desk/main_window.h"
#include "app/state/globals.h"
#include "desk/placement_walks.h"

namespace {

// The tree's image of a woman not yet placed.
constexpr int kWomanImage = 3;

Text endMessage(RoomWalkEnd end)
{
    switch (end) {
    case RoomWalkEnd::NobodyLeft: return "代表分配完毕";
    case RoomWalkEnd::LastOrganisationDone: return "代表分配完毕，请查看‘客房报表’";
    case RoomWalkEnd::NobodyPending: return "代表分配完毕,请查看‘客房报表’";
    case RoomWalkEnd::RoomsUsedUp: break;
    }
    return "房间不够分配";
}

} // namespace

void MainWindow::onDelegateTreeRightButton()
{
    const int item = 树型框1.currentItem();
    if (treeItemValue(树型框1, item) == 0)
        return;
    consumeTreeItem(item, treeItemImage(树型框1, item) + 5);
}

void MainWindow::autoAssignRooms()
{
    LongOperation bracket;
    分组框9.setVisible(false);
    超级列表框2.setVisible(true);
    if (messageBox("请先按‘刷新待分’按钮刷新，然后标记不参加本次自动分配的代表（在代表名字上依次按鼠标左右键）\r\n"
                   "和房间（去掉房间前的勾）。\r\n未准备好请按取消！",
                   BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    const int rows = listRowCount(超级列表框1);
    bool anyTicked = false;
    for (int row = 0; row < rows; ++row)
        anyTicked = anyTicked || listRowChecked(超级列表框1, row);
    if (!anyTicked) {
        messageBox("请先选中待分配的房间项！", BoxOk, "注意");
        return;
    }
    // The run is one unit: a failed placement undoes every placement before
    // it, and the tab then shows the stored rooms again.
    Transaction unit(外部数据库1);
    // The list counts the picks not yet confirmed: they are stored first, or
    // the walk would place guests beside delegates who never get the bed.
    bool written = writePendingRooms();

    std::vector<WalkItem> items;
    for (int k = 0; k < treeItemCount(树型框1); ++k)
        items.push_back({treeItemHasChildren(树型框1, k) != 0, treeItemValue(树型框1, k) != 0,
                         treeItemImage(树型框1, k) == kWomanImage ? Sex::Woman : Sex::Man});
    std::vector<WalkRoom> rooms;
    for (int row = 0; row < rows; ++row)
        rooms.push_back({listRowChecked(超级列表框1, row), toInteger(toNumber(listCellText(超级列表框1, row, 3))),
                         toInteger(toNumber(listCellText(超级列表框1, row, 4))), listCellText(超级列表框1, row, 5)});
    const RoomWalk walk = walkRooms(items, rooms);

    // Each placement gives the stored room one guest of this sex: the list
    // the walk worked on may also count picks that are not committed.
    for (size_t i = 0; written && i < walk.placements.size(); ++i) {
        const RoomPlacement& p = walk.placements[i];
        const int delegate = treeItemValue(树型框1, p.item);
        const Text sex = items[p.item].sex == Sex::Woman ? "女" : "男";
        written = execSql(外部数据库1, "update 代表信息 set  宾馆名称 ='" + sqlText(listCellText(超级列表框1, p.room, 0))
                                           + "',房间编号='" + sqlText(listCellText(超级列表框1, p.room, 1))
                                           + "'  where  代表id=" + toText(delegate))
               && execSql(外部数据库1, "update 房间信息 set 已住人数 =已住人数+1,性别='" + sex + "'  where  房间id="
                                           + toText(listRowValue(超级列表框1, p.room)));
        setListCellText(超级列表框1, p.room, 4, toText(toNumber(listCellText(超级列表框1, p.room, 4)) + 1));
        setListCellText(超级列表框1, p.room, 5, sex);
        consumeTreeItem(p.item, treeItemImage(树型框1, p.item) + 3);
    }
    const bool kept = unit.commit();
    endLongOperation();
    if (!kept) {
        onRefreshUnassignedClick();
        messageBox("自动分配失败！", BoxOk, "");
        return;
    }
    messageBox(endMessage(walk.end), BoxOk, "");
    if (walk.end != RoomWalkEnd::NobodyLeft)
        onRefreshUnassignedClick();
}
