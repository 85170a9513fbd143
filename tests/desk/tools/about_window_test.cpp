// The about box closes on a left-button release anywhere on it.
#include "desk/tools/about_window.h"
#include "common/internal/qt_objects.h"
#include "tests/support/gbk_print.h"
#include "tests/support/user_actions.h"

#include <QWidget>

#include <gtest/gtest.h>

namespace {

struct Place {
    const char* where;
    QWidget* (*widget)(AboutWindow&);
};

TEST(AboutWindow, LeftReleaseOnPictureLabelOrWindowClosesItRightDoesNot)
{
    const Place places[] = {
        {"picture", [](AboutWindow& w) { return QtObjects::widget(w.图片框1); }},
        {"version label", [](AboutWindow& w) { return QtObjects::widget(w.透明标签1); }},
        {"window", [](AboutWindow& w) { return QtObjects::container(w); }},
    };
    for (const Place& place : places) {
        AboutWindow* about = loadWindow<AboutWindow>(nullptr, false);
        ASSERT_NE(about, nullptr);
        EXPECT_TEXT_EQ("１.０正式版", about->透明标签1.caption());
        EXPECT_EQ(about->width(), 380);
        QWidget* target = place.widget(*about);
        QPoint inside(2, 2);
        clickMouse(target, inside, RightButton);
        EXPECT_TRUE(about->isOpen()) << place.where;
        clickMouse(target, inside);
        EXPECT_FALSE(about->isOpen()) << place.where;
        EXPECT_TRUE(openWindows().empty());
        processEvents();
    }
}

} // namespace
