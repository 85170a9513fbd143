#include "desk/main_window.h"
#include "reports/report_window.h"

// The report window reads the report kind and the meeting when it is
// created; it belongs to this window and closes with it.
void MainWindow::openReportWindow() { loadWindow<ReportWindow>(this, false); }
