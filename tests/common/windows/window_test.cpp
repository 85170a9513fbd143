// Window life cycle: modal loops, closing from handlers, owners, the end of
// the event loop and of the program.
#include "common/internal/dispatch.h"
#include "common/internal/qt_objects.h"
#include "common/runtime.h"
#include "tests/support/gbk_print.h"
#include "tests/support/scripted_interaction.h"
#include "tests/support/user_actions.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

int destroyedCount = 0;
int modalResult = 0;
bool ownerObjectDeleted = false;

struct DialogWindow : Window {
    DialogWindow() : Window("DialogWindow", {0, 0, 200, 100}, "dialog")
    {
        okButton.clicked = [this] {
            modalResult = 42;
            closeWindow(*this);
        };
        destroyed = [] { ++destroyedCount; };
    }
    Button okButton{*this, "okButton", {10, 10, 80, 24}, "OK"};
};

struct OwnerWindow : Window {
    OwnerWindow() : Window("OwnerWindow", {0, 0, 300, 200}, "owner")
    {
        destroyed = [] { ++destroyedCount; };
    }
    ~OwnerWindow() override { ownerObjectDeleted = true; }
};

// Closes another window from inside a modal window, as a restore does.
struct CloserWindow : Window {
    explicit CloserWindow(Window* victim) : Window("CloserWindow", {0, 0, 200, 100}, ""), victim_(victim)
    {
        go.clicked = [this] {
            closeWindow(*this);
            closeWindow(*victim_);
        };
    }
    Button go{*this, "go", {10, 10, 80, 24}, "go"};
    Window* victim_;
};

class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        destroyedCount = 0;
        modalResult = 0;
        ownerObjectDeleted = false;
    }
    void TearDown() override
    {
        for (Window* w : openWindows())
            closeWindow(*w);
        processEvents();
    }
};

TEST_F(WindowTest, ModalWindowBlocksUntilClosedAndCallerReadsItsResult)
{
    ScriptedInteraction ui;
    bool sawWindowOpen = false;
    ui.inModalWindow([&](Window& w) {
        sawWindowOpen = w.isOpen() && QtObjects::container(w)->isVisible();
        click(static_cast<DialogWindow&>(w).okButton);
    });
    Window* result = loadWindow<DialogWindow>(nullptr, true);
    EXPECT_EQ(result, nullptr);
    EXPECT_TRUE(sawWindowOpen);
    EXPECT_EQ(modalResult, 42);
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, CloseBoxEndsModalLoopUnlessMayCloseRefuses)
{
    ScriptedInteraction ui;
    int asked = 0;
    ui.inModalWindow([&](Window& w) {
        w.mayClose = [&] { return ++asked > 1; };
        QtObjects::container(w)->window()->close();   // refused
        EXPECT_TRUE(w.isOpen());
        QtObjects::container(w)->window()->close();   // allowed
    });
    loadWindow<DialogWindow>(nullptr, true);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(destroyedCount, 1);
}

TEST_F(WindowTest, ClosingOwnerClosesOwnedWindowsAndRunsEachDestroyedHandlerOnce)
{
    OwnerWindow* owner = loadWindow<OwnerWindow>(nullptr, false);
    DialogWindow* owned = loadWindow<DialogWindow>(owner, false);
    DialogWindow* free = loadWindow<DialogWindow>(nullptr, false);
    ASSERT_TRUE(owner && owned && free);
    closeWindow(*owner);
    closeWindow(*owner);
    EXPECT_EQ(destroyedCount, 2);
    EXPECT_EQ(openWindows(), std::vector<Window*>{free});
    closeWindow(*free);
    EXPECT_EQ(destroyedCount, 3);
}

TEST_F(WindowTest, WindowClosedFromItsOwnHandlerIsDestroyedAfterTheHandler)
{
    DialogWindow* w = loadWindow<DialogWindow>(nullptr, false);
    ASSERT_NE(w, nullptr);
    click(w->okButton);
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, OwnerClosedFromModalWindowSurvivesUntilItsSuspendedHandlerReturns)
{
    ScriptedInteraction ui;
    OwnerWindow* owner = loadWindow<OwnerWindow>(nullptr, false);
    Button trigger{*owner, "trigger", {0, 0, 10, 10}, ""};
    bool deletedWhileHandlerRan = true;
    trigger.clicked = [&] {
        loadWindow<CloserWindow>(nullptr, true, owner);
        deletedWhileHandlerRan = ownerObjectDeleted;
    };
    ui.inModalWindow([](Window& w) { click(static_cast<CloserWindow&>(w).go); });
    click(trigger);
    EXPECT_FALSE(deletedWhileHandlerRan);
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, EventLoopRunsUntilTheLastWindowWithoutOwnerCloses)
{
    OwnerWindow* main = loadWindow<OwnerWindow>(nullptr, false);
    DialogWindow* editor = loadWindow<DialogWindow>(nullptr, false);
    bool editorStillOpenAfterMain = false;
    QTimer::singleShot(0, [&] { closeWindow(*main); });
    // Once the main window is destroyed, the loop is still running with the
    // editor open; a main window never destroyed gives up after five seconds.
    QTimer watch;
    int polls = 0;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!ownerObjectDeleted && ++polls < 5000)
            return;
        watch.stop();
        editorStillOpenAfterMain = ownerObjectDeleted && editor->isOpen();
        click(editor->okButton);
    });
    watch.start(1);
    runEventLoop();
    EXPECT_TRUE(editorStillOpenAfterMain);
    EXPECT_TRUE(openWindows().empty());
}

TEST_F(WindowTest, WindowClosedInItsCreatedEventIsNeverShownOrReturned)
{
    struct SelfClosing : Window {
        SelfClosing() : Window("SelfClosing", {0, 0, 10, 10}, "") { created = [this] { closeWindow(*this); }; }
    };
    EXPECT_EQ(loadWindow<SelfClosing>(nullptr, false), nullptr);
    EXPECT_TRUE(openWindows().empty());
    runEventLoop();   // returns at once: nothing is open
}

TEST_F(WindowTest, ClientSizeIsKnownInsideTheCreatedEvent)
{
    struct Sized : Window {
        Sized() : Window("Sized", {50, 50, 413, 309}, "")
        {
            created = [this] {
                clientW = windowClientWidth(*this);
                clientH = windowClientHeight(*this);
            };
        }
        Menu 文件{*this, "&F.文件"};
        int clientW = 0, clientH = 0;
    };
    Sized* w = loadWindow<Sized>(nullptr, false);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->clientW, windowClientWidth(*w));
    EXPECT_EQ(w->clientH, windowClientHeight(*w));
    EXPECT_GT(w->clientW, 300);
    EXPECT_LT(w->clientH, 309);
}

TEST_F(WindowTest, AModalWindowNobodyClosesFailsInsteadOfHanging)
{
    EXPECT_NONFATAL_FAILURE(
        {
            ScriptedInteraction ui;
            loadWindow<DialogWindow>(nullptr, true);
        },
        "unexpected modal window DialogWindow");
    EXPECT_TRUE(openWindows().empty());
}

// No exception leaves a handler: the user is told, the long-run bracket
// ends, and the window works on; a window closed by the failed handler is
// still destroyed once it is over.
TEST_F(WindowTest, AnExceptionInAHandlerIsReportedAndTheProgramGoesOn)
{
    ScriptedInteraction ui;
    DialogWindow* w = loadWindow<DialogWindow>(nullptr, false);
    ASSERT_NE(w, nullptr);
    Button failing{*w, "failing", {10, 40, 80, 24}, "fail"};
    int thrown = 0;
    failing.clicked = [&] {
        beginLongOperation();
        if (++thrown == 1)
            throw std::bad_alloc();
        closeWindow(*w);
        throw std::runtime_error("any other failure");
    };
    ui.answerMessage(AnswerOk).answerMessage(AnswerOk);
    click(failing);
    EXPECT_FALSE(longOperationActive());
    EXPECT_TRUE(w->isOpen());
    click(failing);
    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_TEXT_EQ("内存不足，操作未能完成！", ui.messages()[0].text);
    EXPECT_TEXT_EQ("程序运行出错，操作未能完成！", ui.messages()[1].text);
    EXPECT_EQ(ui.messages()[1].boxKind, BoxOk | IconStop);
    EXPECT_EQ(destroyedCount, 1);
    EXPECT_TRUE(openWindows().empty());
}

// Closing every window asks each as its close box would, latest first; one
// that refuses stays open with the window that owns it.
TEST_F(WindowTest, ClosingAllWindowsAsksEachAndKeepsWhatIsRefused)
{
    OwnerWindow* owner = loadWindow<OwnerWindow>(nullptr, false);
    DialogWindow* owned = loadWindow<DialogWindow>(owner, false);
    DialogWindow* free = loadWindow<DialogWindow>(nullptr, false);
    ASSERT_TRUE(owner && owned && free);
    std::vector<Window*> asked;
    owned->mayClose = [&] { asked.push_back(owned); return false; };
    free->mayClose = [&] { asked.push_back(free); return true; };
    EXPECT_FALSE(closeAllWindows());
    EXPECT_EQ(asked, (std::vector<Window*>{free, owned}));
    EXPECT_EQ(openWindows(), (std::vector<Window*>{owner, owned}));
    owned->mayClose = [] { return true; };
    EXPECT_TRUE(closeAllWindows());
    EXPECT_TRUE(openWindows().empty());
}

using WindowDeathTest = WindowTest;

TEST_F(WindowDeathTest, ExitProgramInsideCreatedEventEndsAtOnceAfterExitHooks)
{
    struct Ending : Window {
        Ending() : Window("Ending", {0, 0, 10, 10}, "")
        {
            created = [] {
                addExitHook([] { std::fputs("hook ran\n", stderr); });
                exitProgram(0);
            };
        }
    };
    EXPECT_EXIT(
        {
            loadStartWindow<Ending>();
            std::fputs("went on\n", stderr);
            std::exit(3);
        },
        testing::ExitedWithCode(0), "hook ran");
}

TEST(LongOperation, BracketToleratesEndingTwiceAndGuardEndsIt)
{
    endLongOperation();
    {
        LongOperation guard;
        EXPECT_TRUE(longOperationActive());
        EXPECT_NE(QApplication::overrideCursor(), nullptr);
        endLongOperation();
        endLongOperation();
    }
    EXPECT_FALSE(longOperationActive());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace

namespace {

TEST(TimerUnit, TicksOnlyFromTheEventLoopAndStopsAtPeriodZero)
{
    struct W : Window {
        W() : Window("W", {0, 0, 100, 100}, "") {}
        Button 关闭{*this, "关闭", {0, 0, 80, 24}, "关闭"};
    };
    W* w = loadWindow<W>(nullptr, false);
    Timer clock(*w, "时钟1");
    int ticks = 0;
    clock.tick = [&] { ++ticks; };
    clock.setPeriod(1);
    EXPECT_EQ(ticks, 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks > 0; }));

    // Stopped, or in a closed window that awaits destruction, it is silent
    // while a timer of its period beside it ticks three times.
    int witnessed = 0;
    QTimer witness;
    QObject::connect(&witness, &QTimer::timeout, [&] { ++witnessed; });
    auto silentWhileTheWitnessTicks = [&] {
        const int before = ticks;
        witnessed = 0;
        witness.start(15);
        EXPECT_TRUE(QTest::qWaitFor([&] { return witnessed >= 3; }));
        witness.stop();
        EXPECT_EQ(ticks, before);
    };
    clock.setPeriod(0);
    silentWhileTheWitnessTicks();
    // Closed by a handler that lets events run on, as one that opens a modal
    // window does, the window awaits destruction meanwhile.
    clock.setPeriod(1);
    w->关闭.clicked = [&] {
        closeWindow(*w);
        EXPECT_TRUE(closedWindowsPending());
        silentWhileTheWitnessTicks();
    };
    click(w->关闭);
}

} // namespace
