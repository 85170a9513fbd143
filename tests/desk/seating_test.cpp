// Seating templates and charts, and placing delegates on a chart.
#include "tests/desk/desk_fixture.h"
#include "common/internal/qt_objects.h"
#include "tests/desk/hall_template.h"

#include <QFile>
#include <QLineEdit>
#include <QTest>

namespace {

class SeatingTest : public DeskTest {
protected:
    struct SeatedCell {
        int row, column;
        Text name, id;
    };
    // A hall file of `rows` rows of `columns` seats (drawHall), with cells
    // seated as a chart seats them.
    Text writeTemplate(const Text& fileName, int rows, int columns, const std::vector<SeatedCell>& seated = {})
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource hall{scratch, "hall"};
        drawHall(hall, rows, columns);
        for (const SeatedCell& seat : seated) {
            setCellText(hall, seat.row, seat.column, seat.name);
            setBlockFontName(hall, seat.row, seat.column, 1, 1, seat.id);
            setBlockReadOnly(hall, seat.row, seat.column, 1, 1, true);
        }
        const Text path = programDirectory() + "\\" + fileName;
        EXPECT_TRUE(saveGridFile(hall, path));
        return path;
    }
    MainWindow& openSeating()
    {
        MainWindow& w = openUnlocked();
        chooseMenuItem(w.会场座次);
        return w;
    }
    void importTemplate(const Text& path)
    {
        click(window->增删模板);
        person.answerFile(true, path).answerMessage(AnswerOk);
        click(window->增加模板);
        click(window->增删模板);
    }
    void newChart(const Text& name, int fromTemplate = 0)
    {
        person.answerMessage(AnswerOk).answerInput(true, name).answerMessage(AnswerOk);
        click(window->新建座次表);
        chooseComboItem(window->大会座次模板, fromTemplate);
    }
    // Meeting 1 and its delegates of 甲, numbered from 1 in this order, men
    // and women by turns.
    void seedMeeting(const TextList& names)
    {
        exec("insert  into 会议信息 (会议编号,会议名称) values (1,'一号会')");
        for (size_t i = 0; i < names.size(); ++i)
            addDelegate("甲", names[i], i % 2 == 0 ? "男" : "女", toText(static_cast<int>(i) + 1));
    }
    // The seating page with the chart 图, made from the template of the hall
    // file at `hall`, open in slot 1.
    MainWindow& openChart(const Text& hall)
    {
        MainWindow& w = openSeating();
        importTemplate(hall);
        newChart("图");
        chooseComboItem(w.大会座次表, 0);
        return w;
    }
    // Cell (row, column) of chart 1 as stored.
    Text storedChartCell(int row, int column)
    {
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource chart{scratch, "chart"};
        int rs = querySql(db, "select * from 自制模板 where 会议编号=1 and 表格次序=1");
        recordMoveFirst(rs);
        EXPECT_TRUE(tableFromBytes(chart, readField(rs, "模板").bytes())) << "the stored chart does not load";
        closeRecordSet(rs);
        return cellText(chart, row, column);
    }
    Text idOf(const Text& name) { return rows("select * from 代表信息 where 姓名='" + name + "'", {"代表id"}).at(0); }
    // The person clicks the cell and types one character and Enter into it.
    void typeIntoCell(int row, int column, char typed)
    {
        clickGridCell(window->表格1, row, column);
        QTest::keyClick(QtObjects::widget(window->表格1), typed);
        for (QLineEdit* edit : QtObjects::widget(window->表格1)->findChildren<QLineEdit*>())
            if (edit->isVisible())
                QTest::keyClick(edit, Qt::Key_Return);
    }
    TextList seats(int chart = 1)
    {
        return rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表" + toText(chart)});
    }
    // Queued by clicking each delegate's item in the tree, in this order.
    void queue(const TextList& names)
    {
        for (const Text& name : names) {
            int item = 0;
            while (item < treeItemCount(window->树型框1) && treeItemText(window->树型框1, item) != name)
                ++item;
            ASSERT_LT(item, treeItemCount(window->树型框1)) << gbkToUtf8(name) << " is not in the tree";
            clickTreeItem(window->树型框1, item);
        }
    }
    TextList rowTexts(int row)
    {
        TextList texts;
        for (int c = 2; c <= tableColumnCount(window->数据源1); ++c)
            texts.push_back(cellText(window->数据源1, row, c));
        return texts;
    }
};

TEST_F(SeatingTest, TemplatesAreImportedAndChartsTakeTheFirstFreeSlot)
{
    const Text path = writeTemplate("大会.堂.grd", 3, 4);
    MainWindow& w = openSeating();
    EXPECT_EQ(w.大会座次表.itemCount(), 5);
    importTemplate(path);
    ASSERT_EQ(w.大会座次模板.itemCount(), 1);
    EXPECT_TEXT_EQ("大会", w.大会座次模板.itemText(0));
    EXPECT_EQ(rows("select * from 自制模板 where 模板名称='大会'", {"会议编号"}), TextList{"0"});

    // Slot 1 is used.
    ASSERT_TRUE(execSql(db, "insert into 自制模板  (表格次序,模板名称,会议编号,模板) values (1,'一',1,?)", Bytes()));
    chooseMenuItem(w.会场座次);   // the page opened again lists it
    newChart("上午\\主会场");
    EXPECT_TEXT_EQ("主会场", w.大会座次表.itemText(1));
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表2"}).size(), 0u);   // the meeting row is not seeded
    EXPECT_EQ(rows("select * from 自制模板 where 表格次序=2", {"模板名称", "会议编号"}), TextList{"主会场|1"});

    for (const char* name : {"三", "四", "五"})
        newChart(name);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.新建座次表);
    chooseComboItem(w.大会座次模板, 0);
    EXPECT_TEXT_EQ("最多只能加入5张座次表！5|提示", messageTexts().back());
    EXPECT_EQ(rows("select * from 自制模板 where 会议编号=1", {"模板名称"}).size(), 5u);
}

TEST_F(SeatingTest, QueuedNamesAreSeatedInTheChosenOrder)
{
    seedMeeting({"A", "B", "C", "D", "E", "F", "G", "H"});
    MainWindow& w = openChart(writeTemplate("hall.grd", 2, 7));   // one header column, eight columns
    struct Case {
        RadioButton* order;
        TextList seated;    // columns 2..8 of seat row 3
        int left;
    } cases[] = {
        {&w.单选框1, {"", "E", "C", "A", "B", "D", ""}, 0},
        {&w.单选框3, {"", "D", "B", "A", "C", "E", ""}, 0},
        {&w.单选框2, {"", "", "", "A", "B", "C", "D"}, 1},
    };
    for (const Case& c : cases) {
        chooseComboItem(w.大会座次表, 0);   // the unsaved chart anew, the queue empty
        click(*c.order);
        queue({"A", "B", "C", "D", "E"});
        clickGridCell(w.表格1, 3, 5);
        EXPECT_EQ(rowTexts(3), c.seated);
        EXPECT_EQ(w.列表框2.itemCount(), c.left);
    }
    EXPECT_TEXT_EQ(idOf("D"), cellFontName(w.数据源1, 3, 8));   // D of the third batch
    ASSERT_EQ(w.列表框2.itemCount(), 1);
    chooseMenuItem(w.会场座次);   // the page opened again starts with no queue
    EXPECT_EQ(w.列表框2.itemCount(), 0);

    // A batch stops at the row labels, and at an occupied seat.
    chooseComboItem(w.大会座次表, 0);
    click(w.单选框1);
    queue({"A"});
    clickGridCell(w.表格1, 3, 5);
    ASSERT_TEXT_EQ("A", cellText(w.数据源1, 3, 5));
    queue({"F", "G", "H"});
    clickGridCell(w.表格1, 4, 2);
    EXPECT_EQ(w.列表框2.itemCount(), 1);
    EXPECT_TEXT_EQ("G", cellText(w.数据源1, 4, 3));
    clickGridCell(w.表格1, 3, 5);
    EXPECT_EQ(w.列表框2.itemCount(), 1);
}

TEST_F(SeatingTest, APrintThatFailsFromTheChartPreviewIsReported)
{
    seedMeeting({});
    MainWindow& w = openChart(writeTemplate("hall.grd", 2, 3));
    const size_t shown = messageTexts().size();
    person.answerPrintPreview(PreviewPrinted);
    click(w.打印预览);
    EXPECT_EQ(messageTexts().size(), shown);
    person.answerPrintPreview(PreviewPrintFailed).answerMessage(AnswerOk);
    click(w.打印预览);
    EXPECT_TEXT_EQ("打印失败！|错误", lastMessage());
}

TEST_F(SeatingTest, SavingWritesSeatLabelsAndAMovedSeatCountsOnlyWhereItIs)
{
    seedMeeting({"张三", "李四"});
    MainWindow& w = openChart(writeTemplate("hall.grd", 3, 4));
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表1"}), TextList{"图"});
    EXPECT_EQ(treeItemCount(w.树型框1), 3);
    clickTreeItem(w.树型框1, 1);
    clickTreeItem(w.树型框1, 2);
    clickGridCell(w.表格1, 3, 2);   // 张三 at 1排1列, 李四 at 1排2列
    clickGridCell(w.表格1, 3, 3);   // picks 李四 up …
    clickGridCell(w.表格1, 5, 5);   // … and puts her down at 3排4列
    EXPECT_TEXT_EQ("", cellText(w.数据源1, 3, 3));
    EXPECT_TEXT_EQ("李　四", cellText(w.数据源1, 5, 5));
    setCellText(w.数据源1, 4, 4, "装饰");
    setBlockFontName(w.数据源1, 4, 4, 1, 1, "宋体");   // not a seat
    w.编辑框19.setContent("主会场");
    click(w.修改标题);
    EXPECT_TEXT_EQ("主会场", cellText(w.数据源1, 1, 2));

    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.保存座次表);
    const TextList shown = messageTexts();
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(TextList(shown.end() - 2, shown.end()), (TextList{"保存文件成功！|成功", "座次分配到个人成功！|成功"}));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表1"}), (TextList{"张三|1排1列", "李四|3排4列"}));
}

TEST_F(SeatingTest, AShownTemplateIsNeverSavedIntoTheOpenSlot)
{
    seedMeeting({"张三"});
    MainWindow& w = openChart(writeTemplate("hall.grd", 3, 4));
    clickTreeItem(w.树型框1, 1);
    clickGridCell(w.表格1, 3, 2);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.保存座次表);

    click(w.增删模板);
    chooseComboItem(w.大会座次模板, 0);   // the template is shown, the slot stays current
    click(w.增删模板);
    person.answerMessage(AnswerOk);
    click(w.保存座次表);
    EXPECT_TEXT_EQ("保存文件失败！|失败", messageTexts().back());
    EXPECT_TEXT_EQ("张　三", storedChartCell(3, 2));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1", {"表1"}), TextList{"1排1列"});

    // Deleting the chart frees its slot and every seat of it.
    click(w.删除表格);
    EXPECT_FALSE(w.删除座次表.disabled());
    person.answerMessage(AnswerOk);
    click(w.删除座次表);
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1", {"表1"}), TextList{"0"});
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表1"}), TextList{"0"});
    EXPECT_EQ(w.大会座次表.itemValue(0), 0);
}

TEST_F(SeatingTest, ARefusedStatementKeepsTheChartAndEveryStoredSeat)
{
    seedMeeting({"张三", "李四"});
    MainWindow& w = openSeating();
    importTemplate(writeTemplate("hall.grd", 3, 4));
    Text refusal = refuse("update", "会议信息");
    newChart("图");
    EXPECT_TEXT_EQ("由样表生成座次表失败！|失败", lastMessage());
    EXPECT_TRUE(rows("select * from 自制模板 where 会议编号=1", {"模板名称"}).empty());
    exec("drop trigger " + refusal);
    newChart("图");

    chooseComboItem(w.大会座次表, 0);
    clickTreeItem(w.树型框1, 1);
    clickTreeItem(w.树型框1, 2);
    clickGridCell(w.表格1, 3, 2);   // 张三 at 1排1列, 李四 at 1排2列
    person.answerEveryMessage(AnswerOk);
    click(w.保存座次表);
    const TextList stored = rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表1"});
    ASSERT_EQ(stored, (TextList{"张三|1排1列", "李四|1排2列"}));

    // 李四 moves, and her new seat is refused: nothing of the save stays.
    clickGridCell(w.表格1, 3, 3);
    clickGridCell(w.表格1, 5, 5);
    refusal = refuse("update", "代表信息", "new.表1='3排4列'");
    click(w.保存座次表);
    const TextList shown = messageTexts();
    EXPECT_EQ(TextList(shown.end() - 2, shown.end()), (TextList{"保存文件失败！|失败", "座次分配到个人失败！|失败"}));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表1"}), stored);
    EXPECT_TEXT_EQ("李　四", storedChartCell(3, 3));

    exec("drop trigger " + refusal);
    refusal = refuse("delete", "自制模板");
    click(w.删除表格);
    click(w.删除座次表);
    EXPECT_TEXT_EQ("删除失败！|失败", lastMessage());
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表1"}), stored);
    EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表1"}), TextList{"图"});
    EXPECT_TEXT_EQ("图", w.大会座次表.itemText(0));
    // The chart is still open: shown, editable, and saved into its slot.
    EXPECT_EQ(w.大会座次表.currentIndex(), 0);
    EXPECT_FALSE(w.表格1.disabled());
    EXPECT_TEXT_EQ("李　四", cellText(w.数据源1, 5, 5));
    exec("drop trigger " + refusal);
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.保存座次表);
    EXPECT_TEXT_EQ("保存文件成功！|成功", messageTexts().at(messageTexts().size() - 2));
    EXPECT_EQ(rows("select * from 代表信息 where 会议编号=1 order by 代表编号", {"姓名", "表1"}),
              (TextList{"张三|1排1列", "李四|3排4列"}));
}

TEST_F(SeatingTest, AVacatedSeatKeepsNoDelegate)
{
    seedMeeting({"张三"});
    MainWindow& w = openChart(writeTemplate("hall.grd", 3, 4));
    clickTreeItem(w.树型框1, 1);
    clickGridCell(w.表格1, 5, 2);   // 张三 at 3排1列
    clickGridCell(w.表格1, 5, 2);   // picked up …
    clickGridCell(w.表格1, 3, 5);   // … and put down at 1排4列
    typeIntoCell(5, 2, 'X');         // the vacated seat is an empty cell again
    EXPECT_TEXT_EQ("X", cellText(w.数据源1, 5, 2));
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.保存座次表);
    EXPECT_EQ(seats(), TextList{"张三|1排4列"});
}

TEST_F(SeatingTest, AClickBesideTheCellsChangesNothing)
{
    seedMeeting({"张三", "李四"});
    MainWindow& w = openSeating();
    importTemplate(writeTemplate("big.grd", 6, 4));
    importTemplate(writeTemplate("small.grd", 1, 4));
    newChart("大", 0);
    newChart("小", 1);
    chooseComboItem(w.大会座次表, 0);
    clickGridCell(w.表格1, 8, 3);   // the big hall's last row is current …
    chooseComboItem(w.大会座次表, 1);   // … which the small hall of three rows has not
    clickTreeItem(w.树型框1, 1);
    clickGridCell(w.表格1, 5, 3);   // below the cells
    EXPECT_EQ(w.列表框2.itemCount(), 1);
    EXPECT_EQ(rowTexts(3), (TextList{"", "", "", ""}));

    // Nor does it seat anybody at the current cell.
    clickGridCell(w.表格1, 3, 2);
    QTest::keyClick(QtObjects::widget(w.表格1), Qt::Key_Right);   // the empty 1排2列 is current
    ASSERT_EQ(selectionStartColumn(w.表格1), 3);
    clickTreeItem(w.树型框1, 2);
    clickGridCell(w.表格1, 5, 3);
    EXPECT_EQ(w.列表框2.itemCount(), 1);
    EXPECT_EQ(rowTexts(3), (TextList{"张　三", "", "", ""}));
}

TEST_F(SeatingTest, ADelegateStandsOnceOnAChart)
{
    seedMeeting({"张三"});
    // A hall drawn from a chart: 张三 sits at 2排2列, yet no chart of the meeting seats him.
    MainWindow& w = openChart(writeTemplate("hall.grd", 3, 4, {{4, 3, "张　三", idOf("张三")}}));
    EXPECT_TEXT_EQ("张　三", cellText(w.数据源1, 4, 3));
    clickTreeItem(w.树型框1, 1);
    clickGridCell(w.表格1, 3, 2);
    EXPECT_EQ(rowTexts(3), (TextList{"张　三", "", "", ""}));
    EXPECT_EQ(rowTexts(4), (TextList{"", "", "", ""}));
    person.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(w.保存座次表);
    EXPECT_EQ(seats(), TextList{"张三|1排1列"});
}

TEST_F(SeatingTest, ASeatOfNoDelegateOfTheMeetingIsShownVacated)
{
    seedMeeting({"张三", "李四"});
    // The other meeting's 外会甲 sits at 3排3列 of the hall.
    MainWindow& w = openChart(writeTemplate("hall.grd", 3, 4, {{5, 4, "外会甲", idOf("外会甲")}}));
    EXPECT_EQ(rowTexts(5), (TextList{"", "", "", ""}));
    clickTreeItem(w.树型框1, 1);
    clickTreeItem(w.树型框1, 2);
    clickGridCell(w.表格1, 5, 4);   // 张三 at 3排3列, 李四 at 3排4列
    person.answerEveryMessage(AnswerOk);
    click(w.保存座次表);
    ASSERT_EQ(seats(), (TextList{"张三|3排3列", "李四|3排4列"}));

    // 李四 is deleted: her seat is empty and open to the person's text.
    exec("delete from 代表信息 where 姓名='李四'");
    chooseComboItem(w.大会座次表, 0);
    EXPECT_EQ(rowTexts(5), (TextList{"", "", "张　三", ""}));
    typeIntoCell(5, 5, 'X');
    EXPECT_TEXT_EQ("X", cellText(w.数据源1, 5, 5));
    click(w.保存座次表);
    EXPECT_EQ(seats(), TextList{"张三|3排3列"});
}

TEST_F(SeatingTest, NoChartFromATemplateThatDoesNotLoadNorNamedZero)
{
    seedMeeting({});
    MainWindow& w = openSeating();
    importTemplate(writeTemplate("hall.grd", 3, 4));
    exec("insert  into 自制模板 (模板名称,模板) values ('坏',x'6E6F7420612067726964')");   // "not a grid"
    chooseMenuItem(w.会场座次);
    ASSERT_EQ(w.大会座次模板.itemCount(), 2);
    struct Case {
        int fromTemplate;
        const char* typed;   // nullptr: no name is asked
        const char* refusal;
    } cases[] = {
        {1, nullptr, "样表已损坏，不能由它生成座次表！|提示"},
        {0, "0", "座次表不能命名为“0”，请换一个名称！|提示"},
        {0, "上午\\0", "座次表不能命名为“0”，请换一个名称！|提示"},
    };
    for (const Case& c : cases) {
        person.answerMessage(AnswerOk);
        if (c.typed)
            person.answerInput(true, c.typed);
        person.answerMessage(AnswerOk);
        click(w.新建座次表);
        chooseComboItem(w.大会座次模板, c.fromTemplate);
        EXPECT_TEXT_EQ(c.refusal, lastMessage());
        EXPECT_FALSE(w.大会座次模板.visible());
        EXPECT_TRUE(rows("select * from 自制模板 where 会议编号=1", {"模板名称"}).empty());
        EXPECT_EQ(rows("select * from 会议信息 where 会议编号=1", {"表1"}), TextList{"0"});
        EXPECT_EQ(w.大会座次表.itemValue(0), 0);
    }
}

} // namespace
