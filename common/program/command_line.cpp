#include "common/program/command_line.h"

#include "common/dialogs/dialogs.h"
#include "common/internal/file_paths.h"
#include "common/internal/qtext.h"
#include "common/text/text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>

namespace {

struct Word {
    Text text;
    bool quoted = false;
};

std::vector<Word> words(const Text& line)
{
    std::vector<Word> result;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        if (i >= line.size())
            break;
        Word word;
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            word.text = line.substr(i + 1, end == Text::npos ? Text::npos : end - i - 1);
            word.quoted = true;
            i = end == Text::npos ? line.size() : end + 1;
        } else {
            size_t end = line.find(' ', i);
            word.text = line.substr(i, end == Text::npos ? Text::npos : end - i);
            i = end == Text::npos ? line.size() : end;
        }
        result.push_back(word);
    }
    return result;
}

bool isPath(const Text& word) { return findText(word, "\\") != -1; }

bool exists(const Text& path) { return QFileInfo::exists(fileSystemPath(path)); }

// Length of the longest leading part of `path` (up to a "\\" or whole)
// that exists.
size_t existingPrefix(const Text& path)
{
    size_t best = 0;
    for (size_t i = 0; i <= path.size(); i += i < path.size() ? characterLength(path, i) : 1)
        if ((i == path.size() || path[i] == '\\') && i > 0 && exists(path.substr(0, i)))
            best = i;
    return best;
}

} // namespace

QStringList splitCommandLine(const Text& commandLine)
{
    std::vector<Word> all = words(commandLine);
    QStringList result;
    for (size_t i = 0; i < all.size(); ++i) {
        Text word = all[i].text;
        if (!all[i].quoted && isPath(word) && !exists(word)) {
            // Join the following words while the existing part of the path
            // then reaches past this word: the blank lies inside a name.
            Text joined = word;
            for (size_t j = i + 1; j < all.size() && !all[j].quoted; ++j) {
                joined += " " + all[j].text;
                if (existingPrefix(joined) > word.size()) {
                    word = joined;
                    i = j;
                }
            }
        }
        result << (isPath(word) ? fileSystemPath(word) : toQString(word));
    }
    return result;
}

QStringList platformCommand(QStringList words)
{
    if (words.isEmpty())
        return words;
    const QString name = words.first().toLower();
    if (name == QLatin1String("hh.exe") || name == QLatin1String("hh"))
        words.first() = QStringLiteral("xdg-open");
    // Paint is started only to print a picture file at its own size on the
    // default printer: the print spooler takes the file with the picture's
    // resolution (a screen's 96 pixels to the inch) and prints it at that
    // size instead of fitted to the page; it has no use for Paint's "/p".
    if (name == QLatin1String("mspaint.exe") || name == QLatin1String("mspaint")) {
        words.removeFirst();
        words.removeAll(QStringLiteral("/p"));
        words = QStringList{kPrintSpooler, QStringLiteral("-o"), QStringLiteral("ppi=96"), QStringLiteral("-o"),
                            QStringLiteral("natural-scaling=100")}
                + words;
    }
    return words;
}

namespace {

// The spooler takes a job in a moment; one it is still busy with after this
// long is left to it.
constexpr int kSpoolerAnswerMs = 10000;

// What the spooler said when it refused a job.
QString refusal(QProcess& spooler)
{
    QString reason = QString::fromLocal8Bit(spooler.readAllStandardError()).trimmed();
    if (reason.isEmpty())
        reason = QString::fromLocal8Bit(spooler.readAllStandardOutput()).trimmed();
    if (reason.isEmpty())
        reason = spooler.exitStatus() == QProcess::CrashExit
                     ? QStringLiteral("%1 异常退出").arg(spooler.program())
                     : QStringLiteral("%1 退出，代码 %2").arg(spooler.program()).arg(spooler.exitCode());
    return reason;
}

} // namespace

bool startPlatformCommand(QStringList words)
{
    if (words.isEmpty())
        return false;
    const QString program = words.takeFirst();
    if (program != kPrintSpooler)
        return QProcess::startDetached(program, words);
    auto* spooler = new QProcess(qApp);
    QObject::connect(spooler, &QProcess::finished, spooler, &QObject::deleteLater);
    spooler->start(program, words);
    if (!spooler->waitForStarted()) {
        delete spooler;
        return false;
    }
    if (!spooler->waitForFinished(kSpoolerAnswerMs))
        return true;
    if (spooler->exitStatus() != QProcess::NormalExit || spooler->exitCode() != 0)
        messageBox("打印失败！\r\n" + fromQString(refusal(*spooler)), BoxOk | IconStop, "错误");
    return true;
}
