// Check-in: the welcome label merged for a picked delegate, the arrival,
// the two lists, the template and the printout.
#include "tests/desk/desk_fixture.h"
#include "common/internal/qt_objects.h"
#include "common/program/clipboard.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/rich_text.h"
#include "tests/support/write_protection.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <functional>

namespace {

class CheckInTest : public DeskTest {
protected:
    CheckInTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,表1,表3) values (1,'一号会','主会场','晚会')");
        exec("insert  into 会议分组 (分组id,分组名称,召集人,联络员,会议编号) values (7,'第一组','王','李',1)");
        addDelegate("甲", "张三", "男", "1");
        addDelegate("甲", "李四", "女", "2");
        exec("update 代表信息 set 分组编号=7,宾馆名称='宾馆',房间编号='101',表1='1排2列',表3='3排4列' where 姓名='张三'");
    }
    static Text labelFile() { return programDirectory() + "\\会议标签.rtf"; }
    MainWindow& openCheckIn()
    {
        MainWindow& w = open();
        chooseMenuItem(w.代表报到);
        return w;
    }
};

TEST_F(CheckInTest, ThePageOpensWithTheBannerTheTemplateAndTheNotCheckedIn)
{
    MainWindow& w = openCheckIn();
    EXPECT_TEXT_EQ("热烈欢迎参加一号会的代表", w.横幅.caption());
    EXPECT_NE(findText(w.超级编辑框1.plainText(), "[代表]"), -1);
    EXPECT_EQ(treeItemCount(w.树型框1), 3);
    EXPECT_TRUE(w.单选框7.checked());
    EXPECT_EQ(w.选择夹1.currentPage(), 7);
}

TEST_F(CheckInTest, APickMergesEveryMarkerWithoutTouchingTheClipboard)
{
    MainWindow& w = openCheckIn();
    w.超级编辑框1.setContent("[会议名称]\n[代表]/[代表]\n[房间]|[餐桌]\n[分组]-[召集人]-[联络员]\n[座次]\n无标记");
    setClipboardText("留着");
    clickTreeItem(w.树型框1, 1);
    EXPECT_TEXT_EQ("一号会\n张三/张三\n宾馆101房间| 0\n第一组-王-李\n主会场您在1排2列，晚会您在3排4列，\n无标记",
                   w.超级编辑框2.plainText());
    EXPECT_TEXT_EQ("留着", clipboardText());
    EXPECT_FALSE(w.超级按钮2.disabled());

    clickTreeItem(w.树型框1, 2);   // no room, no table, no group, no seat
    EXPECT_TEXT_EQ("一号会\n李四/李四\n 0房间| 0\n--\n\n无标记", w.超级编辑框2.plainText());
    clickTreeItem(w.树型框1, 0);
    EXPECT_TRUE(w.超级按钮2.disabled());
}

TEST_F(CheckInTest, TheMergedLabelShowsItsStart)
{
    MainWindow& w = openCheckIn();
    Text lines = "[会议名称]\n";
    for (int i = 0; i < 30; ++i)
        lines += "第" + toText(i) + "行\n";
    w.超级编辑框1.setContent(lines + "[座次]");
    clickTreeItem(w.树型框1, 1);
    const QScrollBar* bar = qobject_cast<QAbstractScrollArea*>(QtObjects::widget(w.超级编辑框2))->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the label must be longer than its box";
    EXPECT_EQ(bar->value(), 0);
}

// A long meeting name makes the banner's text smaller, never cut; a short
// one keeps the banner's own size.
TEST_F(CheckInTest, TheBannerShowsAnyMeetingNameWhole)
{
    MainWindow& w = open();
    for (const Text& name : {Text("全国科技工作会议"), Text("全国科技创新与产业发展高峰论坛第二十三届年会")}) {
        currentMeetingName = name;
        chooseMenuItem(w.代表报到);
        SCOPED_TRACE(gbkToUtf8(name));
        EXPECT_TEXT_EQ("热烈欢迎参加" + name + "的代表", w.横幅.caption());
        EXPECT_LE(w.横幅.shownHeight(), w.横幅.height());
        EXPECT_GE(w.横幅.shownPoints(), 12);
        const bool fitsAtItsSize = QtObjects::widget(w.横幅)->heightForWidth(w.横幅.width()) <= w.横幅.height();
        EXPECT_EQ(fitsAtItsSize, w.横幅.shownPoints() == w.横幅.labelFont().points);
    }
}

TEST_F(CheckInTest, AnArrivalIsRecordedOnceAndTheListsFollowIt)
{
    MainWindow& w = openCheckIn();
    person.answerMessage(AnswerOk);
    click(w.单选框6);   // nobody has arrived yet
    EXPECT_EQ(messageTexts(), TextList{"查询失败！|"});
    EXPECT_FALSE(w.超级按钮2.visible());
    click(w.单选框7);
    EXPECT_TRUE(w.超级按钮2.visible());

    // A refused update records nothing and says so; the pick stays.
    clickTreeItem(w.树型框1, 1);
    const Text refusal = refuse("update", "代表信息");
    person.answerMessage(AnswerOk);
    click(w.超级按钮2);
    EXPECT_TEXT_EQ("报到失败！|", lastMessage());
    EXPECT_FALSE(w.超级按钮2.disabled());
    EXPECT_EQ(treeItemImage(w.树型框1, 1), 2);
    EXPECT_NE(treeItemValue(w.树型框1, 1), 0);
    exec("drop trigger " + refusal);

    click(w.超级按钮2);
    EXPECT_EQ(rows("select * from 代表信息 where 报到情况=true and 会议编号=1", {"姓名"}), TextList{"张三"});
    EXPECT_TRUE(w.超级按钮2.disabled());
    EXPECT_EQ(treeItemImage(w.树型框1, 1), 5);
    EXPECT_EQ(treeItemValue(w.树型框1, 1), 0);

    click(w.单选框6);
    EXPECT_EQ(treeItemCount(w.树型框1), 2);
    EXPECT_TEXT_EQ("张三", treeItemText(w.树型框1, 1));

    // Opened again from the checked-in list: the not-checked-in with the button.
    chooseMenuItem(w.代表报到);
    EXPECT_TRUE(w.单选框7.checked());
    EXPECT_TRUE(w.超级按钮2.visible());
    EXPECT_TEXT_EQ("李四", treeItemText(w.树型框1, 1));
}

TEST_F(CheckInTest, ADelegateDeletedSinceTheTreeWasFilledIsAFailedQuery)
{
    MainWindow& w = openCheckIn();
    clickTreeItem(w.树型框1, 2);
    ASSERT_FALSE(w.超级按钮2.disabled());
    exec("delete from 代表信息 where 姓名='张三'");   // at another desk
    person.answerMessage(AnswerOk);
    clickTreeItem(w.树型框1, 1);
    EXPECT_EQ(messageTexts(), TextList{"查询失败！|"});
    EXPECT_TRUE(w.超级按钮2.disabled());
    EXPECT_EQ(findText(w.超级编辑框2.plainText(), "您在"), -1);
}

TEST_F(CheckInTest, TheTemplateIsEditedWithMarkersAndSavedForTheNextOpening)
{
    MainWindow& w = openCheckIn();
    click(w.按钮3);   // the sample's page, with the marker buttons
    EXPECT_EQ(w.选择夹2.currentPage(), 1);
    w.超级编辑框1.setContent("欢迎");
    w.超级编辑框1.setSelection(4, 0);
    click(w.按钮8);
    click(w.按钮12);
    EXPECT_TEXT_EQ("欢迎[代表][座次]", w.超级编辑框1.plainText());
    click(w.超级按钮1);
    EXPECT_EQ(w.选择夹2.currentPage(), 0);
    w.超级编辑框1.setContent("");
    chooseMenuItem(w.代表报到);
    EXPECT_TEXT_EQ("欢迎[代表][座次]", w.超级编辑框1.plainText());
    click(w.按钮15);
    EXPECT_FALSE(w.选择夹2.visible());
    clickTreeItem(w.树型框1, 1);
    EXPECT_TRUE(w.选择夹2.visible());
}

TEST_F(CheckInTest, ATemplateThatCannotBeWrittenIsReportedAndKeptForAnotherTry)
{
    const Bytes before = readFile(labelFile());
    const QString file = directory.file(QStringLiteral("会议标签.rtf"));
    MainWindow& w = openCheckIn();
    click(w.按钮3);
    w.超级编辑框1.setContent("改过的样本[代表]");
    // Each runs the save while the file cannot be written; false where it
    // cannot take the write away (root on a file system without the flag).
    struct Case {
        const char* what;
        std::function<bool(const std::function<void()>&)> whileUnwritable;
    } cases[] = {
        {"write-protected",
         [&file](const std::function<void()>& save) {
             WriteProtection readOnly(file);
             if (readOnly.active())
                 save();
             return readOnly.active();
         }},
        {"disk full",
         [](const std::function<void()>& save) {
             FileSizeLimit full(64);   // shorter than any rich text label
             save();
             return true;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool unwritable = c.whileUnwritable([this, &w] {
            person.answerMessage(AnswerOk);
            click(w.超级按钮1);
        });
        if (!unwritable)
            continue;
        EXPECT_TEXT_EQ("保存失败！|注意", lastMessage());
        EXPECT_EQ(readFile(labelFile()), before);
        EXPECT_TEXT_EQ("改过的样本[代表]", w.超级编辑框1.plainText());
        EXPECT_EQ(w.选择夹2.currentPage(), 1);
    }
    const size_t shown = messageTexts().size();
    click(w.超级按钮1);   // written once the file can be
    EXPECT_EQ(messageTexts().size(), shown);
    chooseMenuItem(w.代表报到);
    EXPECT_TEXT_EQ("改过的样本[代表]", w.超级编辑框1.plainText());
}

TEST_F(CheckInTest, TheDeliveredLabelIsRichTextWithEveryMarker)
{
    EXPECT_TRUE(isRtf(readFile(labelFile())));
    MainWindow& w = openCheckIn();
    clickTreeItem(w.树型框1, 1);
    EXPECT_TEXT_EQ("一号会\n张三 代表，欢迎您！\n住宿：宾馆101房间\n就餐： 0\n分组：第一组（召集人：王，联络员：李）\n"
                   "座次：主会场您在1排2列，晚会您在3排4列，",
                   w.超级编辑框2.plainText());
}

TEST_F(CheckInTest, AWordProcessorsLabelIsMergedWithItsFormattingAndSavedAsItWasRead)
{
    writeFile(labelFile(), wordProcessorLabel());
    MainWindow& w = openCheckIn();
    const RtfDocument label = shownDocument(w.超级编辑框1);
    clickTreeItem(w.树型框1, 1);
    EXPECT_TEXT_EQ("一号会\n张三 代表，欢迎您！\n住宿：宾馆101房间\t就餐： 0\n分组：第一组（召集人：王，联络员：李）\n"
                   "座次：主会场您在1排2列，晚会您在3排4列，\n会务组敬上",
                   w.超级编辑框2.plainText());
    const RtfDocument merged = shownDocument(w.超级编辑框2);
    EXPECT_EQ(formatOf(merged, "一号会"), formatOf(label, "[会议名称]"));
    EXPECT_EQ(formatOf(merged, "张三"), formatOf(label, "[代表]"));
    EXPECT_EQ(formatOf(merged, "宾馆101房间"), formatOf(label, "[房间]"));

    click(w.按钮3);
    click(w.超级按钮1);
    EXPECT_TEXT_EQ("", readRtf(readFile(labelFile())).problem);
    chooseMenuItem(w.代表报到);
    EXPECT_TEXT_EQ(wordProcessorLabelText, w.超级编辑框1.plainText());
    EXPECT_EQ(shownDocument(w.超级编辑框1), label);
}

TEST_F(CheckInTest, ADamagedLabelFileIsReportedAndWhatCouldBeReadIsShown)
{
    const Bytes label = wordProcessorLabel();
    writeFile(labelFile(), label.substr(0, label.size() * 3 / 4));
    person.answerMessage(AnswerOk);
    MainWindow& w = openCheckIn();
    EXPECT_EQ(messageTexts(), TextList{"标签样本文件 会议标签.rtf 已损坏（文件不完整，缺少结尾的 }）。\r\n"
                                       "这里显示的是能读出的部分；按“保存样本”会用它替换这个文件。|"});
    EXPECT_EQ(person.messages()[0].boxKind, BoxOk | IconExclamation);
    EXPECT_EQ(findText(w.超级编辑框1.plainText(), "[会议名称]\n[代表]"), 1);
    EXPECT_EQ(w.选择夹1.currentPage(), 7);
}

TEST_F(CheckInTest, TheLabelPrintsItsSecondLineLarger)
{
    MainWindow& w = openCheckIn();
    w.超级编辑框1.setContent("一\n二\n三\n四\n五");
    clickTreeItem(w.树型框1, 1);
    person.answerPrint(true);
    click(w.按钮17);
    ASSERT_EQ(person.printJobs().size(), 1u);
    const PrintJob& job = person.printJobs()[0];
    ASSERT_EQ(job.lines.size(), 5u);
    EXPECT_TEXT_EQ("二", job.lines[1].text);
    EXPECT_EQ(job.lines[1].points, 11);
    EXPECT_EQ(job.lines[2].points, 8);
    EXPECT_EQ(job.lines[4].points, 8);
}

TEST_F(CheckInTest, ALabelThatIsNotPrintedIsReportedAndTheArrivalStaysOpen)
{
    MainWindow& w = openCheckIn();
    clickTreeItem(w.树型框1, 1);
    struct Case {
        const char* what;
        std::function<void(ScriptedInteraction&)> printer;
        size_t jobs;   // sent so far
        Text message;
    } cases[] = {
        {"printer error", [](ScriptedInteraction& p) { p.answerPrint(false); }, 1, "打印失败！|错误"},
        {"no printer", [](ScriptedInteraction& p) { p.withoutPrinter(); }, 1, "没有可用的打印机，标签未打印！|错误"},
    };
    for (const Case& c : cases) {
        c.printer(person);
        person.answerMessage(AnswerOk);
        click(w.按钮17);
        EXPECT_EQ(person.printJobs().size(), c.jobs) << c.what;
        EXPECT_TEXT_EQ(c.message, lastMessage()) << c.what;
        EXPECT_EQ(person.messages().back().boxKind, BoxOk | IconStop) << c.what;
        // Printing records nothing: the arrival is still to be recorded.
        EXPECT_FALSE(w.超级按钮2.disabled()) << c.what;
        EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 and 报到情况=true", {"姓名"}), TextList{}) << c.what;
    }
}

} // namespace
