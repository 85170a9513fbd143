#pragma once
// The conference desk: one window per login, on the meeting chosen there.
// It opens locked: the editing units stay disabled until the data lock is
// released from the menu.
#include "common/database/database.h"
#include "common/runtime.h"

#include <vector>

struct PlaceKind;

class MainWindow : public Window {
public:
    MainWindow();

    // Menus. Shortcut codes: 1-26 Ctrl+A..Z, 27-38 F1..F12.
    Menu 信息处理{*this, "&D.信息处理", 16};
    MenuItem 代表录入{信息处理, "代表录入", "&I.代表录入"};
    MenuSeparator 分隔1{信息处理};
    MenuItem 会议分组{信息处理, "会议分组", "&G.会议分组"};
    MenuItem 客房分配{信息处理, "客房分配", "&R.客房分配"};
    MenuItem 会场座次{信息处理, "会场座次", "&M.会场座次"};
    MenuItem 宴会座次{信息处理, "宴会座次", "&E.宴会座次"};
    MenuSeparator 分隔2{信息处理};
    MenuItem 数据锁定{信息处理, "数据锁定", "&L.数据锁定"};
    Menu 信息查询{*this, "&I.信息查询"};
    MenuItem 代表报到{信息查询, "代表报到", "&C.代表报到", 27};
    Menu 报表打印{*this, "&P.报表打印"};
    MenuItem 模表制作{报表打印, "模表制作", "&D.模表制作", 34};
    MenuSeparator 分隔3{报表打印};
    MenuItem 分组报表{报表打印, "分组报表", "&G.分组报表"};
    MenuItem 代表报表{报表打印, "代表报表", "&P.代表报表"};
    MenuItem 座次报表{报表打印, "座次报表", "&M.座次报表"};
    MenuItem 客房报表{报表打印, "客房报表", "&R.客房报表"};
    MenuItem 餐桌报表{报表打印, "餐桌报表", "&E.餐桌报表"};
    Menu 会议工具{*this, "&T.会议工具"};
    MenuItem 代表证{会议工具, "代表证", "&C.代表证"};
    MenuSeparator 分隔4{会议工具};
    MenuItem 通讯录{会议工具, "通讯录", "&T.通讯录"};
    MenuSeparator 分隔5{会议工具};
    MenuItem 台签{会议工具, "台签", "&L.台 签"};
    Menu 系统维护{*this, "&S.系统维护"};
    MenuItem 密码修改{系统维护, "密码修改", "&X.密码修改"};
    MenuSeparator 分隔6{系统维护};
    MenuItem 数据备份{系统维护, "数据备份", "&S.数据备份", 30};
    MenuItem 数据恢复{系统维护, "数据恢复", "&R.数据恢复", 31};
    MenuSeparator 分隔7{系统维护};
    MenuItem 新建会议{系统维护, "新建会议", "&N.新建会议"};
    MenuItem 会议切换{系统维护, "会议切换", "&T.会议切换"};
    MenuSeparator 分隔8{系统维护};
    MenuItem 退出{系统维护, "退出", "&Q.退出", 17};
    Menu 帮助{*this, "&H.帮助", 27};
    MenuItem 用户手册{帮助, "用户手册", "&H.用户手册", 38};
    MenuSeparator 分隔9{帮助};
    MenuItem 关于{帮助, "关于", "&A.关于"};

    ToolBar 工具条1{*this, "工具条1", {0, 0, 800, 32}};
    ExternalDatabase 外部数据库1{*this, "外部数据库1"};

    // Left pane: the delegate tree.
    GroupBox 分组框1{*this, "分组框1", {0, 32, 192, 512}, ""};
    Label 标签1{分组框1, "标签1", {16, 16, 160, 20}, "会议代表"};
    TreeView 树型框1{分组框1, "树型框1", {16, 40, 160, 456}};

    // Right pane: the pages.
    GroupBox 分组框2{*this, "分组框2", {192, 32, 602, 512}, ""};
    TabControl 选择夹1{分组框2, "选择夹1", {4, 16, 596, 488},
                       {"代表录入", "房间分配", "分组讨论", "宴会座次", "会场座次", "台签制作",
                        "短信平台", "代表报到"},
                       false};

    // Page 0: delegates.
    GroupBox 分组框5{选择夹1.page(0), "分组框5", {16, 8, 564, 384}, "代表情况"};
    Label 标签8{分组框5, "标签8", {24, 40, 72, 20}, "姓  名："};
    EditBox 编辑框1{分组框5, "编辑框1", {104, 36, 240, 24}};
    Label 标签2{分组框5, "标签2", {24, 80, 72, 20}, "单  位："};
    EditBox 编辑框2{分组框5, "编辑框2", {104, 76, 240, 24}};
    Label 标签10{分组框5, "标签10", {24, 120, 72, 20}, "性  别："};
    ComboBox 组合框1{分组框5, "组合框1", {104, 116, 80, 24}, {"男", "女"}, 0};
    CheckBox 选择框1{分组框5, "选择框1", {264, 116, 80, 24}, "复写"};
    Label 标签9{分组框5, "标签9", {24, 160, 72, 20}, "职  务："};
    EditBox 编辑框3{分组框5, "编辑框3", {104, 156, 240, 24}};
    Label 标签7{分组框5, "标签7", {24, 200, 72, 20}, "手机号码："};
    EditBox 编辑框4{分组框5, "编辑框4", {104, 196, 240, 24}};
    Label 标签6{分组框5, "标签6", {24, 240, 72, 20}, "办公电话："};
    EditBox 编辑框5{分组框5, "编辑框5", {104, 236, 240, 24}};
    Label 标签4{分组框5, "标签4", {24, 280, 72, 20}, "代表编号："};
    EditBox 编辑框6{分组框5, "编辑框6", {104, 276, 240, 24}};
    Label 标签3{分组框5, "标签3", {24, 320, 72, 20}, "住宿房号："};
    Label 标签5{分组框5, "标签5", {104, 320, 240, 20}, ""};
    PictureBox 图片框1{分组框5, "图片框1", {384, 40, 172, 216}};
    Label 标签37{分组框5, "标签37", {410, 264, 130, 20}, "点击选取代表照片"};
    CommonDialog 通用对话框1{"通用对话框1"};
    Button 按钮5{选择夹1.page(0), "按钮5", {16, 412, 72, 24}, "添加"};
    Button 按钮6{选择夹1.page(0), "按钮6", {96, 412, 72, 24}, "删除"};
    Button 按钮7{选择夹1.page(0), "按钮7", {176, 412, 72, 24}, "保存"};
    Button 按钮1{选择夹1.page(0), "按钮1", {256, 412, 72, 24}, "刷新"};
    Label 标签18{选择夹1.page(0), "标签18", {344, 416, 72, 20}, "编号初始值："};
    EditBox 编辑框13{选择夹1.page(0), "编辑框13", {416, 412, 72, 24}};
    Button 按钮2{选择夹1.page(0), "按钮2", {496, 412, 80, 24}, "重排编号"};
    // Page 1: rooms.
    GroupBox 分组框3{选择夹1.page(1), "分组框3", {8, 4, 576, 360}, "待分配的房间"};
    ListView 超级列表框1{分组框3, "超级列表框1", {8, 20, 560, 170}, ListView::Report, true};
    ListView 超级列表框2{分组框3, "超级列表框2", {8, 196, 460, 156}};
    GroupBox 分组框9{分组框3, "分组框9", {8, 196, 460, 156}, ""};
    Label 标签12{分组框9, "标签12", {8, 28, 70, 20}, "宾馆名称："};
    EditBox 编辑框8{分组框9, "编辑框8", {80, 24, 140, 24}};
    Label 标签14{分组框9, "标签14", {236, 28, 70, 20}, "房间类别："};
    EditBox 编辑框9{分组框9, "编辑框9", {308, 24, 140, 24}};
    Label 标签15{分组框9, "标签15", {8, 76, 70, 20}, "房间编号："};
    EditBox 编辑框10{分组框9, "编辑框10", {80, 72, 60, 24}};
    Label 标签16{分组框9, "标签16", {146, 76, 18, 20}, "到"};
    EditBox 编辑框11{分组框9, "编辑框11", {166, 72, 60, 24}};
    CheckBox 选择框2{分组框9, "选择框2", {232, 72, 60, 24}, "间隔"};
    Label 标签17{分组框9, "标签17", {300, 76, 70, 20}, "房间人数："};
    EditBox 编辑框12{分组框9, "编辑框12", {372, 72, 40, 24}};
    Label 标签11{分组框3, "标签11", {476, 200, 92, 20}, "待分配房间"};
    PictureTextButton 确定手动分配{分组框3, "确定手动分配", {476, 240, 88, 28}, "确认"};
    PictureTextButton 删除表项{分组框3, "删除表项", {476, 280, 88, 28}, "取消"};
    GroupBox 分组框4{选择夹1.page(1), "分组框4", {8, 368, 576, 56}, ""};
    PictureTextButton 手动分配{分组框4, "手动分配", {16, 18, 100, 28}, "刷新待分"};
    PictureTextButton 自动分配{分组框4, "自动分配", {156, 18, 100, 28}, "自动分配"};
    PictureTextButton 房间调整{分组框4, "房间调整", {296, 18, 100, 28}, "房间调整"};
    PictureTextButton 全部清空{分组框4, "全部清空", {436, 18, 100, 28}, "全部清空"};

    // Page 2: discussion groups.
    GroupBox 分组框6{选择夹1.page(2), "分组框6", {16, 12, 564, 180}, "会议分组"};
    ListView 会议组{分组框6, "会议组", {16, 24, 524, 132}, ListView::Icons};
    RadioButton 单选框4{分组框6, "单选框4", {16, 158, 120, 20}, "会议组情况", true};
    RadioButton 单选框5{分组框6, "单选框5", {160, 158, 120, 20}, "代表分组"};
    TabControl 会议组选择夹{选择夹1.page(2), "会议组选择夹", {10, 199, 576, 281}, {"会议组", "选代表"}, false};
    GroupBox 分组框18{会议组选择夹.page(0), "分组框18", {8, 4, 556, 240}, "会议组的情况"};
    Label 标签29{分组框18, "标签29", {16, 28, 84, 20}, "会议组名称："};
    EditBox 分组名称{分组框18, "分组名称", {104, 24, 180, 24}};
    Label 标签32{分组框18, "标签32", {300, 28, 72, 20}, "会议时间："};
    EditBox 分组时间{分组框18, "分组时间", {376, 24, 164, 24}};
    Label 标签33{分组框18, "标签33", {16, 68, 84, 20}, "会议地点："};
    EditBox 分组地点{分组框18, "分组地点", {104, 64, 436, 24}};
    Label 标签34{分组框18, "标签34", {16, 108, 84, 20}, "召集人："};
    EditBox 召集人{分组框18, "召集人", {104, 104, 180, 24}};
    Label 标签35{分组框18, "标签35", {300, 108, 72, 20}, "联络员："};
    EditBox 联络员{分组框18, "联络员", {376, 104, 164, 24}};
    CheckBox 分组复写{分组框18, "分组复写", {104, 144, 80, 24}, "复写"};
    Button 新建会议组{分组框18, "新建会议组", {104, 190, 80, 26}, "新  建"};
    Button 保存会议组{分组框18, "保存会议组", {232, 190, 80, 26}, "保  存"};
    Button 删除会议组{分组框18, "删除会议组", {360, 190, 80, 26}, "删  除"};
    GroupBox 分组框8{会议组选择夹.page(1), "分组框8", {4, 0, 562, 280}, "当前组的代表"};
    ListView 当前组代表{分组框8, "当前组代表", {8, 16, 547, 233}, ListView::Report, true};
    Button 保存分组代表{分组框8, "保存分组代表", {232, 251, 96, 26}, "保       存"};
    // Page 3: banquet tables.
    GroupBox 分组框11{选择夹1.page(3), "分组框11", {8, 4, 576, 360}, "待分配的餐桌"};
    ListView 超级列表框3{分组框11, "超级列表框3", {8, 20, 560, 240}};
    ListView 超级列表框4{分组框11, "超级列表框4", {8, 266, 296, 86}};
    GroupBox 分组框10{分组框11, "分组框10", {8, 266, 296, 86}, ""};
    Label 标签23{分组框10, "标签23", {4, 14, 64, 20}, "餐厅名称："};
    EditBox 编辑框17{分组框10, "编辑框17", {70, 10, 120, 22}};
    Label 标签19{分组框10, "标签19", {196, 14, 64, 20}, "餐桌人数："};
    EditBox 编辑框14{分组框10, "编辑框14", {262, 10, 28, 22}};
    Label 标签21{分组框10, "标签21", {4, 52, 64, 20}, "餐桌编号："};
    EditBox 编辑框16{分组框10, "编辑框16", {70, 48, 40, 22}};
    Label 标签20{分组框10, "标签20", {114, 52, 16, 20}, "到"};
    EditBox 编辑框15{分组框10, "编辑框15", {132, 48, 40, 22}};
    Label 标签24{分组框10, "标签24", {176, 52, 30, 20}, "号桌"};
    PictureTextButton 确定手动分配1{分组框11, "确定手动分配1", {316, 270, 88, 28}, "确认"};
    PictureTextButton 删除表项1{分组框11, "删除表项1", {316, 310, 88, 28}, "取消"};
    GroupBox 分组框7{选择夹1.page(3), "分组框7", {8, 368, 576, 56}, ""};
    PictureTextButton 手动分配1{分组框7, "手动分配1", {16, 18, 100, 28}, "刷新待分"};
    PictureTextButton 自动分配1{分组框7, "自动分配1", {156, 18, 100, 28}, "自动分配"};
    PictureTextButton 餐桌调整{分组框7, "餐桌调整", {296, 18, 100, 28}, "餐桌调整"};
    PictureTextButton 全部清空1{分组框7, "全部清空1", {436, 18, 100, 28}, "全部清空"};
    // Page 4: seating charts.
    Label 标签13{选择夹1.page(4), "标签13", {12, 16, 72, 16}, ""};
    GroupBox 分组框16{选择夹1.page(4), "分组框16", {3, -4, 586, 32}, ""};
    // The template list's label stands above 标签13 and the list beside it.
    Label 标签31{分组框16, "标签31", {6, 4, 60, 16}, "会场样表"};
    ComboBox 大会座次模板{分组框16, "大会座次模板", {70, 4, 170, 20}};
    CheckBox 删除表格{分组框16, "删除表格", {500, 10, 84, 20}, "删除座次表"};
    Label 标签30{选择夹1.page(4), "标签30", {270, 8, 70, 16}, "会场座次表"};
    ComboBox 大会座次表{选择夹1.page(4), "大会座次表", {341, 5, 167, 20}};
    GroupBox 分组框17{选择夹1.page(4), "分组框17", {5, 30, 82, 78}, ""};
    Button 增加模板{分组框17, "增加模板", {4, 14, 74, 24}, "增加样表"};
    Button 删除模板{分组框17, "删除模板", {4, 46, 74, 24}, "删除样表"};
    ListBox 列表框2{选择夹1.page(4), "列表框2", {6, 110, 80, 224}};
    CheckBox 增删模板{选择夹1.page(4), "增删模板", {6, 338, 84, 20}, "增删样表"};
    GroupBox 分组框14{选择夹1.page(4), "分组框14", {4, 358, 84, 64}, "批量排序"};
    RadioButton 单选框3{分组框14, "单选框3", {4, 14, 78, 16}, "213排序"};
    RadioButton 单选框2{分组框14, "单选框2", {4, 30, 78, 16}, "左右排序", true};
    RadioButton 单选框1{分组框14, "单选框1", {4, 46, 78, 16}, "312排序"};
    EditBox 编辑框19{选择夹1.page(4), "编辑框19", {6, 424, 82, 20}};
    Button 修改标题{选择夹1.page(4), "修改标题", {6, 446, 82, 20}, "修改标题"};
    DataSource 数据源1{*this, "数据源1"};
    GridTable 表格1{选择夹1.page(4), "表格1", {92, 35, 496, 392}};
    GroupBox 分组框15{选择夹1.page(4), "分组框15", {92, 432, 496, 50}, ""};
    PictureTextButton 新建座次表{分组框15, "新建座次表", {8, 12, 100, 26}, "新建表格"};
    PictureTextButton 删除座次表{分组框15, "删除座次表", {128, 12, 100, 26}, "删除表格"};
    PictureTextButton 保存座次表{分组框15, "保存座次表", {248, 12, 100, 26}, "保存修改"};
    PictureTextButton 打印预览{分组框15, "打印预览", {368, 12, 100, 26}, "打印预览"};
    CommonDialog 导入模板对话框{"导入模板对话框"};
    // Page 5: table cards.
    GroupBox 分组框12{选择夹1.page(5), "分组框12", {8, 4, 576, 384}, "台签制作"};
    Label 标签22{分组框12, "标签22", {8, 18, 104, 16}, "制作台签名单："};
    ListBox 列表框1{分组框12, "列表框1", {8, 36, 104, 320}};
    Label 标签25{分组框12, "标签25", {124, 18, 120, 16}, "台签预览效果："};
    GridTable 表格3{分组框12, "表格3", {124, 36, 428, 320}};
    // The row below is packed closer than the design so that the card size shows whole.
    Label 标签26{分组框12, "标签26", {8, 362, 76, 16}, "待增加姓名："};
    EditBox 编辑框18{分组框12, "编辑框18", {84, 358, 80, 20}};
    Label 标签28{分组框12, "标签28", {168, 362, 68, 16}, "字体： 黑体"};
    CommonDialog 字体对话框{"字体对话框", CommonDialog::Font};
    Label 标签36{分组框12, "标签36", {238, 362, 36, 16}, "纸型："};
    ComboBox 台签纸型{分组框12, "台签纸型", {274, 358, 112, 20}, {"A3（中间进纸）", "A4（左边进纸）", "A4（中间进纸）"}, 0};
    Label 标签27{分组框12, "标签27", {390, 362, 36, 16}, "类别："};
    ComboBox 组合框3{分组框12, "组合框3", {428, 358, 142, 20}, {"大号（230×110mm）"}, 0};
    GroupBox 分组框13{选择夹1.page(5), "分组框13", {8, 392, 576, 44}, ""};
    PictureTextButton 增加台签名单{分组框13, "增加台签名单", {16, 10, 100, 28}, "增加名单"};
    PictureTextButton 删除台签名单{分组框13, "删除台签名单", {156, 10, 100, 28}, "删除名单"};
    PictureTextButton 生成台签{分组框13, "生成台签", {296, 10, 100, 28}, "生成台签"};
    PictureTextButton 打印预览1{分组框13, "打印预览1", {436, 10, 100, 28}, "打印预览"};

    // Page 7: check-in.
    PictureBox 图片框2{选择夹1.page(7), "图片框2", {0, 0, 592, 480}};
    TransparentLabel 横幅{图片框2, "横幅", {0, 0, 592, 64}, "热烈欢迎参加会议的代表"};
    TabControl 选择夹2{图片框2, "选择夹2", {131, 72, 329, 328}, {"打印正文", "打印样本"}};
    GroupBox 分组框19{选择夹2.page(0), "分组框19", {4, 30, 316, 292}, ""};
    RichEdit 超级编辑框2{分组框19, "超级编辑框2", {8, 16, 207, 248}};
    Button 按钮3{分组框19, "按钮3", {222, 16, 86, 24}, "样本=>"};
    Button 按钮15{分组框19, "按钮15", {222, 46, 86, 24}, "隐藏"};
    Button 按钮17{分组框19, "按钮17", {222, 76, 86, 24}, "打印"};
    PictureTextButton 超级按钮2{分组框19, "超级按钮2", {222, 110, 86, 28}, "代表报到"};
    RadioButton 单选框6{分组框19, "单选框6", {222, 200, 90, 20}, "已报到代表"};
    RadioButton 单选框7{分组框19, "单选框7", {222, 224, 90, 20}, "未报到代表", true};
    GroupBox 分组框20{选择夹2.page(1), "分组框20", {4, 30, 316, 292}, "打印样本"};
    RichEdit 超级编辑框1{分组框20, "超级编辑框1", {8, 16, 209, 248}};
    Button 按钮4{分组框20, "按钮4", {224, 16, 84, 22}, "会议名称"};
    Button 按钮8{分组框20, "按钮8", {224, 40, 84, 22}, "代表姓名"};
    Button 按钮9{分组框20, "按钮9", {224, 64, 84, 22}, "讨论组"};
    Button 按钮10{分组框20, "按钮10", {224, 88, 84, 22}, "召集人"};
    Button 按钮11{分组框20, "按钮11", {224, 112, 84, 22}, "联络员"};
    Button 按钮12{分组框20, "按钮12", {224, 136, 84, 22}, "大会座次"};
    Button 按钮13{分组框20, "按钮13", {224, 160, 84, 22}, "房间"};
    Button 按钮14{分组框20, "按钮14", {224, 184, 84, 22}, "餐桌"};
    PictureTextButton 超级按钮1{分组框20, "超级按钮1", {224, 212, 84, 26}, "保存样本"};
    Button 按钮18{分组框20, "按钮18", {224, 244, 84, 22}, "<=返回"};
    Printer 打印机1{"打印机1"};

    void onMainWindowCreated();
    void toggleDataLock();
    void onMainWindowDestroy();
    void onMenuAboutClick();

    void openMainWindowDatabase();

    // Tool bar and menus.
    void onToolbarButtonClick(int number);
    void onMenuGroupReportClick();
    void onMenuSeatingReportClick();
    void onMenuChangePasswordClick();
    void onMenuSwitchMeetingClick();
    void onMenuNewMeetingClick();
    void onMenuExitClick();
    void onMenuUserManualClick();
    void onMenuTemplateEditorClick();
    void onMenuBackupClick();
    void onMenuRestoreClick();

    // Delegate tree.
    void fillDelegateTree();
    void onDelegateTreeSelect();
    // A picked item: value 0 (it cannot be picked again) and its new image.
    void consumeTreeItem(int item, int image);

    // Rooms.
    void onRefreshUnassignedClick();
    void fillRoomList(int recordSet, bool tickEveryRow);
    void onRoomListSelect();
    void onRoomConfirmOrAddClick();
    void onRoomCancelOrDeleteClick();
    void onRoomAdjustClick();
    void onRoomClearAllClick();
    void autoAssignRooms();
    void onDelegateTreeRightButton();

    // Banquet tables.
    void onDiningRefreshPendingClick();
    void fillTableList(int recordSet);
    void onTableListSelect();
    void onDiningConfirmOrAddClick();
    void onDiningCancelOrDeleteClick();
    void onTableAdjustClick();
    void autoAssignTables();
    void onDiningClearAllClick();

    // Seating charts and seat placement.
    void fillSharedTemplateCombo();
    void fillSeatingChartSlots();
    void onEditTemplatesToggle();
    void onAddTemplateClick();
    void onDeleteTemplateClick();
    void onTemplateSelected();
    void onNewSeatingChartClick();
    void onSeatingChartSelected();
    void onSaveSeatingChartClick();
    void onDeleteSeatingChartClick();
    void onDeleteChartCheckClick();
    void onSeatGridMouseUp(int button);
    void onSetChartTitleClick();
    void onChartPreviewClick();

    // Table name cards.
    void onAddCardNameClick();
    void onRemoveCardNameClick();
    void onCardNameListDoubleClick();
    void onFontLabelMouseDown(int button);
    void onGenerateCardsClick();
    void onCardPreviewClick();

    // Check-in.
    // False when a query failed: the label is left incomplete.
    bool fillCheckInSlip();
    void replaceAllInRichText(const Text& marker, const Text& value);
    void onInsertMeetingNameClick();
    void onInsertDelegateClick();
    void onInsertRoomClick();
    void onInsertTableClick();
    void onInsertGroupClick();
    void onInsertConvenerClick();
    void onInsertLiaisonClick();
    void onInsertSeatClick();
    void onShowSampleClick();
    void onBackFromSampleClick();
    void onHideSampleClick();
    void onSaveSampleClick();
    void onCheckInClick();
    void onPrintLabelClick();
    void onShowCheckedInClick();
    void onShowNotCheckedInClick();

    // Discussion groups.
    void fillGroupList();
    void onGroupInfoRadioClick();
    void onGroupMembersRadioClick();
    void onNewGroupClick();
    void onSaveGroupClick();
    void onDeleteGroupClick();
    void onGroupListSelect();
    void loadGroupMembers();
    void onSaveGroupMembersClick();

    // Delegate records.
    void onPhotoBoxMouseDown(int button);
    void showDelegateCard(int recordSet);
    void onNewDelegateClick();
    void onSaveDelegateClick();
    void onDeleteDelegateClick();
    void onRefreshDelegatesClick();
    void onRenumberDelegatesClick();

private:
    // The units the data lock governs, 删除座次表 last.
    std::vector<Unit*> lockedUnits();
    void buildToolBar();
    void wireDelegatePage();
    void wireGroupPage();
    void wireRoomPage();
    void wireTablePage();
    void wireSeatingPage();
    void wireCardPage();
    void wireCheckInPage();
    void loadLabelTemplate();
    void showCheckInList(bool checkedIn);
    void showSlipFor(int value);
    bool loadTemplateBytes(int templateId);
    Text seatLabel(int row, int column);
    void placeQueue(int row, int column);
    void pickUpOrMoveSeat(int row, int column);
    // A cell's face that names a delegate: a whole positive number.
    static bool isSeatFace(const Text& face);
    void seatDelegate(int row, int column, const Text& name, const Text& delegateId);
    void vacateSeat(int row, int column);
    void vacateSeatsOfNoDelegate();
    // The chart whose document 数据源1 holds now; 0 when it holds anything
    // else (a template, table cards, a chart that failed to load).
    int openChartId_ = 0;
    bool tableManualMode() const;
    void addTableBatch();
    void deleteSelectedTable();
    bool manualAssignMode() const;
    bool deleteDelegate(int delegateId);
    void addRoomBatch();
    // The commit of a page's pending picks (commitPicks), the page then
    // shown anew with `refresh` and the picks given back named.
    void confirmPicks(ListView& pending, ListView& places, const PlaceKind& kind, void (MainWindow::*refresh)());
    // Asks, then releases every room or every table of the meeting and
    // shows the page anew with `refresh`.
    void clearAllPlaces(const PlaceKind& kind, void (MainWindow::*refresh)());
    void deleteTickedRooms();
    // Opens `sql` as the current record set (the one before is closed);
    // false, after "查询失败！", when the query fails.
    bool runDelegateQuery(const Text& sql);
    void closeCurrentRecordSet();
    void openReportIf(const Text& precondition, const Text& kind, const Text& missing);
    void openReportWindow();
    void openAssignmentPage(const Text& placeColumn, int page, ListView& places, ListView& pending,
                            int& selectedPlace);
    void pickRoom(int item, int value);
    void pickTable(int item, int value);
    void refusePick(const Text& message, ListView& places, int& selectedPlace);
    void loadTreeImages();
};
