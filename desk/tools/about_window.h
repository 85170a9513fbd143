#pragma once
// The about box: closes on a left-button release anywhere on it.
#include "common/runtime.h"

class AboutWindow : public Window {
public:
    AboutWindow();

    PictureBox 图片框1{*this, "图片框1", {0, 0, 372, 96}};
    TransparentLabel 透明标签1{图片框1, "透明标签1", {128, 48, 80, 24}, "１.０正式版"};
    // One row below the picture, inside the 125-px client area.
    Label 标签1{*this, "标签1", {8, 102, 84, 20}, "会务管理系统"};
    TransparentLabel 透明标签2{*this, "透明标签2", {96, 102, 80, 20}, "版本 １.０"};
    TransparentLabel 透明标签3{*this, "透明标签3", {180, 102, 104, 20}, "代表·客房·座次"};
    TransparentLabel 透明标签4{*this, "透明标签4", {288, 102, 76, 20}, "报到·报表"};

    void onAboutWindowMouse(int button);
    void onAboutPictureMouse(int button);
};
