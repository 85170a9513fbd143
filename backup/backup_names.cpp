#include "backup/backup_names.h"
#include "common/files/files.h"

namespace {

// The one directory a backup file may hold, as the first level of its names.
const Text kBackupRoot = "data";

} // namespace

const Text kDatabaseCopyName = "data\\meeting.mdb";

bool isBackupName(const Text& name)
{
    if (name.find_first_of(Text("/:\0", 3)) != Text::npos)
        return false;
    const TextList levels = splitText(name, "\\");
    if (levels.size() < 2 || !sameTextIgnoringCase(levels.front(), kBackupRoot))
        return false;
    for (size_t i = 0; i < levels.size(); ++i) {
        const Text& level = levels[i];
        if (level.empty() || level == "." || level == ".." || (i + 1 < levels.size() && level.front() == '.'))
            return false;
    }
    return true;
}

bool RestorableNames::add(const Text& name)
{
    const Text key = fileNameKey(name), copy = fileNameKey(kDatabaseCopyName + "\\");
    return isBackupName(name) && key.compare(0, copy.size(), copy) != 0 && keys_.insert(key).second;
}

bool RestorableNames::holdsBelow(const Text& directory) const
{
    const Text key = fileNameKey(directory + "\\");
    const auto next = keys_.lower_bound(key);
    return next != keys_.end() && next->compare(0, key.size(), key) == 0;
}
