#pragma once
// Internal to common/: every call from Qt into a program handler goes
// through runHandler, which tracks how deep handlers are nested so windows
// are destroyed only after every handler on the stack has returned, and
// which window each running handler belongs to.
#include <functional>

class QObject;
class QWidget;

// `origin` is the object of the window the handler belongs to (a unit's
// widget, a timer, an action): boxes the handler shows open over that
// window. Null where no window is known.
void runHandler(const std::function<void()>& handler, const QObject* origin = nullptr);
bool handlerRunning();
// The shown window of the innermost running handler that has one (a window
// whose created event runs is not shown yet: the handler that opened it
// holds its boxes), else the active window; null when there is none.
QWidget* handlerWindow();
// Runs `task` as a handler of its own once the outermost running handler has
// returned (so after the last change a command makes), or at once when no
// handler runs.
void afterHandlers(std::function<void()> task);
// Destroys the closed windows once no handler is running.
void flushClosedWindows();
bool closedWindowsPending();

template <class F, class... Args>
void fire(const QObject* origin, const F& event, Args&&... args)
{
    if (event)
        runHandler([&] { event(args...); }, origin);
}
