#include "desk/seating_charts.h"

bool storeSeatingChart(ExternalDatabase& database, int meeting, int chart, int slot, const Bytes& document,
                       const std::vector<ChartSeat>& seats)
{
    const Text k = toText(slot), m = toText(meeting);
    Transaction unit(database);
    execSql(database, "update 自制模板 set 模板=?  where 模板id=" + toText(chart), document);
    execSql(database, "update 代表信息 set 表" + k + "='0'   where  会议编号=" + m);
    for (const ChartSeat& seat : seats)
        if (isWholeNumberText(seat.delegate))
            execSql(database, "update 代表信息 set 表" + k + "='" + sqlText(seat.label) + "'   where  代表id="
                                  + seat.delegate + " and 会议编号=" + m);
    return unit.commit();
}

bool storeNewChart(ExternalDatabase& database, int meeting, int slot, const Text& name, const Bytes& document)
{
    const Text k = toText(slot), m = toText(meeting);
    Transaction unit(database);
    execSql(database, "insert into 自制模板  (表格次序,模板名称,会议编号,模板) values (" + k + ",'" + sqlText(name) + "',"
                          + m + ",?)",
            document);
    execSql(database, "update 会议信息 set 表" + k + "='" + sqlText(name) + "'  where 会议编号=" + m);
    return unit.commit();
}
