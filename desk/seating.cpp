// Page 4: seating templates shared by all meetings and the meeting's five
// seating charts, stored as grid documents in 自制模板.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/seating_charts.h"

namespace {

// The text after the last "\" (the whole text without one).
Text afterLastBackslash(const Text& text)
{
    const int slash = findTextReverse(text, "\\");
    return slash < 0 ? text : midText(text, slash + 1, textLength(text));
}

} // namespace

void MainWindow::wireSeatingPage()
{
    大会座次模板.setPlaceholder("选择大会座次模板");
    大会座次表.setPlaceholder("选择大会座次表");
    大会座次模板.setVisible(false);
    增加模板.setDisabled(true);
    删除模板.setDisabled(true);
    分组框17.setDisabled(true);
    导入模板对话框.kind = CommonDialog::FileOpen;
    导入模板对话框.filter = "模板文件(*.grd)";
    导入模板对话框.fileName = "*.grd";
    导入模板对话框.defaultExtension = "grd";
    增删模板.clicked = [this] { onEditTemplatesToggle(); };
    增加模板.clicked = [this] { onAddTemplateClick(); };
    删除模板.clicked = [this] { onDeleteTemplateClick(); };
    大会座次模板.selectionChanged = [this] { onTemplateSelected(); };
    大会座次表.selectionChanged = [this] { onSeatingChartSelected(); };
    新建座次表.clicked = [this] { onNewSeatingChartClick(); };
    保存座次表.clicked = [this] { onSaveSeatingChartClick(); };
    删除座次表.clicked = [this] { onDeleteSeatingChartClick(); };
    删除表格.clicked = [this] { onDeleteChartCheckClick(); };
    表格1.mouseUp = [this](int button) { onSeatGridMouseUp(button); };
    修改标题.clicked = [this] { onSetChartTitleClick(); };
    打印预览.clicked = [this] { onChartPreviewClick(); };
}

void MainWindow::fillSharedTemplateCombo()
{
    大会座次模板.clearItems();
    int rs = querySql(外部数据库1, "select * from 自制模板 where 会议编号=0");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        大会座次模板.addItem(readField(rs, "模板名称").text(), readField(rs, "模板id").number());
    closeRecordSet(rs);
}

void MainWindow::fillSeatingChartSlots()
{
    大会座次表.clearItems();
    for (int k = 0; k < 5; ++k)
        大会座次表.addItem("", 0);
    int rs = querySql(外部数据库1, "select * from 自制模板  where  会议编号=" + currentMeetingText() + "  order by 表格次序");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs))
        大会座次表.setItem(readField(rs, "表格次序").number() - 1, readField(rs, "模板名称").text(),
                        readField(rs, "模板id").number());
    closeRecordSet(rs);
}

void MainWindow::onEditTemplatesToggle()
{
    const bool templates = 增删模板.checked(), locked = 数据锁定.checked();
    大会座次模板.setVisible(templates);
    大会座次表.setVisible(!templates);
    for (Unit* unit : std::initializer_list<Unit*>{&增加模板, &删除模板, &分组框17})
        unit->setDisabled(!templates);
    // A switch never releases what the data lock holds.
    for (Unit* unit : std::initializer_list<Unit*>{&删除表格, &新建座次表, &保存座次表})
        unit->setDisabled(templates || locked);
    删除座次表.setDisabled(true);
}

bool MainWindow::loadTemplateBytes(int templateId)
{
    openChartId_ = 0;
    int rs = querySql(外部数据库1, "select * from 自制模板 where 模板id=" + toText(templateId));
    recordMoveFirst(rs);
    // A document that does not load leaves nothing shown, never the last one.
    const bool loaded = !recordSetAtEnd(rs) && tableFromBytes(数据源1, readField(rs, "模板").bytes());
    if (!loaded)
        setTableSize(数据源1, 0, 0);
    closeRecordSet(rs);
    return loaded;
}

void MainWindow::onAddTemplateClick()
{
    导入模板对话框.initialDirectory = programDirectory();
    if (!openCommonDialog(导入模板对话框) || !loadGridFile(数据源1, 导入模板对话框.fileName))
        return;
    openChartId_ = 0;
    Text name = afterLastBackslash(导入模板对话框.fileName);
    if (const int dot = findText(name, "."); dot > 0)
        name = leftText(name, dot - 1);
    if (!execSql(外部数据库1, "insert into 自制模板  (模板名称,模板) values ('" + sqlText(name) + "',?)",
                 tableToBytes(数据源1)))
        return;
    messageBox("成功加入模板！", BoxOk | IconInformation, "成功");
    fillSharedTemplateCombo();
    表格1.setDisabled(true);
    导入模板对话框.fileName = "";
}

void MainWindow::onDeleteTemplateClick()
{
    if (大会座次模板.currentIndex() < 0)
        return;
    if (messageBox("真的删除当前会场模板吗？\r\n删除的模板将不能恢复！", BoxOkCancel | IconExclamation, "警告")
        != AnswerOk)
        return;
    execSql(外部数据库1, "delete from 自制模板 where 模板id=" + toText(大会座次模板.currentValue()));
    表格1.setDisabled(true);
    fillSharedTemplateCombo();
}

void MainWindow::onTemplateSelected()
{
    表格1.setDataSourceName("数据源1");
    const bool loaded = loadTemplateBytes(大会座次模板.currentValue());
    表格1.setDisabled(true);
    if (增删模板.checked())
        return;
    if (!loaded) {
        大会座次模板.setVisible(false);
        messageBox("样表已损坏，不能由它生成座次表！", BoxOk, "提示");
        return;
    }
    int slot = 0;
    for (int k = 1; k <= 5 && slot == 0; ++k)
        if (大会座次表.itemValue(k - 1) == 0)
            slot = k;
    if (slot == 0) {
        大会座次模板.setVisible(false);
        messageBox("最多只能加入5张座次表！" + toText(大会座次表.itemCount()), BoxOk | IconInformation, "提示");
        return;
    }
    Text name = "？日上午大会座次表";
    const bool named = inputBox("请输入新建大会座次表的名称", "保存", name);
    name = afterLastBackslash(name);
    if (!named || name.empty()) {
        大会座次模板.setVisible(false);
        return;
    }
    // "0" is what 会议信息 holds for a free slot.
    if (name == "0") {
        大会座次模板.setVisible(false);
        messageBox("座次表不能命名为“0”，请换一个名称！", BoxOk, "提示");
        return;
    }
    表格1.setDisabled(false);
    if (!storeNewChart(外部数据库1, currentMeetingId, slot, name, tableToBytes(数据源1))) {
        messageBox("由样表生成座次表失败！", BoxOk | IconInformation, "失败");
        return;
    }
    messageBox("成功由样表生成座次表！", BoxOk | IconInformation, "成功");
    fillSeatingChartSlots();
    表格1.setDisabled(false);
    大会座次模板.setVisible(false);
}

void MainWindow::onNewSeatingChartClick()
{
    大会座次模板.setVisible(true);
    分组框17.setVisible(true);
    分组框16.setVisible(true);
    messageBox("请选择样表", BoxOk, "");
}

void MainWindow::onSeatingChartSelected()
{
    seatPickupName = "";
    seatPickupDelegateId = "";
    const int chart = 大会座次表.currentValue();
    if (chart == 0) {
        表格1.setDisabled(true);
        clearTree(树型框1);
        return;
    }
    表格1.setDataSourceName("数据源1");
    if (loadTemplateBytes(chart)) {
        openChartId_ = chart;
        vacateSeatsOfNoDelegate();
    }
    大会座次模板.setVisible(false);
    表格1.setDisabled(false);
    列表框2.clearItems();
    if (runDelegateQuery("select * from 代表信息 where 会议编号=" + currentMeetingText() + " and  表"
                         + toText(大会座次表.currentIndex() + 1) + "='0'  order  by  代表编号 "))
        fillDelegateTree();
}

Text MainWindow::seatLabel(int row, int column)
{
    return cellText(数据源1, row, headerColumnCount(数据源1)) + cellText(数据源1, headerRowCount(数据源1), column)
         + "列";
}

void MainWindow::onSaveSeatingChartClick()
{
    const int chart = 大会座次表.currentValue();
    if (大会座次表.currentIndex() < 0 || chart == 0)
        return;
    // Only the chart that was opened is written back into its slot: after
    // a template or the table cards were shown the document is another one.
    if (chart != openChartId_) {
        messageBox("保存文件失败！", BoxOk | IconInformation, "失败");
        return;
    }
    // The chart never disagrees with its delegates' seats.
    std::vector<ChartSeat> seats;
    for (int row = headerRowCount(数据源1) + 1; row <= tableRowCount(数据源1); ++row)
        for (int column = headerColumnCount(数据源1) + 1; column <= tableColumnCount(数据源1); ++column) {
            const Text face = cellFontName(数据源1, row, column);
            if (!cellText(数据源1, row, column).empty() && isSeatFace(face))
                seats.push_back({face, seatLabel(row, column)});
        }
    const bool stored = storeSeatingChart(外部数据库1, currentMeetingId, chart, 大会座次表.currentIndex() + 1,
                                          tableToBytes(数据源1), seats);
    messageBox(stored ? "保存文件成功！" : "保存文件失败！", BoxOk | IconInformation, stored ? "成功" : "失败");
    messageBox(stored ? "座次分配到个人成功！" : "座次分配到个人失败！", BoxOk | IconInformation, stored ? "成功" : "失败");
}

void MainWindow::onDeleteSeatingChartClick()
{
    if (大会座次表.currentIndex() < 0)
        return;
    if (messageBox("真的删除当前大会座次表吗？\r\n删除的座次表将不能恢复！", BoxOkCancel | IconExclamation, "警告")
        != AnswerOk)
        return;
    const Text k = toText(大会座次表.currentIndex() + 1);
    const int chart = 大会座次表.currentValue();
    Transaction unit(外部数据库1);
    execSql(外部数据库1, "delete from 自制模板 where 模板id=" + toText(chart));
    execSql(外部数据库1, "update 代表信息 set 表" + k + "='0'   where  会议编号=" + currentMeetingText());
    execSql(外部数据库1, "update 会议信息 set 表" + k + "='0'   where  会议编号=" + currentMeetingText());
    // A refused delete leaves the chart stored: it stays listed and open.
    if (!unit.commit()) {
        messageBox("删除失败！", BoxOk | IconInformation, "失败");
        return;
    }
    if (chart == openChartId_)
        openChartId_ = 0;
    表格1.setDisabled(true);
    fillSeatingChartSlots();
}

void MainWindow::onDeleteChartCheckClick() { 删除座次表.setDisabled(!删除表格.checked()); }
