#include "desk/main_window.h"
#include "desk/tools/backup_window.h"
#include "desk/tools/restore_window.h"
#include "editor/template_editor_window.h"
#include "reports/report_window.h"

// The report window reads the report kind and the meeting when it is
// created; it belongs to this window and closes with it.
void MainWindow::openReportWindow() { loadWindow<ReportWindow>(this, false); }

// The editor has no owner: it stays open when this window closes. A second
// choice of the item brings the open editor back rather than opening another.
void MainWindow::onMenuTemplateEditorClick() { showTemplateEditor(); }

// Modal and without owner; a completed restore closes this window too.
void MainWindow::onMenuBackupClick() { loadWindow<BackupWindow>(nullptr, true); }
void MainWindow::onMenuRestoreClick() { loadWindow<RestoreWindow>(nullptr, true, this); }
