#pragma once
// A main window on meeting 1 of a seeded test database, beside meeting 2
// whose rows no action of meeting 1 may change.
#include "desk/main_window.h"
#include "tests/app/app_fixture.h"

class DeskTest : public AppTest {
protected:
    DeskTest() { seedOtherMeeting(); }
    // After the test's own fixture has seeded what it needs.
    void SetUp() override { otherMeetingBefore_ = meetingRows(2); }
    void TearDown() override
    {
        auto lines = [](const TextList& rows) {
            std::string all;
            for (const Text& row : rows)
                all += gbkToUtf8(row) + "\n";
            return all;
        };
        EXPECT_EQ(lines(meetingRows(2)), lines(otherMeetingBefore_)) << "meeting 2 changed";
    }

    // Delegates of meeting 1: (单位, 姓名, 性别, 代表编号).
    void addDelegate(const Text& unit, const Text& name, const Text& sex, const Text& number, int meeting = 1)
    {
        exec("insert  into 代表信息 (姓名,单位,性别,代表编号,会议编号) values ('" + sqlText(name) + "','"
             + sqlText(unit) + "','" + sex + "','" + number + "'," + toText(meeting) + ")");
    }
    MainWindow& open()
    {
        otherMeetingBefore_ = meetingRows(2);   // with what the test added to it
        currentMeetingId = 1;
        currentMeetingName = "一号会";
        window = loadWindow<MainWindow>(nullptr, false);
        EXPECT_NE(window, nullptr);
        return *window;
    }
    MainWindow& openUnlocked()
    {
        MainWindow& w = open();
        chooseMenuItem(w.数据锁定);
        return w;
    }
    // The tree as "text/image/value" per item, top-down.
    TextList tree()
    {
        TextList items;
        for (int i = 0; i < treeItemCount(window->树型框1); ++i)
            items.push_back(treeItemText(window->树型框1, i) + "/" + toText(treeItemImage(window->树型框1, i))
                            + "/" + (treeItemValue(window->树型框1, i) != 0 ? "1" : "0"));
        return items;
    }

    MainWindow* window = nullptr;

private:
    TextList otherMeetingBefore_;
};
