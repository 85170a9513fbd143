#include "common/grid_database_provider.h"
#include "common/files.h"
#include "common/internal/grid_model.h"

DatabaseProvider::DatabaseProvider(Container& window, const Text& name)
    : GridProvider(window, name), document_(std::make_unique<GridDocument>())
{
}

DatabaseProvider::~DatabaseProvider() = default;

bool DatabaseProvider::setDatabaseFile(const Text& path)
{
    if (!fileExists(path))
        return false;
    const Bytes bytes = readFile(path);
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
    if (file_.empty())
        return;
    stored_ = writeFile(file_, encodeGrid(*document_));
    if (!stored_ && storeFailed)
        storeFailed();
}
