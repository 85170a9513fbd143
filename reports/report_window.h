#pragma once
// The report window: the meeting's printed matter. It is opened (owned by
// the main window, not modal) after the main window has stored the report
// kind; on creation it opens its own connection, reads the kind once, loads
// the kind's grid template from the program directory and fills it. Page 0
// shows the filled report with print preview, text export, a replacement
// title and a font for the selected cells; page 1 is the badge page, which
// the kind "代表证" opens on.
#include "common/database.h"
#include "common/runtime.h"

#include <functional>

class ReportWindow : public Window {
public:
    ReportWindow();

    ExternalDatabase 报表外部数据库{*this, "报表外部数据库"};
    GenericProvider 报表提供者{*this, "报表提供者"};
    DataSource 报表数据源{*this, "报表数据源", "报表提供者"};
    CommonDialog 字体对话框1{"字体对话框1", CommonDialog::Font};
    CommonDialog 导出对话框{"导出对话框", CommonDialog::FileSave};

    TabControl 报表选择夹{*this, "报表选择夹", {0, 0, 792, 555}, {"会议报表", "证件模板"}};
    // Page 0: the report.
    GroupBox 分组框1{报表选择夹.page(0), "分组框1", {4, 2, 778, 466}, "会议报表"};
    GridTable 表格1{分组框1, "表格1", {8, 18, 762, 440}, "报表数据源"};
    GroupBox 分组框2{报表选择夹.page(0), "分组框2", {4, 470, 778, 50}, ""};
    Button 报表打印{分组框2, "报表打印", {12, 18, 80, 24}, "报表打印"};
    Button 导出{分组框2, "导出", {100, 18, 80, 24}, "存为文本"};
    ComboBox 座次报表{分组框2, "座次报表", {196, 20, 200, 20}};
    EditBox 编辑框1{分组框2, "编辑框1", {412, 18, 260, 24}};
    Button 修改标题{分组框2, "修改标题", {684, 18, 80, 24}, "修改标题"};
    // Page 1, "证件模板": the badge page's units belong there.

    // The current record set of this window alone: the meeting's delegates
    // in 代表编号 order when opened for "代表证", else 0.
    int reportRecordSet = 0;

    // The report kind as it was when the window was created.
    const Text& openedKind() const { return kind_; }

    // Handlers.
    void openReportByKind();
    void openReportDatabase();
    void previewReportPrint();
    void exportReportAsDoc();
    void setGridSelectionFont();
    void replaceReportTitle();
    void closeReportDatabase();

    // List reports: one line per room, banquet table or delegate.
    void fillRoomListReport();
    void fillDiningTableReport();
    void fillDelegateListReport();

private:
    void openBadgePage();
    bool loadReportTemplate();
    void runFillOfKind();
    // The scheme the list reports share: title, then one line per record of
    // `sql` from row 3 on; `writeLine` writes columns 2.. of `row`.
    void fillListReport(const DefaultCellFormat& format, const Text& title, const Text& sql,
                        const Text& failure, const std::function<void(int recordSet, int row)>& writeLine);
    // The 姓名 of every record of `sql` joined by `separator`; `failure` is
    // shown when the query fails.
    Text joinedNames(const Text& sql, const Text& separator, const Text& failure);

    Text kind_;
};
