// The delegate tree: delegates of the last query grouped by runs of equal
// organisation; a pick acts according to the current page.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/name_spacing.h"
#include "desk/placement_walks.h"

namespace {

enum DelegateIcon { Consumed = 0, Organisation = 1, Male = 2, Female = 3, Selected = 4 };

} // namespace

void MainWindow::loadTreeImages()
{
    树型框1.setImages(loadNumberedPictures("tree", 9));
}

void MainWindow::fillDelegateTree()
{
    recordMoveFirst(currentRecordSet);
    clearTree(树型框1);
    while (!recordSetAtEnd(currentRecordSet)) {
        const Text organisation = readField(currentRecordSet, "单位").text();
        const int node = addTreeItem(树型框1, -1, organisation, Organisation, -1, 0);
        while (!recordSetAtEnd(currentRecordSet)
               && readField(currentRecordSet, "单位").text() == organisation) {
            const bool female = delegateSex(readField(currentRecordSet, "性别").text()) == Sex::Woman;
            addTreeItem(树型框1, node, readField(currentRecordSet, "姓名").text(),
                        female ? Female : Male, Selected, readField(currentRecordSet, "代表id").number());
            recordMoveNext(currentRecordSet);
        }
        expandTreeItem(树型框1, node);
    }
    closeCurrentRecordSet();
    showTreeItem(树型框1, 0);
}

void MainWindow::consumeTreeItem(int item, int image)
{
    setTreeItemValue(树型框1, item, 0);
    setTreeItemImage(树型框1, item, image);
}

void MainWindow::onDelegateTreeSelect()
{
    const int page = 选择夹1.currentPage();
    const int item = 树型框1.currentItem();
    const int value = treeItemValue(树型框1, item);
    if (page == 0) {
        selectedRoomId = 0;
        currentDelegateId = value;
        if (value != 0) {
            int rs = querySql(外部数据库1, "select * from 代表信息 where 代表id=" + toText(value));
            recordMoveFirst(rs);
            if (!recordSetAtEnd(rs))
                showDelegateCard(rs);
            else
                currentDelegateId = 0;   // deleted since the tree was filled: the form holds a new one
            closeRecordSet(rs);
        }
    } else if (value != 0 && selectedRoomId != 0 && page == 1) {
        pickRoom(item, value);
    } else if (value != 0 && selectedTableId != 0 && page == 3) {
        pickTable(item, value);
    } else if (page == 4) {
        if (value == 0)
            return;
        列表框2.addItem(seatQueueName(treeItemText(树型框1, item)), value);
        列表框2.setCurrentIndex(-1);
        consumeTreeItem(item, Consumed);
        seatPickupName = "";
    } else if (page == 7) {
        showSlipFor(value);
    } else if (page == 5) {
        if (value == 0)
            return;
        列表框1.addItem(tableCardName(treeItemText(树型框1, item)));
        列表框1.setCurrentIndex(-1);
        consumeTreeItem(item, Consumed);
    }
}

// A refused pick clears the choice of place and delegate.
void MainWindow::refusePick(const Text& message, ListView& places, int& selectedPlace)
{
    messageBox(message, BoxOk, "嘻.搞错了吧!");
    places.setCurrentRow(-1);
    selectedPlace = 0;
    树型框1.setCurrentItem(-1);
    currentDelegateId = 0;
}

void MainWindow::pickRoom(int item, int value)
{
    currentDelegateId = value;
    const int row = 超级列表框1.currentRow();
    const int image = treeItemImage(树型框1, item);
    const std::optional<Sex> guests = roomSex(listCellText(超级列表框1, row, 5));
    const double free = toNumber(listCellText(超级列表框1, row, 3)) - toNumber(listCellText(超级列表框1, row, 4));
    const bool accepted = row >= 0 && free > 1e-7
                       && ((guests != Sex::Man && image == Female) || (guests != Sex::Woman && image == Male));
    if (!accepted) {
        refusePick("性别不对或者房间满了", 超级列表框1, selectedRoomId);
        return;
    }
    const Text occupants = toText(toNumber(listCellText(超级列表框1, row, 4)) + 1);
    setListCellText(超级列表框1, row, 4, occupants);
    setListCellText(超级列表框1, row, 5, sexText(image == Female ? Sex::Woman : Sex::Man));
    const int pending = insertListRow(超级列表框2, treeItemText(树型框1, item));
    setListCellText(超级列表框2, pending, 1, listCellText(超级列表框1, row, 0));
    setListCellText(超级列表框2, pending, 2, listCellText(超级列表框1, row, 1));
    setListCellText(超级列表框2, pending, 3, occupants);
    setListCellText(超级列表框2, pending, 4, listCellText(超级列表框1, row, 5));
    setListRowValue(超级列表框2, pending, selectedRoomId);
    setListRowImage(超级列表框2, pending, currentDelegateId);
    consumeTreeItem(item, image + 3);
}

void MainWindow::pickTable(int item, int value)
{
    currentDelegateId = value;
    const int row = 超级列表框3.currentRow();
    const double free = toNumber(listCellText(超级列表框3, row, 2)) - toNumber(listCellText(超级列表框3, row, 3));
    if (row < 0 || free <= 1e-7) {
        refusePick("当前餐桌人满了", 超级列表框3, selectedTableId);
        return;
    }
    const Text seated = toText(toNumber(listCellText(超级列表框3, row, 3)) + 1);
    setListCellText(超级列表框3, row, 3, seated);
    const int pending = insertListRow(超级列表框4, treeItemText(树型框1, item));
    setListCellText(超级列表框4, pending, 1, listCellText(超级列表框3, row, 0));
    setListCellText(超级列表框4, pending, 2, listCellText(超级列表框3, row, 1));
    setListCellText(超级列表框4, pending, 3, seated);
    setListRowValue(超级列表框4, pending, selectedTableId);
    setListRowImage(超级列表框4, pending, currentDelegateId);
    consumeTreeItem(item, Consumed);
}
