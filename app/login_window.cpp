#include "app/login_window.h"

#include "common/pictures.h"

LoginWindow::LoginWindow() : Window("LoginWindow", {0, 0, 395, 648}, "")
{
    图片框1.setPicture(loadPicture("banner.png"));
    created = [this] { onLoginWindowCreated(); };
}

void LoginWindow::onLoginWindowCreated()
{
    setHeight(190);
    setPlacement(1);
}
