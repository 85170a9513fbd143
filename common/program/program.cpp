#include "common/program/program.h"

#include "common/dialogs/interaction.h"
#include "common/internal/faces.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

namespace {

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
