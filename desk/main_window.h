#pragma once
// The conference desk: one window per login, on the meeting chosen there.
// It opens locked: the editing units stay disabled until the data lock is
// released from the menu.
#include "common/database.h"
#include "common/runtime.h"

#include <vector>

class MainWindow : public Window {
public:
    MainWindow();

    // Menus.
    Menu 信息处理{*this, "&D.信息处理", 16};
    MenuItem 数据锁定{信息处理, "数据锁定", "&L.数据锁定"};
    Menu 帮助{*this, "&H.帮助"};
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
    Button 按钮6{选择夹1.page(0), "按钮6", {176, 412, 72, 24}, "删除"};
    Button 按钮7{选择夹1.page(0), "按钮7", {256, 412, 72, 24}, "保存"};
    Button 按钮2{选择夹1.page(0), "按钮2", {496, 412, 80, 24}, "重排编号"};
    // Page 1: rooms.
    PictureTextButton 确定手动分配{选择夹1.page(1), "确定手动分配", {16, 412, 80, 28}, "确认"};
    PictureTextButton 删除表项{选择夹1.page(1), "删除表项", {104, 412, 80, 28}, "取消"};
    PictureTextButton 房间调整{选择夹1.page(1), "房间调整", {280, 412, 80, 28}, "房间调整"};
    PictureTextButton 自动分配{选择夹1.page(1), "自动分配", {192, 412, 80, 28}, "自动分配"};
    PictureTextButton 全部清空{选择夹1.page(1), "全部清空", {368, 412, 80, 28}, "全部清空"};
    // Page 2: discussion groups.
    Button 删除会议组{选择夹1.page(2), "删除会议组", {96, 412, 72, 24}, "删  除"};
    Button 保存会议组{选择夹1.page(2), "保存会议组", {176, 412, 72, 24}, "保  存"};
    Button 保存分组代表{选择夹1.page(2), "保存分组代表", {472, 412, 96, 24}, "保       存"};
    // Page 3: banquet tables.
    PictureTextButton 自动分配1{选择夹1.page(3), "自动分配1", {192, 412, 80, 28}, "自动分配"};
    PictureTextButton 餐桌调整{选择夹1.page(3), "餐桌调整", {280, 412, 80, 28}, "餐桌调整"};
    PictureTextButton 全部清空1{选择夹1.page(3), "全部清空1", {368, 412, 80, 28}, "全部清空"};
    PictureTextButton 确定手动分配1{选择夹1.page(3), "确定手动分配1", {16, 412, 80, 28}, "确认"};
    PictureTextButton 删除表项1{选择夹1.page(3), "删除表项1", {104, 412, 80, 28}, "取消"};
    // Page 4: seating charts.
    PictureTextButton 新建座次表{选择夹1.page(4), "新建座次表", {16, 412, 88, 28}, "新建表格"};
    PictureTextButton 删除座次表{选择夹1.page(4), "删除座次表", {112, 412, 88, 28}, "删除表格"};
    PictureTextButton 保存座次表{选择夹1.page(4), "保存座次表", {208, 412, 88, 28}, "保存修改"};
    CheckBox 增删模板{选择夹1.page(4), "增删模板", {304, 416, 88, 20}, "增删样表"};
    ComboBox 大会座次模板{选择夹1.page(4), "大会座次模板", {96, 4, 200, 20}};
    CheckBox 删除表格{选择夹1.page(4), "删除表格", {312, 4, 100, 20}, "删除座次表"};

    void onMainWindowCreated();
    void toggleDataLock();
    void onMainWindowDestroy();
    void onMenuAboutClick();

    void openMainWindowDatabase();

private:
    // The units the data lock governs, 删除座次表 last.
    std::vector<Unit*> lockedUnits();
};
