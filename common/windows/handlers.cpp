// The handlers the program runs for Qt's events (common/internal/dispatch.h):
// how deep they are nested, the window each belongs to, and the tasks that
// wait until the outermost one has returned.
#include "common/dialogs/dialogs.h"
#include "common/internal/dispatch.h"
#include "common/internal/hosts.h"
#include "common/program/program.h"

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <deque>
#include <new>
#include <vector>

namespace {

int handlerDepth = 0;
// What each running handler belongs to, the innermost last; an origin
// deleted while its handler runs reads as null.
std::vector<QPointer<const QObject>> handlerOrigins;
struct AfterHandlerTask {
    std::function<void()> task;
    QPointer<const QObject> origin;   // that of the handler that queued it
};
std::deque<AfterHandlerTask> afterHandlerTasks;
bool runningAfterHandlerTasks = false;

void runAfterHandlerTasks()
{
    if (runningAfterHandlerTasks)
        return;   // the loop below picks up what a task queues
    runningAfterHandlerTasks = true;
    while (!afterHandlerTasks.empty()) {
        const AfterHandlerTask next = std::move(afterHandlerTasks.front());
        afterHandlerTasks.pop_front();
        runHandler(next.task, next.origin);
    }
    runningAfterHandlerTasks = false;
}

} // namespace

void runHandler(const std::function<void()>& handler, const QObject* origin)
{
    struct Depth {
        explicit Depth(const QObject* origin)
        {
            ++handlerDepth;
            handlerOrigins.emplace_back(origin);
        }
        ~Depth()
        {
            handlerOrigins.pop_back();
            if (--handlerDepth != 0)
                return;
            runAfterHandlerTasks();
            if (closedWindowsPending())
                QTimer::singleShot(0, qApp, [] { flushClosedWindows(); });
        }
    } depth(origin);
    // No exception leaves a handler: the work it was doing stops, the user
    // is told, and the program goes on with its next event.
    Text failure;
    try {
        handler();
        return;
    } catch (const std::bad_alloc&) {
        failure = "内存不足，操作未能完成！";
    } catch (...) {
        failure = "程序运行出错，操作未能完成！";
    }
    endLongOperation();
    messageBox(failure, BoxOk | IconStop, "错误！");
}

void afterHandlers(std::function<void()> task)
{
    if (handlerDepth > 0) {
        afterHandlerTasks.push_back({std::move(task), handlerOrigins.back()});
        return;
    }
    runHandler(task);
}

bool handlerRunning() { return handlerDepth > 0; }

QWidget* handlerWindow()
{
    for (auto it = handlerOrigins.rbegin(); it != handlerOrigins.rend(); ++it)
        for (const QObject* at = *it; at; at = at->parent())
            if (auto* host = dynamic_cast<const WindowHost*>(at)) {
                if (host->isVisible())
                    return const_cast<WindowHost*>(host);
                break;
            }
    return QApplication::activeWindow();
}
