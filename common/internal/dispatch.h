#pragma once
// Internal to common/: every call from Qt into a program handler goes
// through runHandler, which tracks how deep handlers are nested so windows
// are destroyed only after every handler on the stack has returned.
#include <functional>

void runHandler(const std::function<void()>& handler);
bool handlerRunning();
// Runs `task` as a handler of its own once the outermost running handler has
// returned (so after the last change a command makes), or at once when no
// handler runs.
void afterHandlers(std::function<void()> task);
// Destroys the closed windows once no handler is running.
void flushClosedWindows();
bool closedWindowsPending();

template <class F, class... Args>
void fire(const F& event, Args&&... args)
{
    if (event)
        runHandler([&] { event(args...); });
}
