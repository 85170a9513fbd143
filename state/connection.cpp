#include "state/connection.h"
#include "common/database/database.h"
#include "common/files/files.h"

Text connectionText() { return connectionTextFor(programDirectory()); }

Text connectionTextFor(const Text& d)
{
    return "ODBC;DBQ=" + d + "\\meeting.mdb;DefaultDir= " + d
         + ";Driver={Microsoft Access Driver (*.mdb)};DriverId=25;FIL=MS Access;MaxBufferSize=2048;FILEDSN="
         + d + "\\Meeting.dsn;MaxScanRows=8;PageTimeout=5;SafeTransactions=0;Threads=3;UID=admin;pwd=q7m3x92k4t;UserCommitSync=Yes;";
}

bool openMeetingConnection(ExternalDatabase& unit)
{
    if (!openDatabase(unit, connectionText()))
        return false;
    // As in the delivered schema (delivered/database/meeting.sql).
    for (const char* index : {
             "CREATE INDEX IF NOT EXISTS 代表信息_房间 ON 代表信息 (会议编号, 宾馆名称, 房间编号, 代表编号)",
             "CREATE INDEX IF NOT EXISTS 代表信息_餐桌 ON 代表信息 (会议编号, 餐厅名称, 餐桌编号, 代表编号)",
             "CREATE INDEX IF NOT EXISTS 代表信息_分组 ON 代表信息 (会议编号, 分组编号, 代表编号)"})
        execSql(unit, index);
    return true;
}
