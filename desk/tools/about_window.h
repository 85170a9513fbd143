#pragma once
// The about box: closes on a left-button release anywhere on it.
#include "common/runtime.h"

class AboutWindow : public Window {
public:
    AboutWindow();

    PictureBox 图片框1{*this, "图片框1", {0, 0, 384, 96}};
    TransparentLabel 透明标签1{图片框1, "透明标签1", {128, 48, 80, 24}, "１.０正式版"};
    Label 标签1{*this, "标签1", {12, 100, 356, 20}, "Qelvana 会务管理系统"};
    TransparentLabel 透明标签2{*this, "透明标签2", {12, 122, 120, 20}, "版本 １.０"};
    TransparentLabel 透明标签3{*this, "透明标签3", {140, 122, 120, 20}, "代表·客房·座次"};
    TransparentLabel 透明标签4{*this, "透明标签4", {268, 122, 100, 20}, "报到·报表"};

    void onAboutWindowMouse(int button);
    void onAboutPictureMouse(int button);
};
