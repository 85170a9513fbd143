// The delegate form: saving with its stored forms, photos, deleting and
// renumbering.
#include "desk/serial_number.h"
#include "common/internal/qt_objects.h"
#include "tests/desk/desk_fixture.h"
#include "tests/support/shown_pictures.h"
#include "tests/support/test_pictures.h"

#include <QDir>
#include <QTest>
#include <QRegularExpression>

namespace {

TEST(SerialNumber, KeepsTheWidthWithLeadingZeros)
{
    const std::pair<Text, Text> cases[] = {
        {"0801", "0802"}, {"009", "010"}, {"099", "100"}, {"99", "100"}, {"7", "8"}, {"", "1"},
        {"A1", "01"}, {"-3", "-2"}, {"0099", "0100"}, {"999", "1000"},
        // Beyond the exact range of a double: every digit counts.
        {"110101199003071234", "110101199003071235"}, {"9007199254740993", "9007199254740994"},
        {"999999999999999999", "1000000000000000000"}, {"000000000000000000000009", "000000000000000000000010"}};
    for (const auto& [text, next] : cases)
        EXPECT_TEXT_EQ(next, nextSerialNumber(text)) << text;
}

class DelegateRecordsTest : public DeskTest {
protected:
    // The delegate page as a person opens it: the lock released, then the
    // page's tool button.
    MainWindow& openForm()
    {
        MainWindow& w = openUnlocked();
        pressToolButton(w.工具条1, 0);
        return w;
    }
    void fillForm(const Text& name, const Text& unit, const Text& number)
    {
        window->编辑框1.setContent(name);
        window->编辑框2.setContent(unit);
        window->编辑框6.setContent(number);
    }
    void choosePhoto(const Bytes& bytes)
    {
        const Text file = programDirectory() + "\\chosen.jpg";
        writeFile(file, bytes);
        person.answerFile(true, file);
        pressMouse(window->图片框1);
    }
    TextList photos() { return rows("select * from 代表信息 where 会议编号=1 order by 代表id", {"姓名", "照片"}); }
    QStringList dataFiles() { return QDir(directory.file("data")).entryList(QDir::Files, QDir::Name); }
};

TEST_F(DelegateRecordsTest, SavingStoresTheFormsOfItsValues)
{
    MainWindow& w = openForm();
    person.answerMessage(AnswerOk);
    fillForm("张三", "", "001");
    click(w.按钮7);
    EXPECT_EQ(messageTexts(), TextList{"代表姓名、单位、代表编号为必填项目！|警示"});

    struct Case {
        Text typed, stored;
        int sex;
    } cases[] = {{" 张三 ", "张　三", 0}, {"欧阳明", "欧阳明", 1}, {"李 四", "李 四", 0}, {"   ", "   ", 1},
                 {"a张b", "a张b", 0}};   // four bytes, but not two characters
    for (const Case& c : cases) {
        fillForm(c.typed, "O'Reilly 单位", "00" + toText(c.sex));
        chooseComboItem(w.组合框1, c.sex);
        click(w.按钮7);
        EXPECT_TEXT_EQ("", w.编辑框1.content());   // cleared for the next
    }
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表id", {"姓名", "单位", "性别", "职务", "手机号码", "办公电话", "会议编号"}),
              (TextList{"张　三|O'Reilly 单位|男| | | |1", "欧阳明|O'Reilly 单位|女| | | |1",
                        "李 四|O'Reilly 单位|男| | | |1", "   |O'Reilly 单位|女| | | |1",
                        "a张b|O'Reilly 单位|男| | | |1"}));
    EXPECT_NE(findText(w.标签13.caption(), "insert  into 代表信息 (姓名,"), -1);

    click(w.选择框1);   // 复写 ticked
    fillForm("王五", "单位甲", "009");
    click(w.按钮5);
    EXPECT_TEXT_EQ("010", w.编辑框6.content());
    EXPECT_TEXT_EQ("单位甲", w.编辑框2.content());
    click(w.选择框1);
    click(w.按钮5);
    EXPECT_TEXT_EQ("", w.编辑框2.content());
}

TEST_F(DelegateRecordsTest, AVeryLongOrganisationRoundTripsThroughTheForm)
{
    Text unit;
    for (int i = 0; i < 100000; ++i)
        unit += i % 2 ? "位" : "单";
    MainWindow& w = openForm();
    fillForm("欧阳明", unit, "001");
    click(w.按钮7);
    // Compared whole, reported by length: the texts are 200,000 bytes.
    EXPECT_TRUE(rows("select * from 代表信息 where 会议编号=1", {"单位"}) == TextList{unit});
    pressToolButton(w.工具条1, 0);
    clickTreeItem(w.树型框1, 1);
    EXPECT_TRUE(w.编辑框2.content() == unit) << textLength(w.编辑框2.content());
    w.编辑框3.setContent("处长");
    click(w.按钮7);   // saved again from what the box shows
    EXPECT_TRUE(rows("select * from 代表信息 where 会议编号=1", {"单位", "职务"}) == TextList{unit + "|处长"});
}

TEST_F(DelegateRecordsTest, PhotosGetNamesOfTheirOwnAndAreWrittenWithTheSave)
{
    MainWindow& w = openForm();
    choosePhoto("first picture");
    fillForm("甲一", "单位", "001");
    click(w.按钮7);
    choosePhoto("second picture");   // within the same second, most likely
    fillForm("乙二", "单位", "002");
    click(w.按钮7);
    TextList stored = photos();
    ASSERT_EQ(stored.size(), 2u);
    const Text first = rightText(stored[0], textLength(stored[0]) - 7);   // after "甲　一|"
    const Text second = rightText(stored[1], textLength(stored[1]) - 7);
    EXPECT_NE(first, second);
    QRegularExpression pattern(QStringLiteral("^1会\\d{14}(_\\d+)?\\.PIC$"));
    EXPECT_TRUE(pattern.match(QString::fromStdString(gbkToUtf8(first))).hasMatch()) << gbkToUtf8(first);
    EXPECT_EQ(readFile(programDirectory() + "\\DATA\\" + first), "first picture");
    EXPECT_EQ(readFile(programDirectory() + "\\DATA\\" + second), "second picture");

    // Shown again and saved without a new choice: the photo stays.
    pressToolButton(w.工具条1, 0);
    clickTreeItem(w.树型框1, 1);
    EXPECT_EQ(w.图片框1.picture(), "first picture");
    w.编辑框3.setContent("处长");
    click(w.按钮7);
    EXPECT_EQ(photos()[0], stored[0]);
}

// A passport photo (413 x 579) in a box of 172 x 216: scaled to 154 x 216 and
// centred, so its top, its bottom and both its sides show.
TEST_F(DelegateRecordsTest, AChosenPhotoShowsWholeAndIsSavedAsChosen)
{
    MainWindow& w = openForm();
    const Bytes photo = bandedPicture({413, 579}, {Qt::red, Qt::green, Qt::green, Qt::blue});
    choosePhoto(photo);
    const QImage shown = QtObjects::widget(w.图片框1)->grab().toImage();
    const std::pair<QPoint, QColor> expected[] = {{{86, 3}, Qt::red},    {{86, 213}, Qt::blue},
                                                  {{11, 108}, Qt::green}, {{160, 108}, Qt::green}};
    for (const auto& [at, colour] : expected)
        EXPECT_EQ(shown.pixelColor(at), QColor(colour)) << at.x() << "," << at.y();
    for (const QPoint at : {QPoint(5, 108), QPoint(167, 108)})
        EXPECT_NE(shown.pixelColor(at), QColor(Qt::green)) << at.x() << "," << at.y();

    fillForm("甲一", "单位", "001");
    click(w.按钮7);
    const TextList stored = photos();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(readFile(programDirectory() + "\\DATA\\" + rightText(stored[0], textLength(stored[0]) - 7)), photo);
}

TEST_F(DelegateRecordsTest, APhotoChosenBeforeAnotherDelegateIsShownIsDropped)
{
    addDelegate("甲", "张三", "男", "001");
    MainWindow& w = openForm();
    choosePhoto("meant for someone new");
    clickTreeItem(w.树型框1, 1);
    click(w.按钮7);
    EXPECT_EQ(photos(), TextList{"张　三|"});   // saved in its stored form
    EXPECT_TRUE(dataFiles().isEmpty());
}

TEST_F(DelegateRecordsTest, AChosenPhotoThatCannotBeReadKeepsTheOneShown)
{
    writeFile(programDirectory() + "\\DATA\\1会old.PIC", "old picture");
    exec("insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号,照片) values ('欧阳明','甲','男','001',1,'1会old.PIC')");
    writeFile(programDirectory() + "\\empty.jpg", "");
    MainWindow& w = openForm();
    clickTreeItem(w.树型框1, 1);
    for (const Text& chosen : {programDirectory() + "\\DATA", programDirectory() + "\\gone.jpg",
                               programDirectory() + "\\empty.jpg"}) {
        person.answerFile(true, chosen).answerMessage(AnswerOk);
        pressMouse(w.图片框1);
        EXPECT_TEXT_EQ("无法读取所选的照片文件！|注意", lastMessage()) << gbkToUtf8(chosen);
        EXPECT_EQ(w.图片框1.picture(), "old picture");
    }
    w.编辑框3.setContent("处长");
    click(w.按钮7);
    EXPECT_EQ(photos(), TextList{"欧阳明|1会old.PIC"});
    EXPECT_EQ(dataFiles(), QStringList{QString::fromStdString(gbkToUtf8("1会old.PIC"))});

    // A photo that can be read replaces the stored name; the old file stays.
    clickTreeItem(w.树型框1, 0);
    clickTreeItem(w.树型框1, 1);
    choosePhoto("new picture");
    click(w.按钮7);
    const Text stored = photos().at(0);
    ASSERT_NE(stored, "欧阳明|1会old.PIC");
    EXPECT_EQ(readFile(programDirectory() + "\\DATA\\" + rightText(stored, textLength(stored) - 7)), "new picture");
    EXPECT_EQ(readFile(programDirectory() + "\\DATA\\1会old.PIC"), "old picture");
}

TEST_F(DelegateRecordsTest, AnItemOfADeletedDelegateMakesTheFormANewOne)
{
    addDelegate("甲", "欧阳明", "男", "001");
    MainWindow& w = openForm();
    clickTreeItem(w.树型框1, 1);
    person.answerMessage(AnswerOk);
    click(w.按钮6);
    clickTreeItem(w.树型框1, 0);
    clickTreeItem(w.树型框1, 1);   // still in the tree until the next refresh
    EXPECT_EQ(currentDelegateId, 0);
    choosePhoto("picture");
    fillForm("司马相如", "乙", "002");
    click(w.按钮7);
    const TextList stored = photos();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TEXT_EQ("司马相如|", leftText(stored[0], 9));
    EXPECT_EQ(dataFiles().size(), 1);
    EXPECT_TEXT_EQ("1会", leftText(rightText(stored[0], textLength(stored[0]) - 9), 3));
}

TEST_F(DelegateRecordsTest, ADelegateDeletedByAnotherDeskWhileShownIsNotSavedIntoNothing)
{
    addDelegate("甲", "欧阳明", "男", "001");
    MainWindow& w = openForm();
    clickTreeItem(w.树型框1, 1);
    exec("delete from 代表信息 where 姓名='欧阳明'");   // another desk
    choosePhoto("picture");
    w.编辑框3.setContent("处长");
    person.answerMessage(AnswerOk);
    click(w.按钮7);
    EXPECT_EQ(messageTexts(), TextList{"保存失败！|注意"});
    EXPECT_TEXT_EQ("欧阳明|处长", w.编辑框1.content() + "|" + w.编辑框3.content());
    EXPECT_TRUE(dataFiles().isEmpty());

    click(w.按钮7);   // once more: the form is saved as a new delegate
    const TextList stored = photos();
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_TEXT_EQ("欧阳明|", leftText(stored[0], 7));
    EXPECT_EQ(dataFiles().size(), 1);
}

TEST_F(DelegateRecordsTest, AStoredPhotoIsReadOnlyFromTheDataDirectory)
{
    const Text home = programDirectory();
    writeFile(home + "\\outside.txt", "not a photo of ours");
    writeFile(home + "\\DATA\\籠1会.PIC", "the cage");   // 籠 ends in the byte of "\"
    struct Case {
        Text stored;
        Bytes shown;
    } cases[] = {
        {"籠1会.PIC", "the cage"},
        {"..\\outside.txt", ""},
        {"../outside.txt", ""},
        {home + "\\outside.txt", ""},
        {"..", ""},
    };
    for (const Case& c : cases)
        exec("insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号,照片) values ('代表','甲','男','1',1,'"
             + sqlText(c.stored) + "')");
    MainWindow& w = open();
    pressToolButton(w.工具条1, 0);
    for (int i = 0; i < std::ssize(cases); ++i) {
        w.图片框1.setPicture("before");
        clickTreeItem(w.树型框1, i + 1);
        EXPECT_EQ(w.图片框1.picture(), cases[i].shown) << gbkToUtf8(cases[i].stored);
    }
}

TEST_F(DelegateRecordsTest, ARefusedSaveSaysSoAndKeepsTheFormButNoPhoto)
{
    MainWindow& w = openForm();
    choosePhoto("picture");
    const Text refusal = refuse("insert", "代表信息");
    fillForm("甲一", "单位", "001");
    person.answerMessage(AnswerOk);
    click(w.按钮7);
    EXPECT_EQ(messageTexts(), TextList{"保存失败！|注意"});
    EXPECT_TRUE(dataFiles().isEmpty());
    EXPECT_TEXT_EQ("甲　一|单位|001", w.编辑框1.content() + "|" + w.编辑框2.content() + "|" + w.编辑框6.content());

    exec("drop trigger " + refusal);
    click(w.按钮7);   // the same form, once more
    EXPECT_EQ(dataFiles().size(), 1);
    EXPECT_EQ(photos().size(), 1u);
    EXPECT_TEXT_EQ("", w.编辑框1.content());
}

TEST_F(DelegateRecordsTest, DeletingAsksFirst)
{
    addDelegate("甲", "张三", "男", "001");
    MainWindow& w = openForm();
    person.answerMessage(AnswerOk);
    click(w.按钮6);   // no delegate picked yet
    clickTreeItem(w.树型框1, 1);
    person.answerMessage(AnswerCancel).answerMessage(AnswerOk);
    click(w.按钮6);
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1", {"姓名"}).size(), 1u);
    click(w.按钮6);
    EXPECT_EQ(messageTexts(), (TextList{"请先选中待删除的代表项！|注意",
                                         "真的要删除当前代表吗？\r\n删除的信息将不能恢复！|警告",
                                         "真的要删除当前代表吗？\r\n删除的信息将不能恢复！|警告"}));
    EXPECT_TRUE(rows("select * from 代表信息 where 会议编号=1", {"姓名"}).empty());
    EXPECT_EQ(currentDelegateId, 0);
    EXPECT_TEXT_EQ("", w.编辑框1.content());
}

TEST_F(DelegateRecordsTest, ADeletedDelegateLeavesItsRoomAndTableOrNothingChanges)
{
    addRoom("宾馆", "201", 1, 1, "男");
    addRoom("宾馆", "202", 2, 2, "女");
    exec("insert  into 餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号) values ('大厅','1号桌',10,2,1)");
    addDelegate("甲", "张三", "男", "001");
    addDelegate("甲", "李四", "女", "002");
    addDelegate("甲", "王五", "女", "003");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='201',餐厅名称='大厅',餐桌编号='1号桌' where 姓名='张三'");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='202',餐厅名称='大厅',餐桌编号='1号桌' where 姓名='李四'");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='202' where 姓名='王五'");
    MainWindow& w = openUnlocked();
    auto places = [this] {
        TextList all = rows("select * from 房间信息 where 会议编号=1 order by 房间编号", {"已住人数", "性别"});
        all.push_back(rows("select * from 餐桌信息 where 会议编号=1", {"已坐人数"}).at(0));
        return all;
    };
    auto deleteItem = [&](int item) {
        pressToolButton(w.工具条1, 0);
        clickTreeItem(w.树型框1, item);
        click(w.按钮6);
    };

    const Text refusal = refuse("update", "餐桌信息");
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    deleteItem(1);
    EXPECT_TEXT_EQ("删除失败！|注意", lastMessage());
    EXPECT_EQ(places(), (TextList{"1|男", "2|女", "2"}));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1", {"姓名"}).size(), 3u);
    EXPECT_TEXT_EQ("张三", w.编辑框1.content());   // still shown
    exec("drop trigger " + refusal);

    person.answerMessage(AnswerOk);
    click(w.按钮6);
    EXPECT_EQ(places(), (TextList{"0|无", "2|女", "1"}));   // the one bed is free again
    person.answerMessage(AnswerOk);
    deleteItem(1);   // 李四: her room keeps 王五 and its sex
    EXPECT_EQ(places(), (TextList{"0|无", "1|女", "0"}));
}

// A lodged delegate shares his room's sex: while guests of his sex stay
// with him he cannot take the other one, and the form is kept; alone in
// it, he takes the room with him to his new sex.
TEST_F(DelegateRecordsTest, ALodgedDelegateChangesSexOnlyAloneAndHisRoomFollows)
{
    addRoom("宾馆", "301", 2, 2, "男");
    addRoom("宾馆", "302", 2, 1, "男");
    addDelegate("甲", "M1", "男", "001");
    addDelegate("甲", "M2", "男", "002");
    addDelegate("甲", "M3", "男", "003");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='301' where 姓名 in ('M1','M2')");
    exec("update 代表信息 set 宾馆名称='宾馆',房间编号='302' where 姓名='M3'");
    MainWindow& w = openForm();
    auto sexes = [this] {
        TextList all = rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"性别"});
        for (const Text& room : rows("select * from 房间信息 where 会议编号=1 order by 房间编号", {"性别"}))
            all.push_back(room);
        return all;
    };

    clickTreeItem(w.树型框1, 2);   // M2, with M1 in 301
    chooseComboItem(w.组合框1, 1);
    w.编辑框3.setContent("处长");
    const TextList before = meetingRows(1);
    person.answerMessage(AnswerOk);
    click(w.按钮7);
    EXPECT_EQ(messageTexts(), TextList{"宾馆301房间还住着其他男代表，不能改为女！请先给该代表重新分配房间。|注意"});
    EXPECT_TEXT_EQ("M2|处长|女", w.编辑框1.content() + "|" + w.编辑框3.content() + "|" + w.组合框1.currentText());
    EXPECT_EQ(meetingRows(1), before);

    clickTreeItem(w.树型框1, 3);   // M3, alone in 302
    chooseComboItem(w.组合框1, 1);
    click(w.按钮7);
    EXPECT_EQ(messageTexts().size(), 1u);
    EXPECT_TEXT_EQ("", w.编辑框1.content());   // saved: cleared for the next
    EXPECT_EQ(sexes(), (TextList{"男", "男", "女", "男", "女"}));
    EXPECT_EQ(countFaults(), TextList{});
}

TEST_F(DelegateRecordsTest, RenumberingTakesTwoClicksAndFollowsTheOldTextOrder)
{
    addDelegate("甲", "一", "男", "9");
    addDelegate("甲", "二", "男", "10");
    addDelegate("乙", "三", "男", "2");
    MainWindow& w = openForm();   // 2 nodes and 3 delegates: five items
    person.answerMessage(AnswerOk);
    click(w.按钮2);
    EXPECT_TRUE(w.编辑框13.visible());
    EXPECT_TRUE(w.标签18.visible());
    w.编辑框13.setContent("001");
    person.answerMessage(AnswerOk);
    click(w.按钮2);
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表id", {"姓名", "代表编号"}),
              (TextList{"一|003", "二|001", "三|002"}));
    EXPECT_EQ(messageTexts(), (TextList{"编号长度必须不小于代表总人数！|注意", "重新编号成功！|成功"}));
    EXPECT_FALSE(w.编辑框13.visible());
    EXPECT_TEXT_EQ("", w.编辑框13.content());

    // One refused update: nothing is renumbered, the start number stays.
    refuse("update", "代表信息", "new.代表编号='102'");
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.按钮2);
    w.编辑框13.setContent("101");
    click(w.按钮2);
    EXPECT_TEXT_EQ("重新编号失败！|注意", lastMessage());
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表id", {"代表编号"}), (TextList{"003", "001", "002"}));
    EXPECT_TEXT_EQ("101", w.编辑框13.content());
}

TEST_F(DelegateRecordsTest, TheStartNumberIsAtLeastAsLongAsTheTreeCount)
{
    for (const char* name : {"一", "二", "三", "四", "五", "六", "七", "八", "九"})
        addDelegate("甲", name, "男", "A");
    MainWindow& w = openForm();   // one organisation and nine delegates: ten items
    person.answerEveryMessage(AnswerOk);
    click(w.按钮2);
    w.编辑框13.setContent("9");
    click(w.按钮2);
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 and 代表编号<>'A'", {"姓名"}).size(), 0u);
    w.编辑框13.setContent("09");
    click(w.按钮2);
    EXPECT_EQ(messageTexts(), (TextList{"编号长度必须不小于代表总人数！|注意", "编号长度必须不小于代表总人数！|注意",
                                         "重新编号成功！|成功"}));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"代表编号"}),
              (TextList{"09", "10", "11", "12", "13", "14", "15", "16", "17"}));
}

} // namespace
