#pragma once
// Storage of a grid document in a database file: the file holds one table
// in the grid byte format, and the changes a data source makes are written
// through to it, so the document never has unsaved changes. The file is
// written once a command has made its last change (when the outermost
// event handler returns), or at once for a change made outside a handler.
#include "common/grid/grid.h"

#include <functional>
#include <memory>

class DatabaseProvider : public GridProvider {
public:
    DatabaseProvider(Container& window, const Text& name);
    ~DatabaseProvider() override;

    // "" while no file is attached; the provider then keeps its document in
    // memory only.
    const Text& databaseFile() const { return file_; }
    // Attaches the file and shows its table; an empty file starts an empty
    // table. A file that cannot be read or holds anything else is refused
    // (false), stays unattached and is never written, so its bytes cannot
    // be lost. Attach before a data source names the provider: grids redraw
    // when the data source changes, not when the provider loads.
    bool setDatabaseFile(const Text& path);

    GridDocument& document() override { return *document_; }
    void documentChanged(const GridChange& change) override;

    // False after a write that failed; the next write that succeeds makes it
    // true again (the file always receives the whole table).
    bool stored() const { return stored_; }
    // Runs once for every write that failed.
    std::function<void()> storeFailed;

private:
    void store();

    std::unique_ptr<GridDocument> document_;
    Text file_;
    bool stored_ = true;
    bool storePending_ = false;
    // Lets a write queued for after the handlers tell that the provider is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};
