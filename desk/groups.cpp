// Page 2: the meeting's discussion groups and their members.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/group_members.h"
#include "desk/place_kinds.h"

#include <algorithm>

void MainWindow::wireGroupPage()
{
    会议组.setImages(loadNumberedPictures("group", 3));
    当前组代表.setColumns({{"姓 名", 100}, {"单 位", 150}, {"职 务", 280}});
    会议组.currentRowChanged = [this] { onGroupListSelect(); };
    单选框4.clicked = [this] { onGroupInfoRadioClick(); };
    单选框5.clicked = [this] { onGroupMembersRadioClick(); };
    新建会议组.clicked = [this] { onNewGroupClick(); };
    保存会议组.clicked = [this] { onSaveGroupClick(); };
    删除会议组.clicked = [this] { onDeleteGroupClick(); };
    保存分组代表.clicked = [this] { onSaveGroupMembersClick(); };
}

void MainWindow::fillGroupList()
{
    clearListRows(会议组);
    int rs = querySql(外部数据库1, "select * from 会议分组 where  会议编号=" + currentMeetingText());
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        int row = insertListRow(会议组, readField(rs, "分组名称").text());
        setListRowImage(会议组, row, 2);
        setListRowValue(会议组, row, readField(rs, "分组id").number());
    }
    closeRecordSet(rs);
    currentGroupId = 0;
}

// The form comes back empty from the member page, so it stands for a new
// group: a group picked there must not be overwritten or deleted by it.
void MainWindow::onGroupInfoRadioClick()
{
    会议组选择夹.setCurrentPage(0);
    clearListRows(当前组代表);
    会议组.setCurrentRow(-1);
    currentGroupId = 0;
}

void MainWindow::onGroupMembersRadioClick()
{
    会议组选择夹.setCurrentPage(1);
    onNewGroupClick();
}

void MainWindow::onNewGroupClick()
{
    currentGroupId = 0;
    分组名称.setContent("");
    if (!分组复写.checked()) {
        分组地点.setContent("");
        分组时间.setContent("");
    }
    召集人.setContent("");
    联络员.setContent("");
}

void MainWindow::onSaveGroupClick()
{
    if (分组名称.content().empty() || 分组地点.content().empty() || 分组时间.content().empty()) {
        messageBox("会议组名称、会议地点、日期为必填项目！", BoxOk, "警示");
        return;
    }
    for (EditBox* box : {&召集人, &联络员})
        if (box->content().empty())
            box->setContent(" ");
    const Text name = sqlText(分组名称.content()), place = sqlText(分组地点.content()),
               time = sqlText(分组时间.content()), convener = sqlText(召集人.content()),
               liaison = sqlText(联络员.content());
    // A refused statement leaves the form as it is, for another try.
    if (currentGroupId == 0) {
        if (!execSql(外部数据库1, "insert  into 会议分组 (分组名称,分组地点,分组时间,召集人,联络员,会议编号) values ('"
                                     + name + "','" + place + "','" + time + "','" + convener + "','" + liaison
                                     + "'," + currentMeetingText() + ")")) {
            messageBox("保存失败！", BoxOk, "注意");
            return;
        }
        messageBox("成功增加会议组！", BoxOk, "注意");
        fillGroupList();
        onNewGroupClick();
        return;
    }
    if (!execSql(外部数据库1, "update 会议分组 set 分组名称='" + name + "',分组地点='" + place + "',分组时间='"
                                 + time + "',召集人='" + convener + "',联络员='" + liaison + "'   where  分组id="
                                 + toText(currentGroupId))) {
        messageBox("保存失败！", BoxOk, "注意");
        return;
    }
    messageBox("成功修改会议组信息！", BoxOk, "注意");
    fillGroupList();
    onNewGroupClick();
    currentGroupId = 0;
}

void MainWindow::onDeleteGroupClick()
{
    if (currentGroupId == 0) {
        messageBox("请先选中待删除的会议组项！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前会议组吗？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation, "警告")
        != AnswerOk)
        return;
    // The members are released with the group, or the group stays.
    const Text g = toText(currentGroupId);
    Transaction unit(外部数据库1);
    execSql(外部数据库1, "delete  from 会议分组 where 分组id=" + g);
    execSql(外部数据库1, "update 代表信息 set 分组编号=0  where  分组编号=" + g);
    if (!unit.commit()) {
        messageBox("删除失败！", BoxOk, "注意");
        return;
    }
    messageBox("成功删除会议组！", BoxOk, "注意");
    onNewGroupClick();
    fillGroupList();
}

void MainWindow::onGroupListSelect()
{
    currentGroupId = listRowValue(会议组, 会议组.currentRow());
    if (currentGroupId == 0)
        return;
    if (会议组选择夹.currentPage() == 1) {
        loadGroupMembers();
        return;
    }
    int rs = querySql(外部数据库1, "select * from 会议分组 where 分组id=" + toText(currentGroupId));
    recordMoveFirst(rs);
    if (!recordSetAtEnd(rs)) {
        分组名称.setContent(readField(rs, "分组名称").text());
        分组地点.setContent(readField(rs, "分组地点").text());
        分组时间.setContent(readField(rs, "分组时间").text());
        召集人.setContent(readField(rs, "召集人").text());
        联络员.setContent(readField(rs, "联络员").text());
    }
    closeRecordSet(rs);
}

void MainWindow::loadGroupMembers()
{
    clearListRows(当前组代表);
    int rs = querySql(外部数据库1, "select * from 代表信息 where 分组编号=" + toText(currentGroupId)
                                       + " or 分组编号=0  and 会议编号=" + currentMeetingText()
                                       + " order by 代表编号");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        int row = insertListRow(当前组代表, readField(rs, "姓名").text());
        setListRowValue(当前组代表, row, readField(rs, "代表id").number());
        setListRowChecked(当前组代表, row, readField(rs, "分组编号").number() != 0);
        setListCellText(当前组代表, row, 1, readField(rs, "单位").text());
        setListCellText(当前组代表, row, 2, readField(rs, "职务").text());
    }
    closeRecordSet(rs);
}

void MainWindow::onSaveGroupMembersClick()
{
    if (currentGroupId == 0)
        return;
    if (listRowCount(当前组代表) == 0) {
        currentGroupId = 0;
        return;
    }
    std::vector<GroupMember> members;
    for (int row = 0; row < listRowCount(当前组代表); ++row)
        members.push_back({listRowValue(当前组代表, row), listRowChecked(当前组代表, row)});
    const GroupMembersStored result = storeGroupMembers(外部数据库1, currentGroupId, members);
    if (!result.stored) {
        // The ticks and the group stay for another try.
        messageBox("保存失败！", BoxOk, "注意");
        return;
    }
    TextList elsewhere;
    for (int row = 0; row < listRowCount(当前组代表); ++row)
        if (std::find(result.groupedElsewhere.begin(), result.groupedElsewhere.end(), members[row].delegate)
            != result.groupedElsewhere.end())
            elsewhere.push_back(listCellText(当前组代表, row, 0));
    tellGivenBack(elsewhere, "下列代表已被分到其他组，未加入本组：");
    messageBox("成功保存会议组！", BoxOk, "注意");
    currentGroupId = 0;
}
