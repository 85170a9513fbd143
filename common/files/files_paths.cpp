#include "common/files/files.h"
#include "common/internal/file_paths.h"
#include "common/internal/qtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstring>
#include <fstream>
#include <iterator>

#include <dirent.h>

namespace {

QString joinPath(const QString& base, const QString& name)
{
    if (base.isEmpty())
        return name;
    return base.endsWith(QLatin1Char('/')) ? base + name : base + QLatin1Char('/') + name;
}

// The entry of `dir` whose name equals `name` ignoring case, or "" (the
// first in code order when several do). Read straight from the directory,
// unsorted: a path is resolved once per file a restore writes.
QString entryIgnoringCase(const QString& dir, const QString& name)
{
    DIR* listing = opendir(QFile::encodeName(dir.isEmpty() ? QStringLiteral(".") : dir).constData());
    if (!listing)
        return {};
    QString found;
    while (const dirent* entry = readdir(listing)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        const QString candidate = QFile::decodeName(entry->d_name);
        if (candidate.compare(name, Qt::CaseInsensitive) == 0 && (found.isEmpty() || candidate < found))
            found = candidate;
    }
    closedir(listing);
    return found;
}

QString executablePath() { return QFile::symLinkTarget(QStringLiteral("/proc/self/exe")); }

} // namespace

Text shownPath(const Text& path) { return fromQString(toQtPath(path)); }

Text typedPath(const Text& text) { return fromQtPath(toQString(text)); }

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
    const QStringList parts = p.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    const QString root = p.startsWith(QLatin1Char('/')) ? QStringLiteral("/") : QString();
    // The deepest level that exists as written, found from below: the
    // levels up to it stay as they are, and only those after it are looked
    // for in another case.
    qsizetype existing = parts.size() - 1;
    QString done;
    for (; existing > 0; --existing) {
        done = root + parts.mid(0, existing).join(QLatin1Char('/'));
        if (QFileInfo::exists(done))
            break;
    }
    if (existing == 0)
        done = root;
    bool resolving = true;
    for (qsizetype i = existing; i < parts.size(); ++i) {
        const QString& part = parts[i];
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
