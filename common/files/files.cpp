#include "common/files/files.h"
#include "common/internal/database_files.h"
#include "common/internal/file_paths.h"

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QSaveFile>

namespace {

// Writes through a temporary file in the target's directory that is renamed
// over the target, so an existing file is replaced and a failed write leaves
// the old one intact.
template <typename Fill>
bool replaceFile(const Text& path, Fill fill)
{
    QSaveFile out(fileSystemPath(path));
    if (!out.open(QIODevice::WriteOnly))
        return false;
    // Without commit the temporary file is removed and the target stays.
    // The last of the data leaves the buffer only here: a disk that is full
    // by then fails this flush, which commit() alone would let pass.
    return fill(out) && out.flush() && out.commit();
}

bool writeAll(QIODevice& out, const char* data, qint64 size)
{
    return out.write(data, size) == size;
}

} // namespace

bool fileExists(const Text& path)
{
    QFileInfo info(fileSystemPath(path));
    return info.exists() && !info.isDir();
}

long long fileSize(const Text& path)
{
    QFileInfo info(fileSystemPath(path));
    return info.exists() && !info.isDir() ? info.size() : -1;
}

bool directoryExists(const Text& path)
{
    return !path.empty() && QFileInfo(fileSystemPath(path)).isDir();
}

Bytes readFile(const Text& path)
{
    QFile in(fileSystemPath(path));
    if (QFileInfo(in).isDir() || !in.open(QIODevice::ReadOnly))
        return {};
    QByteArray data = in.readAll();
    return Bytes(data.constData(), static_cast<size_t>(data.size()));
}

bool writeFile(const Text& path, const Bytes& bytes)
{
    return replaceFile(path, [&](QIODevice& out) {
        return writeAll(out, bytes.data(), static_cast<qint64>(bytes.size()));
    });
}

bool copyFile(const Text& source, const Text& target)
{
    QString from = fileSystemPath(source), to = fileSystemPath(target);
    bool database = isDatabaseFile(from), replacesDatabase = isDatabaseFile(to);
    if (database && !settleDatabaseFile(from))
        return false;
    // Reading the file here would drop the locks of this program's
    // connections on it (see isDatabaseFile): they let go of it first and
    // open again on their next use.
    if (database)
        releaseDatabaseFile(from);
    releaseDatabaseFile(to);
    QFile in(from);
    if (QFileInfo(in).isDir() || !in.open(QIODevice::ReadOnly))
        return false;
    bool copied = replaceFile(target, [&](QIODevice& out) {
        char buffer[1 << 16];
        for (;;) {
            qint64 n = in.read(buffer, sizeof buffer);
            if (n < 0)
                return false;
            if (n == 0)
                return true;
            if (!writeAll(out, buffer, n))
                return false;
        }
    });
    if (copied && (database || replacesDatabase))
        removeStaleJournals(to);
    return copied;
}

bool deleteFile(const Text& path)
{
    QString p = fileSystemPath(path);
    QFileInfo info(p);
    if (!info.exists() && !info.isSymLink())
        return false;
    return !info.isDir() && QFile::remove(p);
}

bool createDirectory(const Text& path)
{
    QString p = fileSystemPath(path);
    return !p.isEmpty() && QDir().mkdir(p);
}

bool createDirectoryPath(const Text& path)
{
    Text sofar;
    bool first = true;
    for (const Text& level : splitText(path, "\\")) {
        sofar = first ? level : sofar + "\\" + level;
        first = false;
        // The empty level after a trailing "\" is the directory itself.
        if (!sofar.empty() && !level.empty() && !directoryExists(sofar) && !createDirectory(sofar))
            return false;
    }
    return true;
}

bool setFileAttributes(const Text& path, int attributes)
{
    // Hidden and system have no counterpart here; read-only is the owner's
    // write permission, and every other attribute set makes the file writable.
    QString p = fileSystemPath(path);
    if (!QFileInfo::exists(p))
        return false;
    QFile::Permissions permissions = QFile::permissions(p);
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteUser;
    if (attributes & AttributeReadOnly)
        permissions &= ~(write | QFile::WriteGroup | QFile::WriteOther);
    else
        permissions |= write;
    return QFile::setPermissions(p, permissions);
}
