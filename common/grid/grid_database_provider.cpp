#include "common/grid/grid_database_provider.h"
#include "common/files/files.h"
#include "common/internal/dispatch.h"
#include "common/grid/grid_model.h"

DatabaseProvider::DatabaseProvider(Container& window, const Text& name)
    : GridProvider(window, name), document_(std::make_unique<GridDocument>())
{
}

DatabaseProvider::~DatabaseProvider()
{
    // Only reachable when the provider goes inside a handler: the change is
    // still written, with nobody left to tell of a failure.
    if (storePending_ && !file_.empty())
        writeFile(file_, encodeGrid(*document_));
}

bool DatabaseProvider::setDatabaseFile(const Text& path)
{
    if (!fileExists(path))
        return false;
    const Bytes bytes = readFile(path);
    if (bytes.empty() && fileSize(path) != 0)
        return false;   // there is a table, but it cannot be read
    GridDocument table;
    if (!bytes.empty() && !decodeGrid(bytes, table))
        return false;
    *document_ = std::move(table);
    file_ = path;
    stored_ = true;
    return true;
}

void DatabaseProvider::documentChanged(const GridChange&)
{
    if (file_.empty() || storePending_)
        return;
    storePending_ = true;
    afterHandlers([this, alive = std::weak_ptr<int>(alive_)] {
        if (!alive.expired())
            store();
    });
}

void DatabaseProvider::store()
{
    storePending_ = false;
    stored_ = writeFile(file_, encodeGrid(*document_));
    if (!stored_ && storeFailed)
        storeFailed();
}
