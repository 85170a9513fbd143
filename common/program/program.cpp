#include "common/program/program.h"

#include "common/dialogs/dialogs.h"
#include "common/internal/dispatch.h"
#include "common/internal/faces.h"
#include "common/internal/hosts.h"
#include "common/dialogs/interaction.h"
#include "common/windows/window.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <deque>
#include <map>
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
std::map<int, std::function<void()>> exitHooks;
int nextExitHookId = 1;
bool longOperation = false;

// QApplication keeps pointers to argc/argv for its whole life.
struct Arguments {
    std::vector<std::string> storage;
    std::vector<char*> pointers;
    int count = 0;
};

Arguments& processArguments()
{
    static Arguments args;
    if (args.pointers.empty()) {
        QFile cmdline(QStringLiteral("/proc/self/cmdline"));
        if (cmdline.open(QIODevice::ReadOnly)) {
            for (const QByteArray& part : cmdline.readAll().split('\0'))
                if (!part.isEmpty())
                    args.storage.push_back(part.toStdString());
        }
        if (args.storage.empty())
            args.storage.push_back("qelvana");
        for (std::string& s : args.storage)
            args.pointers.push_back(s.data());
        args.pointers.push_back(nullptr);
        args.count = static_cast<int>(args.storage.size());
    }
    return args;
}

void chooseDefaultFont()
{
    QFont font;
    setDrawnFace(font, "");
    font.setPointSize(9);
    QApplication::setFont(font);
}

// Dates, sizes and file types the Chinese way, whatever the desktop's
// language: Qt's file dialogs read them from the environment's locale,
// which the programs started from here inherit.
void useChineseLocale()
{
    qputenv("LC_ALL", "zh_CN.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
}

// Qt's own dialogs and buttons (message boxes, file, colour and print
// dialogs) in Chinese, from Qt's translations when they are installed.
void loadChineseTranslations(QApplication& app)
{
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
}

} // namespace

void ensureRuntime()
{
    if (QCoreApplication::instance())
        return;
    Arguments& args = processArguments();
    useChineseLocale();
    auto* app = new QApplication(args.count, args.pointers.data());
    app->setQuitOnLastWindowClosed(false);
    chooseDefaultFont();
    loadChineseTranslations(*app);
}

namespace {

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

void processEvents()
{
    ensureRuntime();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int addExitHook(std::function<void()> hook)
{
    int id = nextExitHookId++;
    exitHooks.emplace(id, std::move(hook));
    return id;
}

void removeExitHook(int id) { exitHooks.erase(id); }

void exitProgram(int code)
{
    auto hooks = std::move(exitHooks);
    exitHooks.clear();
    for (auto& [id, hook] : hooks)
        hook();
    std::fflush(nullptr);
    std::exit(code);
}

bool runProgram(const Text& commandLine, int windowMode)
{
    return interaction().runProgram(commandLine, windowMode);
}

void beginLongOperation()
{
    ensureRuntime();
    if (longOperation)
        return;
    longOperation = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void endLongOperation()
{
    if (!longOperation)
        return;
    longOperation = false;
    QApplication::restoreOverrideCursor();
}

bool longOperationActive() { return longOperation; }
