#pragma once
// The report window: the meeting's printed matter. It is opened (owned by
// the main window, not modal) after the main window has stored the report
// kind; on creation it opens its own connection, reads the kind once, loads
// the kind's grid template from the program directory and fills it. Page 0
// shows the filled report with print preview, text export, a replacement
// title and a font for the selected cells; page 1 is the badge page, which
// the kind "代表证" opens on.
#include "common/database/database.h"
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
    GroupBox 分组框1{报表选择夹.page(0), "分组框1", {4, 30, 778, 466}, "会议报表"};
    GridTable 表格1{分组框1, "表格1", {8, 18, 762, 440}, "报表数据源"};
    GroupBox 分组框2{报表选择夹.page(0), "分组框2", {4, 498, 778, 50}, ""};
    Button 报表打印{分组框2, "报表打印", {12, 18, 80, 24}, "报表打印"};
    Button 导出{分组框2, "导出", {100, 18, 80, 24}, "存为文本"};
    ComboBox 座次报表{分组框2, "座次报表", {196, 20, 200, 20}};
    EditBox 编辑框1{分组框2, "编辑框1", {412, 18, 260, 24}};
    Button 修改标题{分组框2, "修改标题", {684, 18, 80, 24}, "修改标题"};

    // Page 1, "证件模板": the badge designer. The badge picture and its five
    // elements; positions inside 图片框1.
    GroupBox 分组框3{报表选择夹.page(1), "分组框3", {4, 30, 440, 268}, ""};
    Canvas 画板1{分组框3, "画板1", {8, 16, 424, 246}};
    PictureBox 图片框1{画板1, "图片框1", {4, 4, 416, 238}};
    TransparentLabel 会议名称标签{图片框1, "会议名称标签", {76, 5, 332, 48}};
    TransparentLabel 姓名标签{图片框1, "姓名标签", {136, 112, 104, 40}};
    TransparentLabel 单位标签{图片框1, "单位标签", {80, 192, 208, 24}};
    TransparentLabel 出席证标签{图片框1, "出席证标签", {20, 127, 32, 104}, "出席证"};
    PictureBox 照片框{图片框1, "照片框", {288, 87, 128, 151}};
    GroupBox 分组框4{报表选择夹.page(1), "分组框4", {452, 30, 326, 52}, "选择模板"};
    ComboBox 组合框1{分组框4, "组合框1", {12, 20, 300, 22}, {"会议出席证"}, 0};
    GroupBox 分组框5{报表选择夹.page(1), "分组框5", {452, 86, 326, 108}, "调整标签大小"};
    Label 横标签{分组框5, "横标签", {12, 24, 30, 20}, "横："};
    EditBox 横{分组框5, "横", {44, 20, 60, 24}};
    Label 纵标签{分组框5, "纵标签", {116, 24, 30, 20}, "纵："};
    EditBox 纵{分组框5, "纵", {148, 20, 60, 24}};
    Label 高标签{分组框5, "高标签", {12, 56, 30, 20}, "高："};
    EditBox 高{分组框5, "高", {44, 52, 60, 24}};
    Label 宽标签{分组框5, "宽标签", {116, 56, 30, 20}, "宽："};
    EditBox 宽{分组框5, "宽", {148, 52, 60, 24}};
    Button 字体按钮{分组框5, "字体按钮", {228, 20, 84, 24}, "字体"};
    Label 式样标签{分组框5, "式样标签", {228, 50, 84, 18}, "标签式样"};
    ComboBox 标签式样{分组框5, "标签式样", {228, 70, 84, 22}, {"通常", "凹入", "突出", "阴影"}};
    GroupBox 分组框6{报表选择夹.page(1), "分组框6", {452, 198, 326, 100}, "打印项目"};
    CheckBox 会议名称{分组框6, "会议名称", {12, 22, 96, 20}, "会议名称", true};
    CheckBox 姓名{分组框6, "姓名", {116, 22, 96, 20}, "代表姓名", true};
    CheckBox 单位{分组框6, "单位", {220, 22, 96, 20}, "单　　位", true};
    CheckBox 照片{分组框6, "照片", {12, 50, 96, 20}, "照 片 框", true};
    CheckBox 出席证{分组框6, "出席证", {116, 50, 96, 20}, "出席证", true};
    Label 标签6{分组框6, "标签6", {220, 52, 96, 20}, "工作证"};
    GroupBox 分组框7{报表选择夹.page(1), "分组框7", {4, 302, 440, 84}, "记录打印"};
    Label 记录标签{分组框7, "记录标签", {20, 20, 400, 18}, "首记录| 前 | 后 |尾记录"};
    ImageButton 图形按钮1{分组框7, "图形按钮1", {20, 42, 90, 32}};
    ImageButton 图形按钮4{分组框7, "图形按钮4", {124, 42, 90, 32}};
    ImageButton 图形按钮3{分组框7, "图形按钮3", {228, 42, 90, 32}};
    ImageButton 图形按钮2{分组框7, "图形按钮2", {332, 42, 90, 32}};
    GroupBox 分组框8{报表选择夹.page(1), "分组框8", {452, 302, 326, 84}, ""};
    Button 保存{分组框8, "保存", {12, 16, 96, 26}, "保存"};
    Button 打印{分组框8, "打印", {116, 16, 96, 26}, "打印"};
    Button 模板高{分组框8, "模板高", {220, 16, 96, 26}, "模板高"};
    Button 模板宽{分组框8, "模板宽", {12, 48, 96, 26}, "模板宽"};
    Button 换底图{分组框8, "换底图", {116, 48, 96, 26}, "换底图"};
    Button 清底图{分组框8, "清底图", {220, 48, 96, 26}, "清底图"};
    CommonDialog 字体对话框{"字体对话框", CommonDialog::Font};
    CommonDialog 底图对话框{"底图对话框", CommonDialog::FileOpen};

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

    // Block reports: the group discussion report and the address book.
    void fillGroupDiscussionReport();
    void fillAddressBookReport();

    // Seating report: the chart chooser, then the report of the chosen chart.
    void fillSeatingChartChooser();
    void onSeatingChartChosen();
    void fillSeatingChartReport(int chart, const Text& chartName);

    // Badge page. The record handlers stay on the first or last delegate at
    // the ends and do nothing without a delegate.
    void badgeShowFirstRecord();
    void badgeShowPreviousRecord();
    void badgeShowNextRecord();
    void badgeShowLastRecord();
    void selectBadgeMeetingName();
    void selectBadgeName();
    void selectBadgeUnit();
    void selectBadgeKindLabel();
    void selectBadgePhotoFrame();
    void applyBadgeElementLeft();
    void applyBadgeElementTop();
    void applyBadgeElementWidth();
    void applyBadgeElementHeight();
    void applyBadgeElementFont();
    void applyBadgeElementStyle();
    void toggleBadgeMeetingName();
    void toggleBadgeName();
    void toggleBadgeUnit();
    void toggleBadgePhoto();
    void toggleBadgeKindLabel();
    void setBadgeKindStaff();
    void changeBadgeBackground();
    void clearBadgeBackground();
    void setBadgeTemplateHeight();
    void setBadgeTemplateWidth();
    void printBadge();
    // True when the layout statement ran.
    bool saveBadgeLayout();

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
    // One group of the group report from row `row`; gives the next group's row.
    int writeGroupBlock(int groups, int row);
    // Address book: the frame, heading and number of one page at (row, column).
    void writeAddressPage(int row, int column, int page);
    Text meetingDate();

    void wireBadgePage();
    void showBadgeRecord(void (*move)(int recordSet));
    // The element named by activeBadgeElement; nullptr for none.
    Unit* activeElement();
    TransparentLabel* activeTextElement();
    void selectBadgeElement(Unit& element, const Text& name);
    void applyBadgeElementNumber(const EditBox& box, void (Unit::*set)(int));
    // Changes a text element out of sight and gives it back its visibility.
    void changeTextElement(const std::function<void(TransparentLabel&)>& change);
    void askBadgeSize(const Text& prompt, const Text& caption, void (Unit::*set)(int), int current, int largest);

    Text kind_;
};
