// Page 3: the meeting's banquet tables, batches of new tables, manual and
// automatic seating.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/batch_numbers.h"
#include "desk/pending_rows.h"
#include "desk/place_kinds.h"
#include "desk/placement_walks.h"

#include <vector>

namespace {

// More tables than this in one batch is a typing error.
constexpr size_t kMaxBatch = 10000;

Text allTablesQuery() { return "select * from 餐桌信息 where  会议编号=" + currentMeetingText() + "  order by 餐厅名称,餐桌编号 "; }
Text freeTablesQuery() { return "select * from 餐桌信息 where 已坐人数<可坐人数  and  会议编号=" + currentMeetingText(); }
Text unseatedQuery() { return "select * from 代表信息 where 会议编号=" + currentMeetingText() + " and 餐桌编号='0'  order  by 代表编号 "; }

struct FreeTable {
    int id, seats, seated;
    Text restaurant, number;
};

// The meeting's tables with a free seat, in the order the database gives
// them; false when the query fails.
bool readFreeTables(ExternalDatabase& database, std::vector<FreeTable>& tables)
{
    int rs = querySql(database, freeTablesQuery());
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        tables.push_back({readField(rs, "餐桌id").number(), readField(rs, "可坐人数").number(),
                          readField(rs, "已坐人数").number(), readField(rs, "餐厅名称").text(),
                          readField(rs, "餐桌编号").text()});
    closeRecordSet(rs);
    return rs != 0;
}

} // namespace

void MainWindow::wireTablePage()
{
    超级列表框3.setColumns({{"餐厅名称", 160}, {"餐桌编号", 120}, {"可坐人数", 100}, {"已坐人数", 100}});
    超级列表框4.setColumns({{"已选代表", 80}, {"对应餐厅", 80}, {"对应餐桌", 70}, {"已坐人数", 60}});
    分组框10.setVisible(false);
    超级列表框3.currentRowChanged = [this] { onTableListSelect(); };
    确定手动分配1.clicked = [this] { onDiningConfirmOrAddClick(); };
    删除表项1.clicked = [this] { onDiningCancelOrDeleteClick(); };
    手动分配1.clicked = [this] { onDiningRefreshPendingClick(); };
    自动分配1.clicked = [this] { autoAssignTables(); };
    餐桌调整.clicked = [this] { onTableAdjustClick(); };
    全部清空1.clicked = [this] { onDiningClearAllClick(); };
}

bool MainWindow::tableManualMode() const { return !分组框10.visible() && 超级列表框4.visible(); }

void MainWindow::onDiningRefreshPendingClick()
{
    if (!runDelegateQuery(unseatedQuery()))
        return;
    fillDelegateTree();
    int tables = querySql(外部数据库1, freeTablesQuery());
    分组框10.setVisible(false);
    超级列表框4.setVisible(true);
    clearListRows(超级列表框3);
    clearListRows(超级列表框4);
    fillTableList(tables);
    selectedTableId = 0;
    确定手动分配1.setCaption("确认");
    删除表项1.setCaption("取消");
}

void MainWindow::fillTableList(int recordSet)
{
    for (recordMoveFirst(recordSet); !recordSetAtEnd(recordSet); recordMoveNext(recordSet)) {
        int row = insertListRow(超级列表框3, readField(recordSet, "餐厅名称").text());
        setListRowValue(超级列表框3, row, readField(recordSet, "餐桌id").number());
        setListCellText(超级列表框3, row, 1, readField(recordSet, "餐桌编号").text());
        setListCellText(超级列表框3, row, 2, toText(readField(recordSet, "可坐人数").number()));
        setListCellText(超级列表框3, row, 3, toText(readField(recordSet, "已坐人数").number()));
    }
    closeRecordSet(recordSet);
}

void MainWindow::onTableListSelect()
{
    selectedTableId = listRowValue(超级列表框3, 超级列表框3.currentRow());
    树型框1.setCurrentItem(-1);
}

void MainWindow::onDiningConfirmOrAddClick()
{
    if (!tableManualMode()) {
        addTableBatch();
        return;
    }
    confirmPicks(超级列表框4, 超级列表框3, kTablePlaces, &MainWindow::onDiningRefreshPendingClick);
}

void MainWindow::addTableBatch()
{
    const Text restaurant = 编辑框17.content();
    const int seats = typedPlaceCount(编辑框14.content());
    if (restaurant.empty() || seats == 0) {
        messageBox("请填全内容！", BoxOk, "");
        return;
    }
    // A table's number is written without leading zeros ("07" is table 7).
    const TextList numbers =
        batchNumbers(withoutLeadingZeros(编辑框16.content()), 编辑框15.content(), false, kMaxBatch);
    if (numbers.empty()) {
        messageBox("餐桌编号有错误！", BoxOk, "");
        return;
    }
    // One unit: a refused insert keeps none of the batch. The existing
    // tables are reported once the batch is stored.
    Transaction unit(外部数据库1);
    TextList existing;
    for (const Text& number : numbers) {
        const Text table = number + "号桌";
        int rs = querySql(外部数据库1, "select * from  餐桌信息  where 餐厅名称='" + sqlText(restaurant)
                                           + "'  and   餐桌编号='" + table + "'and  会议编号=" + currentMeetingText());
        recordMoveFirst(rs);
        const bool exists = !recordSetAtEnd(rs);
        closeRecordSet(rs);
        if (exists) {
            existing.push_back(restaurant + number + "号桌已经存在！");
            continue;
        }
        execSql(外部数据库1, "insert  into  餐桌信息 (餐厅名称,餐桌编号,可坐人数,会议编号)  values  ('"
                                 + sqlText(restaurant) + "','" + table + "'," + toText(seats) + ","
                                 + currentMeetingText() + ")");
    }
    if (!unit.commit()) {
        messageBox("增加失败！", BoxOk, "");
        return;
    }
    for (const Text& message : existing)
        messageBox(message, BoxOk, "");
    onTableAdjustClick();
}

void MainWindow::onDiningCancelOrDeleteClick()
{
    if (tableManualMode()) {
        // The cancelled delegate's seat is given back.
        dropPendingRow(超级列表框4, 超级列表框4.currentRow(), 超级列表框3, 3, 3);
        return;
    }
    deleteSelectedTable();
}

void MainWindow::deleteSelectedTable()
{
    if (selectedTableId == 0) {
        messageBox("请先选中待删除的餐桌项！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前餐桌吗？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    const int row = 超级列表框3.currentRow();
    const PlaceDeletion deletion =
        deletePlaces(外部数据库1, kTablePlaces, currentMeetingId,
                     {{selectedTableId, shownPlace(kTablePlaces, listCellText(超级列表框3, row, 0),
                                                   listCellText(超级列表框3, row, 1))}});
    if (!deletion.stored)
        messageBox("删除失败！", BoxOk, "注意");
    else if (deletion.released > 0)
        messageBox("请给住该餐桌的代表重新分配餐桌！", BoxOk, "注意");
    else
        tellGivenBack(givenBackLines(deletion.givenBack), "下列餐桌未能删除：");
    clearListRows(超级列表框3);
    fillTableList(querySql(外部数据库1, allTablesQuery()));
    selectedTableId = 0;
}

void MainWindow::onTableAdjustClick()
{
    clearTree(树型框1);
    int tables = querySql(外部数据库1, allTablesQuery());
    clearListRows(超级列表框3);
    // The pending picks were counted on the list this one replaces.
    clearListRows(超级列表框4);
    超级列表框4.setVisible(false);
    分组框10.setVisible(true);
    确定手动分配1.setCaption("增加");
    删除表项1.setCaption("删除");
    fillTableList(tables);
    selectedTableId = 0;
}

void MainWindow::autoAssignTables()
{
    LongOperation bracket;
    closeCurrentRecordSet();
    分组框10.setVisible(false);
    超级列表框4.setVisible(true);
    // The run is one unit, taken before it reads: what another desk writes
    // meanwhile waits for it, and a failed placement undoes the ones before.
    Transaction unit(外部数据库1);
    currentRecordSet = querySql(外部数据库1, unseatedQuery());
    std::vector<int> delegates;
    for (recordMoveFirst(currentRecordSet); !recordSetAtEnd(currentRecordSet); recordMoveNext(currentRecordSet))
        delegates.push_back(readField(currentRecordSet, "代表id").number());
    std::vector<FreeTable> tables;
    const bool read = currentRecordSet != 0 && readFreeTables(外部数据库1, tables);
    std::vector<WalkTable> walked;
    for (const FreeTable& table : tables)
        walked.push_back({table.seats, table.seated});
    const TableWalk walk = walkTables(read ? static_cast<int>(delegates.size()) : 0, walked);
    for (const TablePlacement& p : walk.placements) {
        const FreeTable& table = tables[p.table];
        execSql(外部数据库1, "update 餐桌信息 set 已坐人数 =" + toText(p.seated) + "  where  餐桌id=" + toText(table.id));
        execSql(外部数据库1, "update 代表信息 set 餐厅名称 ='" + sqlText(table.restaurant) + "',餐桌编号='"
                                 + sqlText(table.number) + "'  where  代表id=" + toText(delegates[p.delegate]));
    }
    if (!unit.commit() || !read)
        messageBox("自动分配失败！", BoxOk, "");
    else if (!walk.tablesLeft)
        messageBox("餐桌不够分配！", BoxOk, "警示");
    closeCurrentRecordSet();
    onDiningRefreshPendingClick();
}

void MainWindow::onDiningClearAllClick() { clearAllPlaces(kTablePlaces, &MainWindow::onDiningRefreshPendingClick); }
