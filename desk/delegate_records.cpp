// Page 0: the delegate entry form with its photo, saving, deleting and
// renumbering the meeting's delegates.
#include "desk/main_window.h"
#include "state/globals.h"
#include "desk/delegate_saves.h"
#include "desk/name_spacing.h"
#include "desk/serial_number.h"

namespace {

Text photoDirectory() { return programDirectory() + "\\DATA\\"; }

// The meeting number, "会", the time and ".PIC"; a name already in the data
// directory gets a counter, so two photos chosen in one second never share
// a file.
Text newPhotoName()
{
    const Text stem = currentMeetingText() + "会" + dateTimeToText(now());
    Text name = stem + ".PIC";
    for (int n = 2; fileExists(photoDirectory() + name); ++n)
        name = stem + "_" + toText(n) + ".PIC";
    return name;
}

// A name of exactly two characters is stored spaced as the seat queue
// shows it; any other name as typed.
Text storedName(const Text& typed) { return isTwoCharacterName(typed) ? seatQueueName(typed) : typed; }

} // namespace

void MainWindow::wireDelegatePage()
{
    标签18.setVisible(false);
    编辑框13.setVisible(false);
    通用对话框1.kind = CommonDialog::FileOpen;
    图片框1.mouseDown = [this](int button) { onPhotoBoxMouseDown(button); };
    按钮5.clicked = [this] { onNewDelegateClick(); };
    按钮6.clicked = [this] { onDeleteDelegateClick(); };
    按钮7.clicked = [this] { onSaveDelegateClick(); };
    按钮1.clicked = [this] { onRefreshDelegatesClick(); };
    按钮2.clicked = [this] { onRenumberDelegatesClick(); };
    树型框1.selectionChanged = [this] { onDelegateTreeSelect(); };
}

void MainWindow::onPhotoBoxMouseDown(int button)
{
    if (button != LeftButton || !openCommonDialog(通用对话框1))
        return;
    // A folder, a file gone or unreadable, or an empty one is no photo: the
    // one shown stays.
    const Bytes picture = readFile(通用对话框1.fileName);
    if (picture.empty()) {
        messageBox("无法读取所选的照片文件！", BoxOk, "注意");
        return;
    }
    图片框1.setPicture(picture);
    pendingPhotoName = newPhotoName();
}

void MainWindow::showDelegateCard(int recordSet)
{
    编辑框1.setContent(readField(recordSet, "姓名").text());
    编辑框2.setContent(readField(recordSet, "单位").text());
    编辑框3.setContent(readField(recordSet, "职务").text());
    编辑框4.setContent(readField(recordSet, "手机号码").text());
    编辑框5.setContent(readField(recordSet, "办公电话").text());
    编辑框6.setContent(readField(recordSet, "代表编号").text());
    const Text photo = readField(recordSet, "照片").text();
    // A stored name is read only as a file of the data directory.
    图片框1.setPicture(isBareFileName(photo) ? readFile(photoDirectory() + photo) : Bytes());
    // The picture a pending choice was made for is no longer shown, so it
    // must not be saved with this delegate under that name.
    pendingPhotoName = "";
    标签5.setCaption(readField(recordSet, "宾馆名称").text() + readField(recordSet, "房间编号").text() + "房间");
    组合框1.setCurrentIndex(readField(recordSet, "性别").text() == "男" ? 0 : 1);
}

void MainWindow::onNewDelegateClick()
{
    图片框1.setPicture("");
    pendingPhotoName = "";
    编辑框1.setContent("");
    if (选择框1.checked()) {
        if (!编辑框6.content().empty())
            编辑框6.setContent(nextSerialNumber(编辑框6.content()));
    } else {
        编辑框2.setContent("");
        编辑框6.setContent("");
    }
    for (EditBox* box : {&编辑框3, &编辑框4, &编辑框5})
        box->setContent("");
    标签5.setCaption("");
    currentDelegateId = 0;
}

void MainWindow::onSaveDelegateClick()
{
    if (编辑框1.content().empty() || 编辑框2.content().empty() || 编辑框6.content().empty()) {
        messageBox("代表姓名、单位、代表编号为必填项目！", BoxOk, "警示");
        return;
    }
    for (EditBox* box : {&编辑框3, &编辑框4, &编辑框5})
        if (box->content().empty())
            box->setContent(" ");
    编辑框1.setContent(storedName(编辑框1.content()));
    DelegateEntry entry{currentDelegateId, 编辑框1.content(), 编辑框2.content(),
                        组合框1.currentIndex() == 0 ? "男" : "女", 编辑框3.content(), 编辑框4.content(),
                        编辑框5.content(), 编辑框6.content(), {}};

    // The photo is written first: a delegate never names a file that is not
    // there. When it cannot be written the delegate is saved without it.
    entry.photo = pendingPhotoName;
    if (!entry.photo.empty() && fileExists(photoDirectory() + entry.photo))
        entry.photo = newPhotoName();
    if (!entry.photo.empty() && !writeFile(photoDirectory() + entry.photo, 图片框1.picture()))
        entry.photo = "";

    const DelegateSave save = saveDelegate(外部数据库1, currentMeetingId, entry);
    标签13.setCaption(save.statement);
    if (save.outcome == DelegateSaved::Saved) {
        onNewDelegateClick();
        return;
    }
    if (!entry.photo.empty())
        deleteFile(photoDirectory() + entry.photo);
    // The form keeps what was typed, for another try.
    if (save.outcome == DelegateSaved::RoomOfOtherSex) {
        const Text other = entry.sex == "女" ? "男" : "女";
        messageBox(save.room + "还住着其他" + other + "代表，不能改为" + entry.sex + "！请先给该代表重新分配房间。", BoxOk,
                   "注意");
        return;
    }
    // An update that found no row: the delegate was deleted meanwhile (by
    // another desk), so a second try saves the form as a new one.
    if (save.outcome == DelegateSaved::Gone)
        currentDelegateId = 0;
    messageBox("保存失败！", BoxOk, "注意");
}

void MainWindow::onDeleteDelegateClick()
{
    if (currentDelegateId == 0) {
        messageBox("请先选中待删除的代表项！", BoxOk, "注意");
        return;
    }
    if (messageBox("真的要删除当前代表吗？\r\n删除的信息将不能恢复！", BoxOkCancel | IconExclamation, "警告")
        != AnswerOk)
        return;
    if (!deleteDelegate(currentDelegateId)) {
        messageBox("删除失败！", BoxOk, "注意");
        return;
    }
    onNewDelegateClick();
}

// The delegate leaves its room and its banquet table with the record: both
// counts go down by one, and a room left empty has no sex any more.
bool MainWindow::deleteDelegate(int delegateId)
{
    const Text id = toText(delegateId);
    // Read inside the unit: the room and the table another desk gave him
    // meanwhile are the ones he leaves.
    Transaction unit(外部数据库1);
    int rs = querySql(外部数据库1, "select * from 代表信息 where 代表id=" + id);
    recordMoveFirst(rs);
    const Text hotel = readField(rs, "宾馆名称").text(), room = readField(rs, "房间编号").text(),
               restaurant = readField(rs, "餐厅名称").text(), table = readField(rs, "餐桌编号").text();
    closeRecordSet(rs);
    execSql(外部数据库1, "delete  from 代表信息 where 代表id=" + id);
    if (room != "0" && !room.empty())
        execSql(外部数据库1, "update 房间信息 set 已住人数 =max(已住人数-1,0),性别=case when 已住人数<=1 then '无' else 性别 end"
                                 "  where  宾馆名称 ='" + sqlText(hotel) + "' and 房间编号='" + sqlText(room)
                                 + "'  and  会议编号=" + currentMeetingText());
    if (table != "0" && !table.empty())
        execSql(外部数据库1, "update 餐桌信息 set 已坐人数 =max(已坐人数-1,0)  where  餐厅名称 ='" + sqlText(restaurant)
                                 + "' and 餐桌编号='" + sqlText(table) + "'  and  会议编号=" + currentMeetingText());
    return unit.commit();
}

void MainWindow::onRefreshDelegatesClick() { onToolbarButtonClick(0); }

void MainWindow::onRenumberDelegatesClick()
{
    LongOperation bracket;
    if (!编辑框13.visible()
        || textLength(编辑框13.content()) < textLength(toText(treeItemCount(树型框1)))) {
        编辑框13.setVisible(true);
        标签18.setVisible(true);
        messageBox("编号长度必须不小于代表总人数！", BoxOk | IconInformation, "注意");
        return;
    }
    Text n = 编辑框13.content();
    Transaction unit(外部数据库1);
    int rs = querySql(外部数据库1, "select * from 代表信息  where  会议编号=" + currentMeetingText()
                                       + " order by 代表编号");
    for (recordMoveFirst(rs); !recordSetAtEnd(rs); recordMoveNext(rs)) {
        execSql(外部数据库1, "update 代表信息 set 代表编号='" + sqlText(n) + "'  where  代表id="
                                 + toText(readField(rs, "代表id").number()));
        n = nextSerialNumber(n);
    }
    closeRecordSet(rs);
    if (!unit.commit()) {
        // Nothing is renumbered; the start number stays for another try.
        messageBox("重新编号失败！", BoxOk, "注意");
        return;
    }
    messageBox("重新编号成功！", BoxOk | IconInformation, "成功");
    标签18.setVisible(false);
    编辑框13.setContent("");
    编辑框13.setVisible(false);
}
