// The automatic room assignment: the pending delegates of the tree go into
// the ticked rooms by runs of one organisation and one sex.
#include "desk/main_window.h"
#include "app/state/globals.h"

namespace {

enum Sex { Man = 0, Woman = 1 };

struct Walk {
    MainWindow& w;
    int count = treeItemCount(w.树型框1);
    int openRoom[2] = {-1, -1};
    int cursor[2] = {0, 0};

    bool isNode(int k) const { return treeItemHasChildren(w.树型框1, k) != 0; }
    bool pending(int k) const { return k < count && !isNode(k) && treeItemValue(w.树型框1, k) != 0; }
    Sex sexOf(int k) const { return treeItemImage(w.树型框1, k) == 3 ? Woman : Man; }
    bool pendingOf(int k, Sex sex) const { return pending(k) && sexOf(k) == sex; }
    double number(int row, int cell) const { return toNumber(listCellText(w.超级列表框1, row, cell)); }
    bool hasFreeBed(int row) const { return number(row, 3) > number(row, 4); }
    bool full(int row) const { return number(row, 4) >= number(row, 3); }

    // Writes one placement; `givesSex` for the room being filled. The stored
    // room gains one guest of this sex: the list the run works on may also
    // count picks that are not committed, so its cells are not written back.
    // False, with nothing more to write, once a statement has failed.
    bool place(int k, int row, bool givesSex)
    {
        const Sex sex = sexOf(k);
        const int delegate = treeItemValue(w.树型框1, k);
        setListCellText(w.超级列表框1, row, 4, toText(number(row, 4) + 1));
        if (givesSex)
            setListCellText(w.超级列表框1, row, 5, sex == Man ? "男" : "女");
        w.consumeTreeItem(k, treeItemImage(w.树型框1, k) + 3);
        return execSql(w.外部数据库1, "update 代表信息 set  宾馆名称 ='" + sqlText(listCellText(w.超级列表框1, row, 0))
                                          + "',房间编号='" + sqlText(listCellText(w.超级列表框1, row, 1))
                                          + "'  where  代表id=" + toText(delegate))
            && execSql(w.外部数据库1, "update 房间信息 set 已住人数 =已住人数+1" + Text(sex == Man ? ",性别='男'" : ",性别='女'")
                                          + "  where  房间id=" + toText(listRowValue(w.超级列表框1, row)));
    }
};

} // namespace

void MainWindow::onDelegateTreeRightButton()
{
    const int item = 树型框1.currentItem();
    if (treeItemValue(树型框1, item) == 0)
        return;
    consumeTreeItem(item, treeItemImage(树型框1, item) + 5);
}

void MainWindow::autoAssignRooms()
{
    LongOperation bracket;
    分组框9.setVisible(false);
    超级列表框2.setVisible(true);
    if (messageBox("请先按‘刷新待分’按钮刷新，然后标记不参加本次自动分配的代表（在代表名字上依次按鼠标左右键）\r\n"
                   "和房间（去掉房间前的勾）。\r\n未准备好请按取消！",
                   BoxOkCancel | IconExclamation, "警告") != AnswerOk)
        return;
    const int rows = listRowCount(超级列表框1);
    bool anyTicked = false;
    for (int row = 0; row < rows; ++row)
        anyTicked = anyTicked || listRowChecked(超级列表框1, row);
    if (!anyTicked) {
        messageBox("请先选中待分配的房间项！", BoxOk, "注意");
        return;
    }
    // The run is one unit: a failed placement undoes every placement before
    // it, and the tab then shows the stored rooms again.
    Transaction unit(外部数据库1);
    // The list counts the picks not yet confirmed: they are stored first, or
    // the walk would place guests beside delegates who never get the bed.
    bool written = writePendingRooms();
    Walk walk{*this};
    auto finish = [this, &unit](const Text& message, bool refresh) {
        const bool kept = unit.commit();
        endLongOperation();
        if (!kept) {
            onRefreshUnassignedClick();
            messageBox("自动分配失败！", BoxOk, "");
            return;
        }
        messageBox(message, BoxOk, "");
        if (refresh)
            onRefreshUnassignedClick();
    };
    if (!written)
        return finish("", false);
    int t = 1, j = 0;
    for (int r = 0; r < rows;) {
        if (!listRowChecked(超级列表框1, r) || !walk.hasFreeBed(r)) {
            ++r;
            continue;
        }
        if (listCellText(超级列表框1, r, 4) != "0") {
            const Text sex = listCellText(超级列表框1, r, 5);
            if (sex == "男")
                walk.openRoom[Man] = r;
            else if (sex == "女")
                walk.openRoom[Woman] = r;
            ++r;
            continue;
        }
        while (t < walk.count && treeItemValue(树型框1, t) == 0)
            ++t;
        if (t >= walk.count)
            return finish("代表分配完毕", false);

        const int s = t;
        const Sex sex = walk.sexOf(s), other = sex == Man ? Woman : Man;
        int remaining = toInteger(walk.number(r, 3));
        bool metOther = false;
        for (j = s; remaining > 0 && j < walk.count && !walk.isNode(j); ++j) {
            if (walk.pendingOf(j, sex)) {
                --remaining;
            } else if (walk.pendingOf(j, other) && j >= walk.cursor[other] && !metOther) {
                t = j;
                walk.cursor[other] = j;
                metOther = true;
            }
        }

        bool intoOpen = false, intoRow = false;
        for (int k = walk.cursor[sex]; written && k < j; ++k) {
            if (!walk.pendingOf(k, sex))
                continue;
            int& open = walk.openRoom[sex];
            if (remaining == 0 || open < 0) {
                written = walk.place(k, r, true);
                intoRow = true;
                if (remaining != 0)
                    open = r;
            } else {
                written = walk.place(k, open, false);
                intoOpen = true;
                if (walk.full(open))
                    open = -1;
            }
        }
        if (!written)
            return finish("", false);
        walk.cursor[sex] = std::max(walk.cursor[sex], j);

        if (!metOther) {
            if (j < walk.count && walk.isNode(j)) {
                t = j + 1;
                if (t >= walk.count)
                    return finish("代表分配完毕，请查看‘客房报表’", true);
            } else {
                int p = j;
                while (p < walk.count && !(walk.pendingOf(p, Woman) && p >= walk.cursor[Woman])
                       && !(walk.pendingOf(p, Man) && p >= walk.cursor[Man]))
                    ++p;
                if (p >= walk.count)
                    return finish("代表分配完毕,请查看‘客房报表’", true);
                t = p;
                walk.cursor[walk.sexOf(p)] = p;
                j = p;
            }
        }
        // A run that went wholly into an open room leaves this room empty.
        if (!(intoOpen && !intoRow))
            ++r;
    }
    endLongOperation();
    for (int k = j; written && k < walk.count; ++k) {
        if (!walk.pending(k))
            continue;
        const int open = walk.openRoom[walk.sexOf(k)];
        if (open >= 0 && walk.hasFreeBed(open))
            written = walk.place(k, open, false);
    }
    finish("房间不够分配", true);
}
