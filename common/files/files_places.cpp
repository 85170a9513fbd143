#include "common/files/files.h"
#include "common/internal/file_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStorageInfo>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The absolute path with every link of its existing part resolved; the
// part that does not exist yet is added as written.
QString resolvedPath(const Text& path)
{
    QString head = QDir::cleanPath(QFileInfo(fileSystemPath(path)).absoluteFilePath());
    QString rest;
    while (!QFileInfo::exists(head) && !QFileInfo(head).isSymLink() && head != QLatin1String("/")) {
        const QFileInfo info(head);
        rest = rest.isEmpty() ? info.fileName() : info.fileName() + QLatin1Char('/') + rest;
        head = info.path();
    }
    const QFileInfo last(head);
    QString resolved;
    if (last.isSymLink() && !last.exists())   // a dangling link is a place of its own
        resolved = QFileInfo(last.path()).canonicalFilePath() + QLatin1Char('/') + last.fileName();
    else
        resolved = last.canonicalFilePath();
    return rest.isEmpty() ? resolved : QDir::cleanPath(resolved + QLatin1Char('/') + rest);
}

} // namespace

bool moveFile(const Text& source, const Text& target)
{
    const QString from = fileSystemPath(source), to = fileSystemPath(target);
    if (!QFileInfo(from).isFile() || QFileInfo(to).isDir())
        return false;
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    // Another file system: a whole copy takes the target's place, then the
    // source goes.
    return errno == EXDEV && copyFile(source, target) && QFile::remove(from);
}

bool deleteDirectoryTree(const Text& path)
{
    const QString p = fileSystemPath(path);
    const QFileInfo info(p);
    if (info.isSymLink())
        return QFile::remove(p);
    if (!info.exists())
        return true;
    return info.isDir() && QDir(p).removeRecursively();
}

bool removeEmptyDirectory(const Text& path)
{
    const QString p = fileSystemPath(path);
    return QFileInfo(p).isDir() && !QFileInfo(p).isSymLink() && QDir().rmdir(p);
}

bool isLink(const Text& path) { return QFileInfo(fileSystemPath(path)).isSymLink(); }

long long freeDiskSpace(const Text& path)
{
    const QStorageInfo storage(fileSystemPath(path));
    return storage.isValid() ? storage.bytesAvailable() : -1;
}

bool onOneFileSystem(const Text& first, const Text& second)
{
    struct stat a, b;
    return ::stat(QFile::encodeName(fileSystemPath(first)).constData(), &a) == 0
        && ::stat(QFile::encodeName(fileSystemPath(second)).constData(), &b) == 0 && a.st_dev == b.st_dev;
}

bool syncFileSystem(const Text& path)
{
    const int fd = ::open(QFile::encodeName(fileSystemPath(path)).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0;
    ::close(fd);
    return synced;
}

bool pathIsWithin(const Text& path, const Text& place)
{
    const QString p = resolvedPath(path), within = resolvedPath(place);
    if (p.isEmpty() || within.isEmpty())
        return false;
    return p == within || p.startsWith(within.endsWith(QLatin1Char('/')) ? within : within + QLatin1Char('/'));
}
