#pragma once
// The start window: login, the change of one's own credentials and, for an
// administrator, the administration panel on its tab control.
#include "common/database/database.h"
#include "common/runtime.h"

class LoginWindow : public Window {
public:
    LoginWindow();

    PictureBox 图片框1{*this, "图片框1", {10, -1, 366, 73}};
    ExternalDatabase 外部数据库1{*this, "外部数据库1"};
    GroupBox 登录分组框{*this, "登录分组框", {10, 74, 366, 80}, "用户登录"};
    Label 标签4{登录分组框, "标签4", {18, 16, 80, 24}, "用户名："};
    EditBox 用户名{登录分组框, "用户名", {106, 16, 144, 24}};
    Label 标签3{登录分组框, "标签3", {18, 48, 80, 24}, "密　码："};
    EditBox 密码{登录分组框, "密码", {106, 48, 144, 24}, "", EditBox::Password};
    CheckBox 修改密码{登录分组框, "修改密码", {264, 16, 80, 24}, "修改密码"};
    Button 登陆按钮{登录分组框, "登陆按钮", {262, 48, 80, 24}, "进入"};
    TabControl 选择夹1{*this, "选择夹1", {5, 170, 379, 455}, {"会议列表", "用户列表"}};

    // Administration panel, page 0: meetings and the meeting editor.
    Label 标签17{选择夹1.page(0), "标签17", {7, 1, 90, 24}, "【会议列表】"};
    ListView 超级列表框1{选择夹1.page(0), "超级列表框1", {8, 28, 361, 148}};
    GroupBox 分组框1{选择夹1.page(0), "分组框1", {9, 183, 362, 264}, ""};
    Label 标签1{分组框1, "标签1", {2, 15, 55, 20}, "会议名称："};
    EditBox 会议名称{分组框1, "会议名称", {57, 13, 112, 20}};
    Label 标签2{分组框1, "标签2", {185, 16, 55, 20}, "会议地点："};
    EditBox 会议地点{分组框1, "会议地点", {240, 14, 112, 20}};
    Label 标签5{分组框1, "标签5", {2, 46, 55, 20}, "主办单位："};
    EditBox 主办单位{分组框1, "主办单位", {57, 44, 112, 20}};
    Label 标签6{分组框1, "标签6", {186, 46, 55, 20}, "承办单位："};
    EditBox 承办单位{分组框1, "承办单位", {241, 44, 112, 20}};
    Label 标签8{分组框1, "标签8", {186, 74, 55, 20}, "会议日期："};
    EditBox 会议日期{分组框1, "会议日期", {241, 72, 112, 20}, "", EditBox::DateTimeText};
    Label 标签9{分组框1, "标签9", {7, 80, 60, 20}, "会议指南："};
    EditBox 会议指南{分组框1, "会议指南", {7, 103, 347, 128}, "", EditBox::MultiLine};
    Button 新建{分组框1, "新建", {9, 236, 72, 24}, "新　建"};
    Button 保存{分组框1, "保存", {150, 236, 72, 24}, "保　存"};
    Button 删除{分组框1, "删除", {282, 236, 72, 24}, "删　除"};

    // Page 1: operator accounts.
    Label 标签18{选择夹1.page(1), "标签18", {7, 2, 90, 24}, "【用户列表】"};
    ListView 超级列表框2{选择夹1.page(1), "超级列表框2", {8, 30, 361, 300}};
    GroupBox 分组框2{选择夹1.page(1), "分组框2", {9, 334, 362, 113}, ""};
    Label 标签13{分组框2, "标签13", {4, 11, 52, 24}, "用户名："};
    EditBox 用户名1{分组框2, "用户名1", {57, 12, 112, 24}};
    Label 标签12{分组框2, "标签12", {4, 43, 52, 24}, "密  码："};
    EditBox 密码1{分组框2, "密码1", {57, 43, 112, 24}};
    Label 标签14{分组框2, "标签14", {175, 14, 40, 20}, "会议："};
    ComboBox 会议选择列表框{分组框2, "会议选择列表框", {218, 18, 136, 20}};
    Button 保存1{分组框2, "保存1", {34, 78, 72, 24}, "保　存"};
    Button 删除1{分组框2, "删除1", {246, 78, 72, 24}, "删　除"};

    void onLoginWindowCreated();
    void onLoginButtonClick();
    void onPasswordKeyChar(int code);

    void openMeetingDatabase();

    // Administration panel.
    void fillOperatorList();
    void fillMeetingList();
    void onMeetingListSelect();
    bool showMeetingRecord(int recordSet);   // false: no record, editor unchanged
    void onToggleMeetingEditor();
    void onMeetingListLabelClick(int button);
    void onUserListLabelClick(int button);
    void onNewMeetingClick();
    void onSaveMeetingClick();
    void onDeleteMeetingClick();
    void onSaveUserClick();
    void onDeleteUserClick();
    void onUserListSelect();

private:
    void wireAdministrationPanel();
    void deleteMeetingPhotos(int meeting);
    void changeCredentials(const Text& name, const Text& password);
    void enterAdministration();
    void setPanelHeight(int height);
};
