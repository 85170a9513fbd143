#pragma once
// The start window: login, the change of one's own credentials and, for an
// administrator, the administration panel on its tab control.
#include "common/runtime.h"

class LoginWindow : public Window {
public:
    LoginWindow();

    PictureBox 图片框1{*this, "图片框1", {10, -1, 366, 73}};
    GroupBox 登录分组框{*this, "登录分组框", {10, 74, 366, 80}, "用户登录"};
    Label 标签4{登录分组框, "标签4", {18, 16, 80, 24}, "用户名："};
    EditBox 用户名{登录分组框, "用户名", {106, 16, 144, 24}};
    Label 标签3{登录分组框, "标签3", {18, 48, 80, 24}, "密　码："};
    EditBox 密码{登录分组框, "密码", {106, 48, 144, 24}, "", EditBox::Password};
    CheckBox 修改密码{登录分组框, "修改密码", {264, 16, 80, 24}, "修改密码"};
    Button 登陆按钮{登录分组框, "登陆按钮", {262, 48, 80, 24}, "进入"};
    TabControl 选择夹1{*this, "选择夹1", {5, 170, 379, 455}, {"会议列表", "用户列表"}};

    void onLoginWindowCreated();
};
