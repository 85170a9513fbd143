// Page 1: the meeting's rooms, batches of new rooms and the manual
// assignment of delegates through the pending list.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/pending_rows.h"
#include "desk/place_kinds.h"
#include "desk/batch_numbers.h"

namespace {

// More rooms than this in one batch is a typing error, not a hotel.
constexpr size_t kMaxBatch = 10000;

} // namespace

void MainWindow::wireRoomPage()
{
    超级列表框1.setColumns({{"宾馆名称", 120}, {"房间编号", 80}, {"房间类别", 90}, {"房间人数", 80},
                           {"已住人数", 80}, {"房客性别", 80}});
    超级列表框2.setColumns({{"已选代表", 100}, {"对应宾馆", 110}, {"对应房间", 80}, {"已住人数", 80},
                           {"房客性别", 80}});
    分组框9.setVisible(false);
    超级列表框1.currentRowChanged = [this] { onRoomListSelect(); };
    确定手动分配.clicked = [this] { onRoomConfirmOrAddClick(); };
    删除表项.clicked = [this] { onRoomCancelOrDeleteClick(); };
    手动分配.clicked = [this] { onRefreshUnassignedClick(); };
    自动分配.clicked = [this] { autoAssignRooms(); };
    房间调整.clicked = [this] { onRoomAdjustClick(); };
    全部清空.clicked = [this] { onRoomClearAllClick(); };
    树型框1.rightButtonDown = [this] { onDelegateTreeRightButton(); };
}

bool MainWindow::manualAssignMode() const { return !分组框9.visible() && 超级列表框2.visible(); }

void MainWindow::onRefreshUnassignedClick()
{
    if (!runDelegateQuery("select * from 代表信息 where 会议编号=" + currentMeetingText() + " and 房间编号='0'  order  by 代表编号 "))
        return;
    fillDelegateTree();
    int rooms = querySql(外部数据库1, "select * from 房间信息 where 已住人数<房间人数  and  会议编号=" + currentMeetingText()
                                          + "  order  by 房间人数,宾馆名称,房间编号 ");
    分组框9.setVisible(false);
    超级列表框2.setVisible(true);
    clearListRows(超级列表框1);
    clearListRows(超级列表框2);
    确定手动分配.setCaption("确认");
    删除表项.setCaption("取消");
    fillRoomList(rooms, true);
    selectedRoomId = 0;
    closeCurrentRecordSet();
}

void MainWindow::fillRoomList(int recordSet, bool tickEveryRow)
{
    for (recordMoveFirst(recordSet); !recordSetAtEnd(recordSet); recordMoveNext(recordSet)) {
        int row = insertListRow(超级列表框1, readField(recordSet, "宾馆名称").text());
        setListRowValue(超级列表框1, row, readField(recordSet, "房间id").number());
        if (tickEveryRow)
            setListRowChecked(超级列表框1, row, true);
        setListCellText(超级列表框1, row, 1, readField(recordSet, "房间编号").text());
        setListCellText(超级列表框1, row, 2, readField(recordSet, "房间类别").text());
        setListCellText(超级列表框1, row, 3, toText(readField(recordSet, "房间人数").number()));
        setListCellText(超级列表框1, row, 4, toText(readField(recordSet, "已住人数").number()));
        setListCellText(超级列表框1, row, 5, readField(recordSet, "性别").text());
    }
    closeRecordSet(recordSet);
}

void MainWindow::onRoomListSelect()
{
    const int row = 超级列表框1.currentRow();
    标签11.setCaption(listCellText(超级列表框1, row, 1));
    selectedRoomId = listRowValue(超级列表框1, row);
    树型框1.setCurrentItem(-1);
}

void MainWindow::onRoomConfirmOrAddClick()
{
    if (!manualAssignMode()) {
        addRoomBatch();
        return;
    }
    confirmPicks(超级列表框2, 超级列表框1, kRoomPlaces, &MainWindow::onRefreshUnassignedClick);
}

void MainWindow::addRoomBatch()
{
    const Text hotel = 编辑框8.content(), type = 编辑框9.content();
    const int beds = typedPlaceCount(编辑框12.content());
    if (hotel.empty() || type.empty() || beds == 0) {
        messageBox("请填全内容！", BoxOk, "");
        return;
    }
    const TextList numbers = batchNumbers(编辑框10.content(), 编辑框11.content(), 选择框2.checked(), kMaxBatch);
    if (numbers.empty()) {
        messageBox("房间编号有错误！", BoxOk, "");
        return;
    }
    // The rooms before an existing one are kept; a refused insert keeps none.
    Transaction unit(外部数据库1);
    Text existing;
    for (const Text& number : numbers) {
        int rs = querySql(外部数据库1, "select * from  房间信息  where 宾馆名称='" + sqlText(hotel)
                                           + "'  and   房间编号='" + number + "' and  会议编号=" + currentMeetingText());
        recordMoveFirst(rs);
        const bool exists = !recordSetAtEnd(rs);
        closeRecordSet(rs);
        if (exists) {
            existing = hotel + number;
            break;
        }
        execSql(外部数据库1, "insert  into  房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号)  values  ('"
                                 + sqlText(hotel) + "','" + number + "','" + sqlText(type) + "'," + toText(beds)
                                 + ",0,'无'," + currentMeetingText() + ")");
    }
    if (!unit.commit())
        messageBox("增加失败！", BoxOk, "");
    else if (!existing.empty())
        messageBox(existing + "房间已经存在！", BoxOk, "");
    else
        onRoomAdjustClick();
}

void MainWindow::onRoomCancelOrDeleteClick()
{
    if (!manualAssignMode()) {
        deleteTickedRooms();
        return;
    }
    // The cancelled delegate's bed is given back.
    dropPendingRow(超级列表框2, 超级列表框2.currentRow(), 超级列表框1, 4, 3, 5);
}

void MainWindow::deleteTickedRooms()
{
    std::vector<ShownPlace> ticked;
    for (int row = 0; row < listRowCount(超级列表框1); ++row)
        if (listRowChecked(超级列表框1, row))
            ticked.push_back({listRowValue(超级列表框1, row),
                              shownPlace(kRoomPlaces, listCellText(超级列表框1, row, 0), listCellText(超级列表框1, row, 1))});
    if (ticked.empty()) {
        messageBox("请先选中待删除的房间项！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前房间吗？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    const PlaceDeletion deletion = deletePlaces(外部数据库1, kRoomPlaces, currentMeetingId, ticked);
    if (!deletion.stored) {
        messageBox("删除失败！", BoxOk, "注意");
        return;
    }
    // The list shows what is stored now, rooms another desk made included.
    onRoomAdjustClick();
    tellGivenBack(givenBackLines(deletion.givenBack), "下列房间未能删除：");
    if (deletion.deleted > 0)
        messageBox("所选房间成功删除，请给对应的代表重新分配房间！", BoxOk, "注意");
}

void MainWindow::onRoomAdjustClick()
{
    clearTree(树型框1);
    int rooms = querySql(外部数据库1, "select * from 房间信息 where  会议编号=" + currentMeetingText()
                                          + "  order by 宾馆名称,房间人数,房间编号 ");
    clearListRows(超级列表框1);
    // The pending picks were counted on the list this one replaces: they
    // go with it, and none can be committed into a room deleted meanwhile.
    clearListRows(超级列表框2);
    超级列表框2.setVisible(false);
    分组框9.setVisible(true);
    确定手动分配.setCaption("增加");
    删除表项.setCaption("删除");
    fillRoomList(rooms, false);
    selectedRoomId = 0;
}

void MainWindow::onRoomClearAllClick() { clearAllPlaces(kRoomPlaces, &MainWindow::onRefreshUnassignedClick); }
