#include "common/files.h"
#include "common/internal/file_paths.h"
#include "common/qtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fstream>
#include <iterator>

namespace {

QString joinPath(const QString& base, const QString& name)
{
    if (base.isEmpty())
        return name;
    return base.endsWith(QLatin1Char('/')) ? base + name : base + QLatin1Char('/') + name;
}

// The entry of `dir` whose name equals `name` ignoring case, or "".
QString entryIgnoringCase(const QString& dir, const QString& name)
{
    const QStringList names = QDir(dir.isEmpty() ? QStringLiteral(".") : dir)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : names)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return {};
}

QString executablePath() { return QFile::symLinkTarget(QStringLiteral("/proc/self/exe")); }

} // namespace

bool isBareFileName(const Text& name)
{
    if (name.empty() || name == "." || name == "..")
        return false;
    for (const char* separator : {"\\", "/", ":"})
        if (findText(name, separator) >= 0)
            return false;
    return true;
}

Text fileNameKey(const Text& name) { return fromQString(toQString(name).toCaseFolded()); }

QString fileSystemPath(const Text& path)
{
    const QString p = toQtPath(path);
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    QString done = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    bool resolving = true;
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        QString candidate = joinPath(done, part);
        bool special = part == QLatin1String(".") || part == QLatin1String("..");
        if (resolving && !special && !QFileInfo::exists(candidate)) {
            QString entry = entryIgnoringCase(done, part);
            if (entry.isEmpty())
                resolving = false;   // nothing below a missing name exists either
            else
                candidate = joinPath(done, entry);
        }
        done = candidate;
    }
    if (p.endsWith(QLatin1Char('/')) && !done.endsWith(QLatin1Char('/')))
        done += QLatin1Char('/');
    return done;
}

Text programDirectory()
{
    const QByteArray home = qgetenv("QELVANA_HOME");
    QString dir = home.isEmpty() ? QFileInfo(executablePath()).absolutePath()
                                 : QFileInfo(QFile::decodeName(home)).absoluteFilePath();
    Text text = fromQtPath(QDir::cleanPath(dir));
    // At the root this leaves "", so directory + "\name" is still right.
    while (!text.empty() && text.back() == '\\' && isCharacterStart(text, text.size() - 1))
        text.pop_back();
    return text;
}

Text programFileName()
{
    return fromQString(QFileInfo(executablePath()).fileName());
}

TextList commandLineArgs()
{
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TextList args;
    size_t start = 0;
    while (start < all.size()) {
        size_t end = all.find('\0', start);
        if (end == std::string::npos)
            end = all.size();
        QByteArray raw(all.data() + start, static_cast<qsizetype>(end - start));
        args.push_back(fromQString(QFile::decodeName(raw)));
        start = end + 1;
    }
    return args;
}
