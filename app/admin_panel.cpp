// The administration panel of the login window: meetings and operators.
#include "app/login_window.h"
#include "state/globals.h"
#include "desk/main_window.h"

namespace {

int currentRowValue(const ListView& list) { return listRowValue(list, list.currentRow()); }

} // namespace

void LoginWindow::wireAdministrationPanel()
{
    超级列表框1.setColumns({{"会议名称", 120}, {"会议日期", 100}, {"会议地点", 120}});
    超级列表框2.setColumns({{"用户名", 120}, {"密　码", 100}, {"会议名称", 120}});
    // Five-character captions in the editor's narrow label columns.
    for (Label* label : {&标签1, &标签2, &标签5, &标签6, &标签8})
        label->setFont({"", 8});
    标签17.setVisible(false);
    标签18.setVisible(false);
    分组框1.setVisible(false);
    超级列表框1.currentRowChanged = [this] { onMeetingListSelect(); };
    超级列表框1.rightButtonUp = [this] { onToggleMeetingEditor(); };
    超级列表框2.currentRowChanged = [this] { onUserListSelect(); };
    标签17.mouseDown = [this](int button) { onMeetingListLabelClick(button); };
    标签18.mouseDown = [this](int button) { onUserListLabelClick(button); };
    新建.clicked = [this] { onNewMeetingClick(); };
    保存.clicked = [this] { onSaveMeetingClick(); };
    删除.clicked = [this] { onDeleteMeetingClick(); };
    保存1.clicked = [this] { onSaveUserClick(); };
    删除1.clicked = [this] { onDeleteUserClick(); };
}

void LoginWindow::fillOperatorList()
{
    int rs = querySql(外部数据库1, "select * from 密码信息 where 权限='操作员'");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        int row = insertListRow(超级列表框2, readField(rs, "用户名").text());
        setListRowValue(超级列表框2, row, readField(rs, "用户id").number());
        setListCellText(超级列表框2, row, 1, readField(rs, "密码").text());
        setListCellText(超级列表框2, row, 2, readField(rs, "会议名称").text());
    }
    closeRecordSet(rs);
}

void LoginWindow::fillMeetingList()
{
    clearListRows(超级列表框1);
    会议选择列表框.clearItems();
    int rs = querySql(外部数据库1, "select * from 会议信息 order by 会议日期");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        const Text name = readField(rs, "会议名称").text();
        const int id = readField(rs, "会议编号").number();
        int row = insertListRow(超级列表框1, name);
        setListRowValue(超级列表框1, row, id);
        setListCellText(超级列表框1, row, 1, readField(rs, "会议日期").text());
        setListCellText(超级列表框1, row, 2, readField(rs, "会议地点").text());
        会议选择列表框.addItem(name, id);
    }
    closeRecordSet(rs);
}

void LoginWindow::onMeetingListSelect()
{
    selectedMeetingId = currentRowValue(超级列表框1);
    if (selectedMeetingId == 0)
        return;
    if (分组框1.visible()) {
        meetingEditRecordSet = querySql(外部数据库1, "select * from 会议信息 where 会议编号="
                                                        + toText(selectedMeetingId));
        // A meeting that is gone must not be updated by the next save.
        if (!showMeetingRecord(meetingEditRecordSet))
            selectedMeetingId = 0;
        closeRecordSet(meetingEditRecordSet);
        meetingEditRecordSet = 0;
        return;
    }
    currentMeetingId = selectedMeetingId;
    currentMeetingName = listCellText(超级列表框1, 超级列表框1.currentRow(), 0);
    loadWindow<MainWindow>(nullptr, false);
    closeWindow(*this);
}

bool LoginWindow::showMeetingRecord(int recordSet)
{
    if (recordSetAtEnd(recordSet))
        return false;
    会议名称.setContent(readField(recordSet, "会议名称").text());
    会议地点.setContent(readField(recordSet, "会议地点").text());
    主办单位.setContent(readField(recordSet, "主办单位").text());
    承办单位.setContent(readField(recordSet, "承办单位").text());
    会议日期.setContent(readField(recordSet, "会议日期").text());
    会议指南.setContent(readField(recordSet, "会议指南").text());
    return true;
}

void LoginWindow::onToggleMeetingEditor()
{
    const bool show = !分组框1.visible();
    分组框1.setVisible(show);
    选择夹1.setHeight(show ? 455 : 183);
    标签17.setVisible(show);
    标签18.setVisible(show);
    setPanelHeight(show ? 560 : 300);
}

void LoginWindow::onMeetingListLabelClick(int button)
{
    if (button == LeftButton)
        选择夹1.setCurrentPage(1);
}

void LoginWindow::onUserListLabelClick(int button)
{
    if (button != LeftButton)
        return;
    选择夹1.setCurrentPage(0);
    selectedMeetingId = 0;
}

void LoginWindow::onNewMeetingClick()
{
    selectedMeetingId = 0;
    for (EditBox* box : {&会议名称, &会议地点, &主办单位, &承办单位, &会议日期, &会议指南})
        box->setContent("");
}

void LoginWindow::onSaveMeetingClick()
{
    if (会议名称.content().empty() || 会议地点.content().empty() || 会议日期.content().empty()) {
        messageBox("会议名称、地点、日期为必填项目！", BoxOk, "警示");
        return;
    }
    for (EditBox* box : {&主办单位, &承办单位, &会议指南})
        if (box->content().empty())
            box->setContent(" ");
    const Text name = sqlText(会议名称.content()), place = sqlText(会议地点.content()),
               host = sqlText(主办单位.content()), organiser = sqlText(承办单位.content()),
               date = sqlText(会议日期.content()), guide = sqlText(会议指南.content());
    if (selectedMeetingId == 0) {
        if (!execSql(外部数据库1, "insert  into 会议信息 (会议名称,会议地点,主办单位,承办单位,会议日期,会议指南) values ('"
                                     + name + "','" + place + "','" + host + "','" + organiser
                                     + "','" + date + "','" + guide + "')")) {
            messageBox("保存失败！", BoxOk, "注意");   // the editor keeps its contents
            return;
        }
        messageBox("成功增加会议信息！", BoxOk, "注意");
    } else {
        // The operators' copy of the name changes with the meeting or not at all.
        const Text id = toText(selectedMeetingId);
        Transaction unit(外部数据库1);
        execSql(外部数据库1, "update 会议信息 set 会议名称='" + name + "',会议地点='" + place + "',主办单位='" + host
                                 + "',承办单位='" + organiser + "',会议日期='" + date + "',会议指南='" + guide
                                 + "'   where  会议编号=" + id);
        execSql(外部数据库1, "update 密码信息 set 会议名称='" + name + "'  where  会议编号=" + id);
        if (!unit.commit()) {
            messageBox("保存失败！", BoxOk, "注意");
            return;
        }
        messageBox("成功修改会议信息！", BoxOk, "注意");
    }
    fillMeetingList();
    onNewMeetingClick();
}

void LoginWindow::onDeleteMeetingClick()
{
    const int m = currentRowValue(超级列表框1);
    if (m == 0) {
        messageBox("请先选中待删除的会议！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前会议的全部照料吗？\r\n删除的信息将不能恢复！",
                   BoxOkCancel | IconExclamation, "严重警告") != AnswerOk)
        return;
    const Text id = toText(m);
    struct Step {
        Text statement;
        Text success;
    };
    // Administrator accounts are never deleted with a meeting: nothing can
    // create one again.
    const Step steps[] = {
        {"delete  from 会议信息 where 会议编号=" + id, "成功删除会议信息！"},
        {"delete  from 代表信息 where 会议编号=" + id, "成功删除代表信息！"},
        {"delete  from 房间信息 where 会议编号=" + id, "成功删除房间信息！"},
        {"delete  from 餐桌信息 where 会议编号=" + id, "成功删除餐桌信息！"},
        {"delete  from 密码信息 where 会议编号=" + id + " and (权限 is null or 权限<>'管理员')", "成功删除用户信息！"},
        {"delete  from 自制模板 where 会议编号=" + id, "成功删除模板信息！"},
    };
    // All of the meeting goes, or nothing of it; its photos only once its
    // rows are gone for good. The meeting's groups go too, so none can
    // reappear under a reused number.
    Transaction unit(外部数据库1);
    for (const Step& step : steps)
        execSql(外部数据库1, step.statement);
    execSql(外部数据库1, "delete  from 会议分组 where 会议编号=" + id);
    if (unit.commit()) {
        for (const Step& step : steps)
            messageBox(step.success, BoxOk, "注意");
        deleteMeetingPhotos(m);
    } else {
        messageBox("删除会议失败！", BoxOk, "注意");
    }
    fillMeetingList();
    onNewMeetingClick();
}

void LoginWindow::deleteMeetingPhotos(int meeting)
{
    const Text dir = programDirectory() + "\\data\\";
    TextList names;
    for (Text name = findFile(dir + toText(meeting) + "会*.PIC"); !name.empty(); name = findNextFile())
        names.push_back(name);
    endFileSearch();
    for (const Text& name : names)
        deleteFile(dir + name);
}

void LoginWindow::onSaveUserClick()
{
    const Text name = 用户名1.content(), password = 密码1.content();
    // A meeting counts only as a chosen item of the list.
    if (name.empty() || password.empty() || 会议选择列表框.currentIndex() < 0
        || 会议选择列表框.currentText().empty()) {
        messageBox("用户名、密码、会议为必填项目！", BoxOk, "警示");
        return;
    }
    int rs = querySql(外部数据库1, "select * from 密码信息 where 用户名='" + sqlText(name)
                                       + "' and  密码='" + sqlText(password) + "'");
    recordMoveFirst(rs);
    const bool exists = !recordSetAtEnd(rs);
    closeRecordSet(rs);
    if (exists) {
        messageBox("该用户已经存在！", BoxOk, "警示");
        return;
    }
    const Text meetingName = 会议选择列表框.currentText();
    const int meeting = 会议选择列表框.currentValue();
    if (!execSql(外部数据库1, "insert  into 密码信息 (权限,用户名,密码,会议名称,会议编号) values ('操作员','"
                                 + sqlText(name) + "','" + sqlText(password) + "','"
                                 + sqlText(meetingName) + "'," + toText(meeting) + ")")) {
        messageBox("添加用户失败！", BoxOk, "注意");
        return;
    }
    messageBox("成功增加用户信息！", BoxOk, "注意");
    clearListRows(超级列表框2);
    fillOperatorList();
    用户名1.setContent("");
    密码1.setContent("");
    会议选择列表框.setCurrentIndex(-1);
}

void LoginWindow::onDeleteUserClick()
{
    const int user = currentRowValue(超级列表框2);
    if (user == 0) {
        messageBox("请先选中待删除的用户项！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前用户吗？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation,
                   "警告") != AnswerOk)
        return;
    if (!execSql(外部数据库1, "delete  from 密码信息 where 用户id=" + toText(user)))
        return;
    messageBox("成功删除用户信息！", BoxOk, "注意");
    clearListRows(超级列表框2);
    fillOperatorList();
}

// Choosing a row needs nothing more than the selection itself.
void LoginWindow::onUserListSelect() {}
