#include "app/state/connection.h"
#include "common/files.h"

Text connectionText() { return connectionTextFor(programDirectory()); }

Text connectionTextFor(const Text& d)
{
    return "ODBC;DBQ=" + d + "\\meeting.mdb;DefaultDir= " + d
         + ";Driver={Microsoft Access Driver (*.mdb)};DriverId=25;FIL=MS Access;MaxBufferSize=2048;FILEDSN="
         + d + "\\Meeting.dsn;MaxScanRows=8;PageTimeout=5;SafeTransactions=0;Threads=3;UID=admin;pwd=q7m3x92k4t;UserCommitSync=Yes;";
}
