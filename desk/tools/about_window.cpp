#include "desk/tools/about_window.h"

AboutWindow::AboutWindow() : Window("AboutWindow", {0, 0, 380, 151}, "")
{
    图片框1.setPicture(loadPicture("about.png"));
    // The picture is dark blue where the version stands.
    透明标签1.setTextColour(0xFFFFFF);
    mouseUp = [this](int button) { onAboutWindowMouse(button); };
    图片框1.mouseUp = [this](int button) { onAboutPictureMouse(button); };
}

void AboutWindow::onAboutWindowMouse(int button)
{
    if (button == LeftButton)
        closeWindow(*this);
}

void AboutWindow::onAboutPictureMouse(int button)
{
    if (button == LeftButton)
        closeWindow(*this);
}
