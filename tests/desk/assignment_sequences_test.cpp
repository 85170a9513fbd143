// Seeded random sequences of what the persons at two desks on one meeting
// do on the room and the banquet-table pages, by real clicks, each desk's
// steps between the other's: picks, cancels, commits, automatic runs,
// exclusions, mode switches, deletions of rooms, tables and delegates, new
// delegates, clear-alls, and delegates seated on the seating chart by
// clicks in its cells, which is then saved. After every step of either
// desk the stored counts must still be those of the delegates, after a
// chart save every stored seat must be where the delegate's name stands,
// and no step may report a failure. The steps that write must mostly have
// stored something, or a fault that undoes every write would pass.
#include "tests/desk/desk_fixture.h"
#include "tests/desk/hall_template.h"

#include <climits>
#include <functional>
#include <map>
#include <random>

namespace {

class AssignmentSequenceTest : public DeskTest {
protected:
    struct Step {
        const char* name;
        int weight;
        bool writes;   // what it is for is a change of the stored data
        std::function<void()> act;
    };
    // The units of one assignment page.
    struct Page {
        MenuItem& menu;
        ListView& places;
        ListView& pending;
        PictureTextButton &confirm, &cancel, &refresh, &automatic, &adjust, &clearAll;
    };
    // One desk of a sequence: its window and every step it can take.
    struct Desk {
        std::string name;
        MainWindow& w;
        MenuItem& menu;
        std::vector<Step> steps;
    };

    AssignmentSequenceTest()
    {
        exec("insert  into 会议信息 (会议编号,会议名称,表1) values (1,'一号会','图')");
        for (int i = 0; i < 20; ++i)
            addDelegate("O" + toText(i / 5 + 1), "代表" + toText(i), i % 5 == 1 || i % 5 == 4 ? "女" : "男",
                        (i < 10 ? "0" : "") + toText(i));
        for (int beds : {1, 2, 2, 3, 4})
            exec("insert  into 房间信息 (宾馆名称,房间编号,房间类别,房间人数,已住人数,性别,会议编号) values ('宾馆','"
                 + toText(201 + rooms_++) + "','标准'," + toText(beds) + ",0,'无',1)");
        for (int seats : {3, 5, 8})
            exec("insert  into 餐桌信息 (餐厅名称,餐桌编号,可坐人数,已坐人数,会议编号) values ('大厅','"
                 + toText(1 + tables_++) + "号桌'," + toText(seats) + ",0,1)");
        Window scratch{"scratch", {0, 0, 10, 10}, ""};
        DataSource hall{scratch, "hall"};
        drawHall(hall, kSeatRows, kSeatColumns);
        EXPECT_TRUE(execSql(db, "insert into 自制模板 (表格次序,模板名称,会议编号,模板) values (1,'图',1,?)",
                            tableToBytes(hall)));
    }
    int any(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // What the open chart shows against what the delegates of meeting 1
    // have stored as their seat in it: each delegate once, and stored where
    // the name stands.
    TextList seatFaults(MainWindow& w)
    {
        std::map<Text, Text> shown;   // delegate id -> seat label
        TextList faults;
        for (int r = 3; r <= kSeatRows + 2; ++r)
            for (int c = 2; c <= kSeatColumns + 1; ++c) {
                const Text face = cellFontName(w.数据源1, r, c);
                const bool seated = !face.empty() && face.find_first_not_of("0123456789") == Text::npos
                                 && face.find_first_not_of('0') != Text::npos;
                if (cellText(w.数据源1, r, c).empty() || !seated)
                    continue;
                if (!shown.emplace(face, cellText(w.数据源1, r, 1) + cellText(w.数据源1, 2, c) + "列").second)
                    faults.push_back(face + " 坐了两处");
            }
        for (const Text& row : rows("select * from 代表信息 where 会议编号=1", {"代表id", "表1"})) {
            const Text id = row.substr(0, row.find('|')), stored = row.substr(row.find('|') + 1);
            const auto seat = shown.find(id);
            if (stored != (seat == shown.end() ? "0" : seat->second))
                faults.push_back(id + " 存的座次 " + stored);
        }
        return faults;
    }

    // The steps of both pages. A step that needs the other mode switches
    // to it first, as a person would.
    std::vector<Step> pageSteps(MainWindow& w, const Page& p)
    {
        auto manual = [&w, p] {
            if (!p.pending.visible() || treeItemCount(w.树型框1) == 0)
                click(p.refresh);
        };
        return {
            {"refresh", 2, false, [p] { click(p.refresh); }},
            {"pick", 10, false,
             [this, &w, p, manual] {
                 manual();
                 if (listRowCount(p.places) == 0 || treeItemCount(w.树型框1) == 0)
                     return;
                 clickListRow(p.places, any(listRowCount(p.places)));
                 for (int n = 1 + any(2); n > 0; --n)
                     clickTreeItem(w.树型框1, any(treeItemCount(w.树型框1)));
             }},
            {"cancel a pick", 2, false,
             [this, p] {
                 if (!p.pending.visible() || listRowCount(p.pending) == 0)
                     return;
                 clickListRow(p.pending, any(listRowCount(p.pending)));
                 click(p.cancel);
             }},
            {"commit", 4, true,
             [p] {
                 if (p.pending.visible())
                     click(p.confirm);
             }},
            {"automatic run", 3, true, [p] { click(p.automatic); }},
            {"maintenance", 1, false, [p] { click(p.adjust); }},
            {"clear all", 1, true, [p] { click(p.clearAll); }},
            {"delete a delegate", 2, true,
             [this, &w, p] {
                 pressToolButton(w.工具条1, 0);
                 const int count = treeItemCount(w.树型框1);
                 if (count > 10) {
                     const int item = any(count - 1);
                     clickTreeItem(w.树型框1, treeItemHasChildren(w.树型框1, item) ? item + 1 : item);
                     click(w.按钮6);
                 }
                 chooseMenuItem(p.menu);
             }},
            {"add a delegate", 2, true,
             [this, &w, p] {
                 pressToolButton(w.工具条1, 0);
                 click(w.按钮5);
                 w.编辑框1.setContent("新" + toText(++delegates_));
                 w.编辑框2.setContent("O" + toText(1 + any(4)));
                 w.编辑框6.setContent(toText(100 + delegates_));
                 chooseComboItem(w.组合框1, any(2));
                 click(w.按钮7);
                 chooseMenuItem(p.menu);
             }},
            {"seat delegates and save the chart", 2, true,
             [this, &w, p] {
                 chooseMenuItem(w.会场座次);
                 chooseComboItem(w.大会座次表, 0);
                 // Organisation items queue nobody; a click on a seat with
                 // nobody queued picks its delegate up or puts one down.
                 const int waiting = treeItemCount(w.树型框1);
                 for (int n = waiting > 0 ? any(3) : 0; n > 0; --n)
                     clickTreeItem(w.树型框1, any(waiting));
                 for (int n = 1 + any(2); n > 0; --n)
                     clickGridCell(w.表格1, 3 + any(kSeatRows), 2 + any(kSeatColumns));
                 click(w.保存座次表);
                 const TextList faults = seatFaults(w);
                 stepFaults_.insert(stepFaults_.end(), faults.begin(), faults.end());
                 chooseMenuItem(p.menu);
             }},
        };
    }

    // Runs `count` steps, each of a desk drawn at random and drawn by weight
    // from its steps, and checks after each; a failure names the steps that
    // led to it.
    void run(const std::vector<Desk>& desks, int count)
    {
        std::vector<std::discrete_distribution<int>> draws;
        for (const Desk& desk : desks) {
            bringToFront(desk.w);
            chooseMenuItem(desk.menu);
            std::vector<int> weights;
            for (const Step& s : desk.steps)
                weights.push_back(s.weight);
            draws.emplace_back(weights.begin(), weights.end());
        }
        person.answerEveryMessage(AnswerOk);
        std::map<std::string, std::pair<int, int>> writing;   // a writing step's draws, and those that stored
        std::string done;
        for (int i = 0; i < count && !HasFatalFailure(); ++i) {
            const int d = any(static_cast<int>(desks.size()));
            const Step& step = desks[d].steps[draws[d](random_)];
            done += desks[d].name + " " + step.name + "; ";
            const TextList before = meetingRows(1);
            const size_t shown = person.messages().size();
            bringToFront(desks[d].w);
            step.act();
            TextList found = countFaults();
            found.insert(found.end(), stepFaults_.begin(), stepFaults_.end());
            stepFaults_.clear();
            const auto messages = person.messages();
            for (size_t m = shown; m < messages.size(); ++m)
                if (findText(messages[m].text + messages[m].caption, "失败") != -1)
                    found.push_back("报了失败：" + messages[m].text);
            if (step.writes) {
                ++writing[step.name].first;
                writing[step.name].second += meetingRows(1) != before;
            }
            std::string faults;
            for (const Text& fault : found)
                faults += gbkToUtf8(fault) + "\n";
            ASSERT_EQ(faults, "") << "after step " << i << ": " << done;
        }
        int drawn = 0, stored = 0;
        for (const auto& [name, counts] : writing) {
            EXPECT_GT(counts.second, 0) << name << " never stored anything";
            drawn += counts.first;
            stored += counts.second;
        }
        EXPECT_GE(stored * 2, drawn) << stored << " of " << drawn << " writing steps stored something";
    }

    // A desk on `page` that takes the page's steps and `own` ones.
    Desk desk(const std::string& name, MainWindow& w, const Page& page, const std::vector<Step>& own)
    {
        std::vector<Step> steps = pageSteps(w, page);
        steps.insert(steps.end(), own.begin(), own.end());
        return {name, w, page.menu, steps};
    }
    // A step of the maintenance mode, which it switches to first; it acts
    // while the list holds `fewest` to `most` places.
    static Step maintenanceStep(const char* name, const Page& p, int fewest, int most, std::function<void()> act)
    {
        return {name, 2, true, [p, fewest, most, act] {
                    if (p.pending.visible())
                        click(p.adjust);
                    const int places = listRowCount(p.places);
                    if (places >= fewest && places <= most)
                        act();
                }};
    }

    Desk roomDesk(const std::string& name, MainWindow& w)
    {
        const Page page{w.客房分配, w.超级列表框1, w.超级列表框2, w.确定手动分配, w.删除表项,
                        w.手动分配, w.自动分配, w.房间调整, w.全部清空};
        return desk(name, w, page, {
            {"exclude", 1, false,
             [this, &w] {
                 if (treeItemCount(w.树型框1) == 0)
                     return;
                 const int item = any(treeItemCount(w.树型框1));
                 clickTreeItem(w.树型框1, item);
                 clickTreeItem(w.树型框1, item, RightButton);
             }},
            {"tick", 1, false,
             [this, &w] {
                 if (listRowCount(w.超级列表框1) > 0)
                     clickListRowTick(w.超级列表框1, any(listRowCount(w.超级列表框1)));
             }},
            maintenanceStep("delete rooms", page, 3, INT_MAX,
                            [this, &w] {
                                clickListRowTick(w.超级列表框1, any(listRowCount(w.超级列表框1)));
                                click(w.删除表项);
                            }),
            maintenanceStep("add rooms", page, 0, 6,
                            [this, &w] {
                                w.编辑框8.setContent("宾馆");
                                w.编辑框9.setContent("标准");
                                w.编辑框10.setContent(toText(301 + rooms_));
                                w.编辑框11.setContent(toText(301 + rooms_ + 1));
                                w.编辑框12.setContent(toText(1 + any(3)));
                                rooms_ += 2;
                                click(w.确定手动分配);
                            }),
        });
    }

    Desk tableDesk(const std::string& name, MainWindow& w)
    {
        const Page page{w.宴会座次, w.超级列表框3, w.超级列表框4, w.确定手动分配1, w.删除表项1,
                        w.手动分配1, w.自动分配1, w.餐桌调整, w.全部清空1};
        return desk(name, w, page, {
            maintenanceStep("delete a table", page, 3, INT_MAX,
                            [this, &w] {
                                clickListRow(w.超级列表框3, any(listRowCount(w.超级列表框3)));
                                click(w.删除表项1);
                            }),
            maintenanceStep("add tables", page, 0, 6,
                            [this, &w] {
                                w.编辑框17.setContent("大厅");
                                w.编辑框14.setContent(toText(2 + any(4)));
                                w.编辑框16.setContent(toText(10 + tables_));
                                w.编辑框15.setContent(toText(10 + tables_ + 1));
                                tables_ += 2;
                                click(w.确定手动分配1);
                            }),
        });
    }

    static constexpr int kSeatRows = 4, kSeatColumns = 5;
    std::mt19937 random_{20241210};
    int rooms_ = 0, tables_ = 0, delegates_ = 0;
    TextList stepFaults_;   // found inside the last step
};

TEST_F(AssignmentSequenceTest, RoomCountsHoldAfterEveryStepOfEitherDesk)
{
    MainWindow& first = openUnlocked();
    run({roomDesk("first", first), roomDesk("second", openOtherDesk())}, 500);
}

TEST_F(AssignmentSequenceTest, TableCountsHoldAfterEveryStepOfEitherDesk)
{
    MainWindow& first = openUnlocked();
    run({tableDesk("first", first), tableDesk("second", openOtherDesk())}, 500);
}

} // namespace
